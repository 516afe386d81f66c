#pragma once

#include "calculatorentry.h"

// The I-section (工字型截面性质) as the program's list of calculators holds it.
CalculatorEntry sectionCalculator();
