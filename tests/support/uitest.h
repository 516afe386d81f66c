#pragma once

// Shared pieces of the window tests: they run offscreen, fail rather than hang
// on an unexpected modal box, and check that captions really render.

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

class CalculatorWindow;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QWidget;

// Sets up the test application the way the program sets itself up (the
// interface font, the icon, Qt's Chinese texts), with the C locale for
// numbers.
void prepareTestApplication();

// The name of the "确定输入" button of a calculator ("section", "bracket"), as
// its entry declares it.
QString confirmButton(const QString& calculatorId);

// A new window of the calculator `id`, as the frame makes it; the caller
// owns it.
CalculatorWindow* newCalculatorWindow(const QString& id);

// Characters of `text` for which `font`, with Qt's font fallback, has no glyph.
QString missingGlyphs(const QString& text, const QFont& font);

// Every caption under `root` (labels, group boxes, buttons, fields, menu
// commands, window title) whose characters do not all render:
// "objectName: characters".
QStringList captionsWithMissingGlyphs(const QWidget* root);

// Puts `window` maximized into a new multiple-document area on screen, as the
// frame shows it, and waits until the area is exposed and active. The caller
// owns the area, and with it the window.
QMdiArea* showInMdiArea(QMdiSubWindow* window);

// How an ordinary read-only line edit like `like` (place, palette, margins)
// draws `text`, from its first character.
QImage asPlainLineEdit(const QLineEdit* like, const QString& text);

// Closes the modal boxes that appear while it lives, keeping their texts; a
// test that expects none checks texts() is empty. A box is never left open.
class ModalBoxCatcher {
public:
    ModalBoxCatcher();
    ~ModalBoxCatcher();
    ModalBoxCatcher(const ModalBoxCatcher&) = delete;
    ModalBoxCatcher& operator=(const ModalBoxCatcher&) = delete;

    // "title|text" of every box closed so far.
    QStringList texts() const;

private:
    struct State;
    State* m_state;
};
