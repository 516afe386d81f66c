#pragma once

#include "fieldsheet.h"
#include "verdicts.h"

#include <string_view>
#include <vector>

// The design checks that close a bracket calculation, in the verdict
// window's order: six of strength, each a stress field of the bracket window
// against its design strength, then five of local stability and detailing,
// whose figures the checks work out from the same Singles as the stresses.
//
// The strengths are those of Q235 plates by the thickness of the plate each
// check is about (table 4.4.1), E43 electrodes and grade-three butt welds
// (table 4.4.5), whatever the window shows; each judged check says which
// value it took and where it comes from.
struct DesignCheck {
    std::string_view caption; // the verdict window's row
    FieldName field; // the result field judged; empty for a figure worked out by the check
    std::string_view clause; // the clause of GB 50017-2017 the check is made by
    std::string_view notMet = "不满足要求"; // the verdict when it is not met
};

const std::vector<DesignCheck>& bracketDesignChecks();

// The strength checks come first; the others stand under this heading.
inline constexpr std::size_t bracketStrengthCheckCount = 6;
inline constexpr std::string_view bracketDetailingHeading = "局部稳定与构造";

// A stress check is met while the stress's magnitude stays strictly below
// its limit; a compressive stress is judged by its size like a tensile one.
bool meetsLimit(double stress, double limit);

// Judges the checks in order. A field that is not a number stops the
// judgement at its check. An impossible bracket (a size ≤ 0, a plate beyond
// 100 mm) has every check not judged, and a grade the checks do not know
// leaves the two that need εk not judged; the notes say why, and on a
// judged bracket what the checks leave open.
Verdicts judgeBracket(const FieldTexts& fields, NumberFormat format);
