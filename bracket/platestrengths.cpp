#include "platestrengths.h"

#include <array>

namespace {

// Table 4.4.1 for Q235 and, beside it, table 4.4.5's grade-three butt weld
// in tension: 0.85 f rounded to 5 N/mm², as the code rounds.
constexpr std::array<std::pair<double, PlateStrengths>, 3> groups { {
    { 16, { 215, 125, 185, "t ≤ 16 mm" } },
    { 40, { 205, 120, 175, "16 < t ≤ 40 mm" } },
    { 100, { 200, 115, 170, "40 < t ≤ 100 mm" } },
} };

} // namespace

std::optional<PlateStrengths> q235Strengths(Single t)
{
    const double thickness = t.value;
    if (!(thickness > 0))
        return std::nullopt;
    for (const auto& [thickest, strengths] : groups)
        if (thickness <= thickest)
            return strengths;
    return std::nullopt;
}
