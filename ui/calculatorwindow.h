#pragma once

#include <QDateTime>
#include <QHash>
#include <QMdiSubWindow>

// How the last click of "确定输入" left the window, for the calculation sheet.
enum class CalculationState {
    None, // no calculation yet
    Complete, // the fields show a complete calculation of the inputs shown
    InputEdited, // an input or the steel grade changed after it
    Faulted, // the last click stopped with a fault
};

// A calculator window of the frame: a multiple-document child that holds its
// controls on a client area of the size it was drawn at. When the frame is
// smaller than that, the client scrolls instead of being cut off.
// Closing it with its close box destroys it; hiding it keeps every value.
class CalculatorWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    CalculatorWindow(const QString& name, const QString& title, QSize clientSize);

    CalculationState calculationState() const { return m_state; }
    // The texts of every named field and combo box after the last complete
    // calculation, when it ran and the decimal separator it read; empty
    // unless the state is Complete.
    const QHash<QString, QString>& calculationTexts() const { return m_texts; }
    QDateTime calculationTime() const { return m_time; }
    QChar calculationSeparator() const { return m_separator; }

protected:
    void changeEvent(QEvent* event) override;

    // The widget the controls are placed on, at twip positions.
    QWidget* client() const { return m_client; }

    // The click handlers say how a calculation ended, once its texts are in
    // the fields.
    void noteCalculation(bool complete);

private:
    void noteInputEdited();

    QWidget* m_client;
    CalculationState m_state = CalculationState::None;
    QHash<QString, QString> m_texts;
    QDateTime m_time;
    QChar m_separator = u'.';
    bool m_restoredBefore = false;
};
