#pragma once

#include "calculatorentry.h"

#include <span>
#include <string_view>

// The program's calculators, in the frame's menu order: a new calculator is
// a folder of its own (fields, calculation, entry, window, sheet) and one
// line here, in calculators.cpp, and in the frame's list of windows. Whatever
// serves every calculator loops over this.
std::span<const CalculatorEntry> calculators();

// The calculator of `id`, or nullptr.
const CalculatorEntry* findCalculator(std::string_view id);
