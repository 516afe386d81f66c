#pragma once

#include "calculatorentry.h"
#include "titleblock.h"
#include "verdictwindow.h"

#include <QDateTime>
#include <QHash>
#include <QMdiSubWindow>

#include <memory>

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
    CalculatorWindow(const CalculatorEntry& calculator, const QString& name, const QString& title,
        QSize clientSize);
    ~CalculatorWindow() override;

    const CalculatorEntry& calculator() const { return m_calculator; }

    CalculationState calculationState() const { return m_state; }
    // The texts of every named field and combo box after the last complete
    // calculation, when it ran and the decimal separator it read; empty
    // unless the state is Complete.
    const QHash<QString, QString>& calculationTexts() const { return m_texts; }
    QDateTime calculationTime() const { return m_time; }
    QChar calculationSeparator() const { return m_separator; }

    // The inputs and the chosen steel grade as shown, by control name: what a
    // saved design and a trial keep.
    FieldTexts inputTexts() const;
    // Puts inputs back as typed, by control name, and every result to its
    // design-time text; the window then holds no calculation, and the results
    // come back with the next "确定输入".
    void restoreInputs(const FieldTexts& inputs);

    // Its verdict window, for a calculator with checks, once it exists.
    VerdictWindow* verdictWindow() const;

    // The title block of this calculator's sheet.
    const TitleBlock& titleBlock() const { return m_titleBlock; }
    void setTitleBlock(const TitleBlock& block);

signals:
    // A click of "确定输入" ended in a complete calculation of the inputs shown.
    void calculated();
    // The last complete calculation no longer belongs to the inputs shown: an
    // input or the steel grade changed, or a click stopped at a fault.
    void calculationOutdated();
    // An input, the steel grade or the title block changed, typed or set.
    void inputsChanged();
    void titleBlockChanged();

protected:
    void changeEvent(QEvent* event) override;

    // The widget the controls are placed on, at twip positions.
    QWidget* client() const { return m_client; }

    // The click of "确定输入": the calculator's calculation on the fields'
    // texts, written back, then the checks that follow it; a fault is
    // reported in a box.
    void runCalculation();

    // What follows a complete calculation, with the texts just written; the
    // fault that stopped it, if any: the verdict window's judgement, for a
    // calculator with checks.
    virtual std::optional<Fault> checkCalculation(FieldTexts& texts);
    // How the click ends for the user: a fault's report (and the verdicts of
    // an earlier calculation hidden), or the verdict window brought forward.
    virtual void showOutcome(const std::optional<Fault>& fault);

    // The calculator's verdict window: its title, and any names its labels
    // kept from an earlier program; made on the first calculation.
    virtual VerdictLayout verdictLayout() const;
    virtual VerdictWindow* makeVerdictWindow();

private:
    // How the click ended, once its texts are in the fields, for the sheet.
    void noteCalculation(bool complete);
    void noteInputEdited();

    // Where the fields are on the screen: what the verdict window opens beside.
    QRect fieldsOnScreen() const;

    const CalculatorEntry m_calculator;
    QWidget* m_client;
    std::unique_ptr<VerdictWindowSlot> m_verdicts; // for a calculator with checks
    CalculationState m_state = CalculationState::None;
    QHash<QString, QString> m_texts;
    QDateTime m_time;
    QChar m_separator = u'.';
    TitleBlock m_titleBlock;
    bool m_restoredBefore = false;
};
