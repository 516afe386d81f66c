#pragma once

// The line format of step files and result files. Every text is written in
// printable ASCII with backslash escapes, so a file reads the same on every
// system, a blank or a full-width digit is visible in a diff, and one field
// sits on one line whatever its text holds.
//
//   \\  backslash        \s  blank (U+0020)     \t \n \r  tab, line feed, return
//   \u{HEX}  any other character outside ASCII (valid UTF-8), hex in capitals
//   \xHH     any other byte: ASCII controls, DEL, bytes that are not UTF-8
//
// Printable ASCII other than the backslash stands for itself; the empty text
// writes as nothing.

#include "calculators.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string escapeText(std::string_view text);

// One character in UTF-8.
std::string utf8Of(char32_t c);

// The text an escaped form stands for; nothing when the form is not one that
// escapeText can write (a lone backslash, an unknown escape, a blank, a
// \u{...} that is not a Unicode scalar value).
std::optional<std::string> unescapeText(std::string_view escaped);

// A calculator of the registry; step files name it by its id.
using Calculator = const CalculatorEntry*;

// One click of "确定输入": the texts typed before it, in order, into the window
// as the previous click left it, or into a newly opened window.
struct Step {
    Calculator calculator = nullptr;
    char32_t separator = U'.';
    bool newWindow = false;
    std::vector<std::pair<std::string, std::string>> typed;
};

// A step line: "section . Text1=400 Text3=\u{FF16}", "bracket , new Text8=0,45".
// Fields are the calculator's id, the decimal separator (one character, escaped
// like a text), optionally "new", then typed fields as Name=escaped-text,
// separated by single blanks.
std::string formatStep(const Step& step);

struct StepParse {
    std::optional<Step> step;
    std::string error; // why the line is not a step, when it is not
};
StepParse parseStep(std::string_view line);

std::string_view calculatorName(Calculator calculator);

// The ids of every calculator, in the registry's order: "section|bracket".
std::string calculatorIds(std::string_view between);

// Field names sorted by their control number: Text2 before Text10.
bool controlOrder(const std::string& a, const std::string& b);
