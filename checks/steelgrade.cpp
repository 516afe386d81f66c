#include "steelgrade.h"

#include <array>
#include <cmath>

namespace {

// Blanks as typed: spaces, tabs and an input method's full-width space.
bool startsWithBlank(std::string_view text)
{
    return text.starts_with(' ') || text.starts_with('\t') || text.starts_with("\u3000");
}

bool endsWithBlank(std::string_view text)
{
    return text.ends_with(' ') || text.ends_with('\t') || text.ends_with("\u3000");
}

std::size_t blankSize(char last)
{
    return last == ' ' || last == '\t' ? 1 : std::string_view("\u3000").size();
}

} // namespace

std::string_view trimmedGrade(std::string_view grade)
{
    while (startsWithBlank(grade))
        grade.remove_prefix(blankSize(grade.front()));
    while (endsWithBlank(grade))
        grade.remove_suffix(blankSize(grade.back()));
    return grade;
}

std::optional<int> gradeYieldStrength(std::string_view grade)
{
    static constexpr std::array<std::pair<std::string_view, int>, 6> grades { {
        { "Q235", 235 },
        { "Q345", 345 },
        { "Q355", 355 },
        { "Q390", 390 },
        { "Q420", 420 },
        { "Q460", 460 },
    } };
    grade = trimmedGrade(grade);
    for (const auto& [name, fy] : grades) {
        if (!grade.starts_with(name))
            continue;
        const std::string_view letter = grade.substr(name.size());
        if (letter.empty() || (letter.size() == 1 && letter[0] >= 'A' && letter[0] <= 'E'))
            return fy;
    }
    return std::nullopt;
}

double epsilonK(int fy)
{
    return std::sqrt(235.0 / fy);
}

std::string unknownGradeNote(std::string_view checks)
{
    return "无法由此牌号确定εk（应为Q235、Q345、Q355、Q390、Q420或Q460），" + std::string(checks)
        + "未作判断。";
}
