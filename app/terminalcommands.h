#pragma once

#include <QStringList>

#include <string>

struct Fault;

// The commands that run without a display: `stelvana check CALCULATOR
// FILE.csv [-o OUT.csv]` and `stelvana optimize bracket [id=value …]`.

// The ids of the calculators `check` takes, or of those `optimize` searches:
// "section 或 bracket".
QString calculatorIds(bool optimizing = false);

// A fault as a row of `stelvana check` reports it: the window's words for
// the field and the reason.
std::string terminalFaultWords(const Fault& fault, const std::string& caption);

// Whether the program was started for one of them.
bool asksForTerminalCommand(int argc, char* argv[]);

// Runs the command of `arguments` (the program's own first), writing to
// standard output or the file asked for and one line to standard error
// when something is wrong; the exit status.
int runTerminalCommand(const QStringList& arguments);
