#pragma once

class MDIForm1;

// The program's look, set once on the application: the interface font, the
// icon every window falls back to, the desktop entry it belongs to, and Qt's
// own texts in Chinese.
void applyProgramLook();

// Installs Qt's Chinese translations (qtbase) whatever the locale, so that
// Qt's own buttons and menus match the interface. False when the
// translations are not installed; Qt's texts then stay in English.
bool loadQtChineseTexts();

// The frame maximized, with the I-section window shown in it, as the program
// opens.
void showStartWindows(MDIForm1& frame);
