#include "calculators.h"

#include <algorithm>

const CalculatorEntry* findCalculator(std::string_view id)
{
    const std::span<const CalculatorEntry> all = calculators();
    const auto found = std::find_if(
        all.begin(), all.end(), [&](const CalculatorEntry& entry) { return entry.id == id; });
    return found == all.end() ? nullptr : &*found;
}
