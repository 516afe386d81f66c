#include "judgedbracket.h"

#include "bracketfields.h"
#include "parse.h"
#include "steelgrade.h"

bool JudgedBracket::upperFlangeInTension() const
{
    return sheet.readDouble(BracketField::flangeForce).value >= 0;
}

std::optional<PlateStrength> JudgedBracket::plate(Single t) const
{
    return plate(double(t.value));
}

std::optional<PlateStrength> JudgedBracket::plate(double t) const
{
    return fy() ? plateStrength(*fy(), t) : std::nullopt;
}

std::string JudgedBracket::thicknessGroup(
    const PlateStrength& strengths, std::string_view plate, Single t) const
{
    return material.tabulatedName() + "，" + withThickness(strengths.group, plate, t, format());
}

std::string withThickness(
    std::string_view group, std::string_view plate, Single t, NumberFormat format)
{
    std::string named(group);
    named.replace(named.find('t'), 1, std::string(plate) + " = " + generalText(t.value, format));
    return named;
}

Limit strength(std::string_view symbol, double value, std::string source, NumberFormat format)
{
    return { value, std::string(symbol) + " = " + generalText(value, format), std::move(source) };
}

std::string epsilonText(int fy, NumberFormat format)
{
    return "f_{y} = " + std::to_string(fy) + "，ε_{k} = " + fixedTwoDecimals(epsilonK(fy), format);
}

JudgedCheck stressNotJudged(const FieldReader& sheet, FieldName stress)
{
    (void)sheet.readDouble(stress);
    JudgedCheck check;
    check.value = sheet.text(stress);
    return check;
}

JudgedCheck workedStressBelow(double stress, Limit limit, NumberFormat format)
{
    std::string shown = fixedTwoDecimals(stress, format);
    const double judged = parseDouble(shown, format).value;
    return stressBelow(std::move(shown), judged, std::move(limit), format);
}

std::optional<Limit> filletStrength(const JudgedBracket& bracket)
{
    const BracketMaterial& material = bracket.material;
    if (!material.fy || !material.electrode)
        return std::nullopt;
    const FilletStrength ffw = *filletWeldStrength(*material.electrode, *material.fy);
    std::string source
        = "表4.4.5，" + std::string(electrodeName(*material.electrode)) + "焊条角焊缝";
    const std::string grade = material.tabulatedName();
    if (ffw.steelGoverns)
        source += "，" + grade + "钢所在行无此焊条，按该行取值";
    else if (grade != "Q235")
        source += "，" + grade;
    return strength("f_{f}^{w}", ffw.ffw, std::move(source), bracket.format());
}

