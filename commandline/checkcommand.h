#pragma once

#include "calculatorentry.h"

#include <functional>
#include <string>
#include <string_view>

// `stelvana check`: a click of "确定输入" for every row of a table of inputs,
// each row written back with the results as the window shows them, the
// verdicts as the verdict window reads them, and the fault that stopped it.

struct CommandOutput {
    int status = 0; // 0 done, 1 nothing found, 2 the command or its file is wrong
    std::string out; // for standard output or the file asked for
    std::string error; // one line for standard error, when there is one
};

// The report of a fault as the window words it, naming the field by the
// caption a screen reader speaks.
using FaultWords = std::function<std::string(const Fault& fault, const std::string& caption)>;

// The first record names the inputs by their ids; an input no column names
// keeps its design-time text. The output is UTF-8 with a byte order mark,
// comma-separated: the inputs, the results, one column a verdict row, then
// "fault".
CommandOutput checkTable(
    const CalculatorEntry& calculator, std::string_view csv, const FaultWords& faultWords);
