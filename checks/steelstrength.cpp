#include "steelstrength.h"

#include <array>

namespace {

// Table 4.4.1's f for each grade over its thickness groups; Q235's last
// three groups are one group of the table, 40 < t ≤ 100 mm.
struct Grade {
    int fy;
    std::array<double, 5> f; // t ≤ 16, ≤ 40, ≤ 63, ≤ 80, ≤ 100 mm
};

constexpr std::array<Grade, 5> grades { {
    { 235, { 215, 205, 200, 200, 200 } },
    { 345, { 305, 295, 290, 280, 270 } },
    { 390, { 345, 330, 310, 295, 295 } },
    { 420, { 375, 355, 320, 305, 305 } },
    { 460, { 410, 390, 355, 340, 340 } },
} };

constexpr std::array<double, 5> thickest { 16, 40, 63, 80, 100 };
constexpr std::array<std::string_view, 5> groups { "t ≤ 16 mm", "16 < t ≤ 40 mm", "40 < t ≤ 63 mm",
    "63 < t ≤ 80 mm", "80 < t ≤ 100 mm" };

} // namespace

std::optional<PlateStrength> plateStrength(int fy, double t)
{
    // Q355 came after the table and takes Q345's values, on the safe side.
    const int tabulated = fy == 355 ? 345 : fy;
    if (!(t > 0))
        return std::nullopt;
    for (const Grade& grade : grades) {
        if (grade.fy != tabulated)
            continue;
        for (std::size_t group = 0; group < thickest.size(); ++group)
            if (t <= thickest[group])
                return PlateStrength { grade.f[group],
                    tabulated == 235 && group >= 2 ? "40 < t ≤ 100 mm" : groups[group] };
        return std::nullopt;
    }
    return std::nullopt;
}
