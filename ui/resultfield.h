#pragma once

#include <QLineEdit>

class QFontMetrics;

// A read-only result field that never hides a figure's magnitude. A text
// wider than the field is drawn shortened: its sign and leading digits, an
// ellipsis, and its exponent whole ("2.855868…E+29"). A number without an
// exponent loses decimals while its point still shows ("255.9896…",
// "1593476.…"), else it is drawn with its power of ten ("4.556728…E+27" for
// "4556728533333340000000000000.00"); any other text loses its middle.
// text() stays the whole text, which the calculations read and the user
// selects and copies, and the whole text is then the tooltip. With the focus
// the field is an ordinary line edit, so the user can select any part of it.
class ResultField : public QLineEdit {
    Q_OBJECT
public:
    explicit ResultField(const QString& text, QWidget* parent = nullptr);

    // What the field draws while it has no focus.
    QString displayedText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // `text` shortened to `width` pixels of `metrics` as above; whole if it
    // fits. `decimalPoint` serves a number that has no separator of its own.
    static QString shortened(
        const QString& text, const QFontMetrics& metrics, int width, QChar decimalPoint);

    QChar decimalPoint() const;
    QRect textArea() const;
    QRect textLine() const;
    int roomForText() const;
    bool fits() const;
    void updateToolTip();

    bool m_toolTipIsWholeText = false;
};
