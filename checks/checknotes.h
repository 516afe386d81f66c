#pragma once

#include "fieldfacts.h"

#include <string>
#include <string_view>

// Pieces of the sentences under a calculator's verdicts (UTF-8, no markup).

// An input as the window names it and the program read it, a minus as a
// minus sign: "上翼缘厚t1 = −12".
std::string typedInput(const FieldFacts& facts, std::string_view text, NumberFormat format);
