#pragma once

#include "fieldsheet.h"

#include <optional>
#include <vector>

// The six design checks that close a bracket calculation: a stress field of
// the bracket window against its design strength, N/mm².
struct DesignCheck {
    FieldName field;
    double limit;
};

// σ at the lower flange edge, τ at the axis, the equivalent stress (allowed
// 1.1 f), the upper and lower flange butt welds, the web fillet welds.
const std::vector<DesignCheck>& bracketDesignChecks();

// A check is met while the stress's magnitude stays below its limit; a
// compressive stress is judged by its size like a tensile one.
bool meetsLimit(double stress, double limit);

struct BracketVerdicts {
    std::vector<bool> met; // one per check evaluated, in order
    std::optional<Fault> fault; // the field that did not read as a number
};

// Judges the checks in order; a field that is not a number stops the
// judgement at its row.
BracketVerdicts judgeBracket(const FieldTexts& fields, NumberFormat format);
