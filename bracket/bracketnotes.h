#pragma once

#include "bracketinputs.h"
#include "designchecks.h"
#include "platestrengths.h"

#include <optional>
#include <string>
#include <vector>

// The sentences under the bracket's verdicts (UTF-8, no markup).

// One for each size that makes the bracket impossible to judge: a plate or
// the fillet leg ≤ 0, a plate thicker than the strength table's 100 mm.
// Empty for a bracket that can be judged.
std::vector<std::string> impossibleSizes(
    const BracketInputs& in, const FieldTexts& fields, NumberFormat format);

// What the judged checks leave open: a material the tables do not know,
// named with what it must be, Q355 read as Q345, what a stiffened column's
// stiffeners must do, and what no check covers.
std::vector<std::string> openQuestions(
    const BracketMaterial& material, std::optional<bool> columnStiffened);
