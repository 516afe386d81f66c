#pragma once

// What one click of "确定输入" does to a window's texts, as the windows do it.
// The texts travel as UTF-8 by control name; this is the runner's only
// contact with the calculations.

#include "designchecks.h"
#include "fieldsheet.h"
#include "steptext.h"

#include <optional>
#include <string>
#include <vector>

using WindowTexts = FieldTexts;

struct FaultSeen {
    std::string field;
    std::string kind; // NotANumber, OutOfRange, DivisionByZero, InvalidOperation
    std::string text;
};

struct ClickOutcome {
    std::optional<FaultSeen> fault;
    // The verdict window, for a calculator with design checks, after a
    // complete calculation: one verdict per check judged, and the field that
    // stopped the judgement, if any.
    std::optional<std::vector<Verdict>> verdicts;
    std::optional<FaultSeen> verdictFault;
};

ClickOutcome click(Calculator calculator, WindowTexts& texts, char32_t separator);

// What the window's line edits hold as it opens; a choice from a list (the
// bracket's steel grade) is no line edit and is not carried.
inline WindowTexts windowAsOpened(Calculator calculator)
{
    return designTimeTexts(calculator->fields(), FieldControls::Typed);
}
