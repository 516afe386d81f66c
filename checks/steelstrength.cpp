#include "steelstrength.h"

#include <array>

namespace {

// One thickness group of a grade: the thickest plate in it and its strengths.
struct Group {
    double thickest;
    double f, fv, ftw;
    std::string_view name;
};

struct Grade {
    int fy;
    std::array<Group, 5> groups; // as many as the grade has; the rest thickest 0
};

// Tables 4.4.1 and 4.4.5. Q235 has three groups, Q390 to Q460 four, Q345 five.
constexpr std::array<Grade, 5> grades { {
    { 235,
        { {
            { 16, 215, 125, 185, "t ≤ 16 mm" },
            { 40, 205, 120, 175, "16 < t ≤ 40 mm" },
            { 100, 200, 115, 170, "40 < t ≤ 100 mm" },
        } } },
    { 345,
        { {
            { 16, 305, 175, 260, "t ≤ 16 mm" },
            { 40, 295, 170, 250, "16 < t ≤ 40 mm" },
            { 63, 290, 165, 245, "40 < t ≤ 63 mm" },
            { 80, 280, 160, 240, "63 < t ≤ 80 mm" },
            { 100, 270, 155, 230, "80 < t ≤ 100 mm" },
        } } },
    { 390,
        { {
            { 16, 345, 200, 295, "t ≤ 16 mm" },
            { 40, 330, 190, 280, "16 < t ≤ 40 mm" },
            { 63, 310, 180, 265, "40 < t ≤ 63 mm" },
            { 100, 295, 170, 250, "63 < t ≤ 100 mm" },
        } } },
    { 420,
        { {
            { 16, 375, 215, 320, "t ≤ 16 mm" },
            { 40, 355, 205, 300, "16 < t ≤ 40 mm" },
            { 63, 320, 185, 270, "40 < t ≤ 63 mm" },
            { 100, 305, 175, 260, "63 < t ≤ 100 mm" },
        } } },
    { 460,
        { {
            { 16, 410, 235, 350, "t ≤ 16 mm" },
            { 40, 390, 225, 330, "16 < t ≤ 40 mm" },
            { 63, 355, 205, 300, "40 < t ≤ 63 mm" },
            { 100, 340, 195, 290, "63 < t ≤ 100 mm" },
        } } },
} };

} // namespace

int tabulatedGrade(int fy)
{
    // Q355 came after the tables and takes Q345's values, on the safe side.
    return fy == 355 ? 345 : fy;
}

std::optional<PlateStrength> plateStrength(int fy, double t)
{
    if (!(t > 0))
        return std::nullopt;
    for (const Grade& grade : grades) {
        if (grade.fy != tabulatedGrade(fy))
            continue;
        for (const Group& group : grade.groups)
            if (t <= group.thickest)
                return PlateStrength { group.f, group.fv, group.ftw, group.name };
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<double> endBearingStrength(int fy)
{
    switch (tabulatedGrade(fy)) {
    case 235:
        return 320;
    case 345:
        return 400;
    case 390:
        return 415;
    case 420:
        return 440;
    case 460:
        return 470;
    default:
        return std::nullopt;
    }
}
