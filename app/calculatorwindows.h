#pragma once

#include "calculationsheet.h"
#include "calculators.h"

#include <span>

class CalculatorWindow;

// The frame's side of each calculator: the window it opens and the sheet it
// writes. In the order of calculators().
struct CalculatorWindowEntry {
    const CalculatorEntry* calculator;
    CalculatorWindow* (*create)();
    SheetBuilder sheet;
};

std::span<const CalculatorWindowEntry> calculatorWindows();
