#pragma once

#include "fieldsheet.h"

#include <QWidget>

class QLabel;

// The verdict window that closes every bracket calculation: six stresses of
// the bracket window against their design strengths, "满足要求" or, in red,
// "不满足要求". A top-level, modeless window of its own; a key or mouse press
// on it hides it, its close box destroys it.
class FrmShow : public QWidget {
    Q_OBJECT
public:
    // The one verdict window, created (and evaluated) on first reference.
    static FrmShow* instance(const FieldTexts& bracketTexts);
    // The verdict window if it exists, without creating it.
    static FrmShow* existing();

    // Judges the bracket window's texts and shows the verdicts.
    void evaluate(const FieldTexts& bracketTexts);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    FrmShow();

    QList<QLabel*> m_verdicts; // Label7 … Label12
};
