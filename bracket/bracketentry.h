#pragma once

#include "calculatorentry.h"

// The steel bracket (钢牛腿受力计算) as the program's list of calculators holds it.
CalculatorEntry bracketCalculator();
