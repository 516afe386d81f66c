#include "calculators.h"

#include "bracketcalculation.h"
#include "bracketfields.h"
#include "bracketverdicts.h"
#include "sectioncalculation.h"
#include "sectionfields.h"

#include <algorithm>
#include <array>

namespace {

// In the frame's menu order.
const std::array entries {
    CalculatorEntry { "section", "工字型截面性质", "menuG", sectionFields, calculateSection },
    CalculatorEntry {
        "bracket", "钢牛腿受力计算", "menuGN", bracketFields, calculateBracket, judgeBracket },
};

} // namespace

std::span<const CalculatorEntry> calculators()
{
    return entries;
}

const CalculatorEntry* findCalculator(std::string_view id)
{
    const auto found = std::find_if(entries.begin(), entries.end(),
        [&](const CalculatorEntry& entry) { return entry.id == id; });
    return found == entries.end() ? nullptr : &*found;
}
