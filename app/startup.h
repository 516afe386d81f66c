#pragma once

#include <QString>
#include <QStringList>

class MDIForm1;

// What the command line asks for, once Qt has taken its own options
// (-platform, -display …): the program alone, a design file to open, or one
// line of version or help.
struct CommandLine {
    enum Kind { Run, Version, Help, Wrong } kind = Run;
    QString file; // for Run: the design to open, or empty
};
CommandLine readCommandLine(const QStringList& arguments);
QString versionLine(); // "stelvana 1.0"
QString helpLine();

// The program's look, set once on the application: the interface font, the
// icon every window falls back to, the desktop entry it belongs to, and Qt's
// own texts in Chinese.
void applyProgramLook();

// Installs Qt's Chinese translations (qtbase) whatever the locale, so that
// Qt's own buttons and menus match the interface. False when the
// translations are not installed; Qt's texts then stay in English.
bool loadQtChineseTexts();

// The frame maximized, with the I-section window shown in it, as the program
// opens; with a design file, that design opened in it (a bad file is refused
// in a box and the windows stay at their defaults).
void showStartWindows(MDIForm1& frame, const QString& file = {});
