#pragma once

#include "fieldsheet.h"

#include <QWidget>

#include <optional>

class QLabel;

// The verdict window that closes every bracket calculation: six stresses of
// the bracket window against their design strengths, then under their own
// heading five checks of local stability and detailing, each "满足要求" or,
// in red, "不满足要求" ("未判断" where the inputs give nothing to judge), and
// under them what the verdicts leave open. A top-level, modeless window of its
// own; a key or mouse press on it hides it, its close box destroys it. Screen
// readers get it as an alert whose description reads the verdicts as
// sentences.
class FrmShow : public QWidget {
    Q_OBJECT
public:
    // The one verdict window, created hidden on first reference.
    static FrmShow* instance();
    // The verdict window if it exists, without creating it.
    static FrmShow* existing();

    // Judges the bracket window's texts row by row. A row whose text is not a
    // number stops the judgement there and is returned; the rows above keep
    // their new verdicts, the others their old ones.
    std::optional<Fault> evaluate(const FieldTexts& bracketTexts);

    // Shows the window in front and active, so that the next key press goes
    // to it, and announces the verdicts.
    void bringForward();

signals:
    // The verdicts were just announced to assistive technology as an alert.
    void announced();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    FrmShow();
    void announce();
    // Moves the window up where its notes would take it below the screen.
    void keepOnScreen();
    // Says under the rows what the verdicts leave open, one sentence a line;
    // the window grows to take them.
    void showNotes(const std::vector<std::string>& notes);

    QList<QLabel*> m_captions; // Label1 … Label6, Label13Caption … Label17Caption
    QList<QLabel*> m_verdicts; // Label7 … Label17
    QLabel* m_detailingHeading = nullptr;
    QLabel* m_note = nullptr;
};
