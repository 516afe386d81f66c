#include "platestrengths.h"

#include "bracketfields.h"
#include "steelgrade.h"

#include <array>

namespace {

namespace field = BracketField;

std::string shownOr(const FieldTexts& fields, FieldName control, std::string_view drawn)
{
    const auto found = fields.find(control);
    return std::string(trimmedGrade(found == fields.end() ? drawn : found->second));
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string BracketMaterial::tabulatedName() const
{
    return fy ? "Q" + std::to_string(tabulatedGrade(*fy)) : std::string();
}

BracketMaterial bracketMaterial(const FieldTexts& fields)
{
    BracketMaterial material;
    material.grade = shownOr(fields, field::steelGrade, "Q235B");
    material.electrodeText = shownOr(fields, field::electrode, "E43");
    material.method = shownOr(fields, field::weldingMethod, "手工焊");
    material.qualityText = shownOr(fields, field::weldQuality, "三级");
    material.fy = gradeYieldStrength(material.grade);
    material.electrode = electrodeOf(material.electrodeText);
    material.quality = weldQualityOf(material.qualityText);
    return material;
}

std::optional<Electrode> electrodeOf(std::string_view text)
{
    static constexpr std::array<std::pair<std::string_view, Electrode>, 4> types { {
        { "E43", Electrode::E43 },
        { "E50", Electrode::E50 },
        { "E55", Electrode::E55 },
        { "E60", Electrode::E60 },
    } };
    text = trimmedGrade(text);
    // A full type names its coating and current by two digits more: E4303.
    const bool full = text.size() == 5 && isDigit(text[3]) && isDigit(text[4]);
    for (const auto& [name, electrode] : types)
        if (text.starts_with(name) && (text.size() == 3 || full))
            return electrode;
    return std::nullopt;
}

std::optional<int> weldQualityOf(std::string_view text)
{
    text = trimmedGrade(text);
    if (text == "一级")
        return 1;
    if (text == "二级")
        return 2;
    if (text == "三级")
        return 3;
    return std::nullopt;
}

double buttWeldTension(const PlateStrength& plate, int quality)
{
    return quality <= 2 ? plate.f : plate.ftwGradeThree;
}

std::string_view electrodeName(Electrode electrode)
{
    switch (electrode) {
    case Electrode::E43:
        return "E43";
    case Electrode::E50:
        return "E50";
    case Electrode::E55:
        return "E55";
    case Electrode::E60:
        break;
    }
    return "E60";
}

std::optional<FilletStrength> filletWeldStrength(Electrode electrode, int fy)
{
    const int grade = tabulatedGrade(fy);
    const bool highest = grade == 420 || grade == 460;
    double row = 0; // the steel's matching electrode
    if (grade == 235)
        row = 160;
    else if (grade == 345 || grade == 390)
        row = 200;
    else if (highest)
        row = 240;
    else
        return std::nullopt;
    double own = 240;
    switch (electrode) {
    case Electrode::E43:
        own = 160;
        break;
    case Electrode::E50:
        own = 200;
        break;
    case Electrode::E55:
        own = highest ? 220 : 200;
        break;
    case Electrode::E60:
        break;
    }
    return own <= row ? FilletStrength { own, false } : FilletStrength { row, true };
}
