#pragma once

#include "calculatorentry.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

// Where a calculator's verdict window draws its checks, in twips, and what
// it names its labels: one row a check, a caption beside its verdict, on one
// pitch; a heading takes a row's place where a group of checks begins. A
// calculator gives its title; the rest has what every verdict window uses.
struct VerdictLayout {
    QString name; // the window's object name; by default its calculator's: "SectionChecks"
    QString title;
    int width = 4680; // of the client; its height follows from the rows
    int firstRowTop = 240;
    int rowPitch = 360;
    int rowHeight = 255;
    int captionLeft = 120;
    int captionWidth = 2760;
    int verdictLeft = 3000;
    int verdictWidth = 1575;
    int noteWidth = 4440; // the notes under the rows, which wrap
    // The control names of a check's caption and verdict labels (by the
    // check's place in the table) and of a group's heading (by the group's
    // place among those that have one): Check1Caption, Check1, CheckHeading1.
    std::function<QString(std::size_t check)> captionName = [](std::size_t check) {
        return QStringLiteral("Check%1Caption").arg(check + 1);
    };
    std::function<QString(std::size_t check)> verdictName
        = [](std::size_t check) { return QStringLiteral("Check%1").arg(check + 1); };
    std::function<QString(std::size_t heading)> headingName
        = [](std::size_t heading) { return QStringLiteral("CheckHeading%1").arg(heading + 1); };
};

// The pop-up that closes a calculation with design checks: each check
// "满足要求" or, in red, its own "not met" verdict ("不满足要求"), "未判断"
// where the inputs give nothing to judge, and under the rows what the
// verdicts leave open. A top-level, modeless window of its own; a key or
// mouse press on it hides it, its close box destroys it. Screen readers get
// it as an alert whose description reads the verdicts as sentences.
class VerdictWindow : public QWidget {
    Q_OBJECT
public:
    VerdictWindow(const CalculatorEntry& calculator, VerdictLayout layout);

    // Judges the calculator window's texts check by check. A check whose text
    // is not a number stops the judgement there and is returned; the checks
    // above keep their new verdicts, the others their old ones.
    std::optional<Fault> evaluate(const FieldTexts& texts);

    // Shows the window in front and active, so that the next key press goes
    // to it, and announces the verdicts. The first time, it opens beside
    // `beside` (a calculator window's fields, in global coordinates): to its
    // right, else to its left, else at the screen's right edge; later it
    // stays where the user left it.
    void bringForward(const QRect& beside = {});

signals:
    // The verdicts were just announced to assistive technology as an alert.
    void announced();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int rowTop(std::size_t check) const;
    int drawnHeight() const;
    void announce();
    // Says under the rows what the verdicts leave open, one sentence a line;
    // the window grows to take them.
    void showNotes(const std::vector<std::string>& notes);
    // Moves the window up where its notes would take it below the screen.
    void keepOnScreen();

    void openBeside(const QRect& beside);

    const CalculatorEntry m_calculator;
    const VerdictLayout m_layout;
    bool m_placed = false;
    QList<QLabel*> m_captions;
    QList<QLabel*> m_verdicts;
    QList<QLabel*> m_headings; // before the check they head, if any
    QLabel* m_note = nullptr;
};

// A calculator window's one verdict window: made on first use, made again
// after its close box destroyed it, and gone with the calculator window.
class VerdictWindowSlot {
public:
    explicit VerdictWindowSlot(std::function<VerdictWindow*()> make)
        : m_make(std::move(make))
    {
    }
    ~VerdictWindowSlot() { delete m_window.data(); }
    VerdictWindowSlot(const VerdictWindowSlot&) = delete;
    VerdictWindowSlot& operator=(const VerdictWindowSlot&) = delete;

    VerdictWindow* window()
    {
        if (!m_window)
            m_window = m_make();
        return m_window;
    }
    VerdictWindow* existing() const { return m_window; }

private:
    std::function<VerdictWindow*()> m_make;
    QPointer<VerdictWindow> m_window;
};
