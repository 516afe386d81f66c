#pragma once

#include "calculationsheet.h"

// The calculation sheet (计算书) of the I-section: its inputs, and every
// result with the formula it comes from.
CalculationSheet sectionSheet(const SheetSnapshot& snapshot);
