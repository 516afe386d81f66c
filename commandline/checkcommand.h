#pragma once

#include "calculatorentry.h"
#include "tabletext.h"

#include <functional>
#include <string>
#include <string_view>

// `stelvana check`: a click of "确定输入" for every row of a table of inputs,
// each row written back with the results as the window shows them, the
// verdicts as the verdict window reads them, the fault that stopped it and
// the notes under the verdicts.

struct CommandOutput {
    int status = 0; // 0 done, 1 nothing found, 2 the command or its file is wrong
    std::string out; // for standard output or the file asked for
    std::string error; // one line for standard error, when there is one
};

// The report of a fault as the window words it, naming the field by the
// caption a screen reader speaks. Called from several threads at once.
using FaultWords = std::function<std::string(const Fault& fault, const std::string& caption)>;

// Takes the next bytes of the output; false when it could not (the caller
// knows why).
using WriteBytes = std::function<bool(std::string_view bytes)>;

struct CheckRun {
    enum Outcome { Done, TableWrong, ReadFailed, WriteFailed } outcome = Done;
    // For TableWrong, in Chinese: "第 3 行第 11 列：未知的列“M”（…）".
    std::string error;
};

// The first record names the inputs by their ids; an input no column names
// keeps its design-time text. The output is UTF-8 with a byte order mark,
// comma-separated: the inputs, the results, one column a verdict row, then
// "fault" and "notes". Rows are read, clicked and written a batch at a time
// on `threads` threads, so the first reaches `write` before the last is
// read; a blank line stays a blank line, so every row keeps its line's
// number. Where the table turns out wrong, the rows before go out first.
CheckRun checkTable(const CalculatorEntry& calculator, const ReadBytes& read,
    const WriteBytes& write, const FaultWords& faultWords, unsigned threads);

// The same on a table in memory.
CommandOutput checkTable(const CalculatorEntry& calculator, std::string_view csv,
    const FaultWords& faultWords, unsigned threads = 1);

// A name or value from the user, as a message echoes it: at most `most`
// characters, control characters shown as '?'.
std::string echoed(std::string_view text, std::size_t most = 24);
