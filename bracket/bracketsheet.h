#pragma once

#include "calculationsheet.h"

// The calculation sheet (计算书) of the bracket: its inputs and materials,
// every result with the formula it comes from, and the six design checks
// with their strengths, sources, stress ratios and conclusion.
CalculationSheet bracketSheet(const SheetSnapshot& snapshot);
