#pragma once

#include "calculatorentry.h"

#include <span>
#include <string_view>

// The program's calculators, in the frame's menu order: those the build
// added with stelvana_add_calculator, in the order added. Whatever serves
// every calculator loops over this.
std::span<const CalculatorEntry> calculators();

// The calculator of `id`, or nullptr.
const CalculatorEntry* findCalculator(std::string_view id);
