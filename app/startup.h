#pragma once

class MDIForm1;

// The program's look, set once on the application: the interface font and
// the icon every window falls back to.
void applyProgramLook();

// The frame maximized, with the I-section window shown in it, as the program
// opens.
void showStartWindows(MDIForm1& frame);
