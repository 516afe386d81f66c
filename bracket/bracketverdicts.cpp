#include "bracketverdicts.h"

#include "bracketfields.h"
#include "parse.h"

#include <cmath>

namespace {

// The plates the strengths of table 4.4.1 hold for without reduction.
constexpr float thickestPlateOfTheStrengths = 16;
constexpr std::string_view gradeOfTheStrengths = "Q235B";

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

const std::vector<DesignCheck>& bracketDesignChecks()
{
    static const std::vector<DesignCheck> checks {
        { BracketField::sigma, "下翼缘外边的正应力", "f", 215, 1, "表4.4.1，Q235，t ≤ 16 mm",
            "第6.1.1条" },
        { BracketField::tau, "截面形心轴处的剪应力", "f_{v}", 125, 1, "表4.4.1，Q235，t ≤ 16 mm",
            "第6.1.3条" },
        // 1.1 × 215 is the Double 236.50000000000003: 236.50 still passes.
        { BracketField::equivalentStress, "腹板下端的折算应力", "β_{1}·f", 215, 1.1, "第6.1.5条",
            "第6.1.5条" },
        { BracketField::upperFlangeWeld, "上翼缘焊缝应力", "f_{t}^{w}", 185, 1,
            "表4.4.5，三级对接焊缝受拉", "第11.2.1条" },
        { BracketField::lowerFlangeWeld, "下翼缘焊缝应力", "f_{c}^{w}", 215, 1,
            "表4.4.5，对接焊缝受压", "第11.2.1条" },
        { BracketField::filletWeld, "角焊缝应力", "f_{f}^{w}", 160, 1, "表4.4.5，E43焊条角焊缝",
            "第11.2.2条" },
    };
    return checks;
}

bool meetsLimit(double stress, double limit)
{
    return std::fabs(stress) < limit;
}

BracketVerdicts judgeBracket(const FieldTexts& fields, NumberFormat format)
{
    BracketVerdicts verdicts;
    const FieldReader sheet(fields, format);
    verdicts.fault = runSteps([&] {
        for (const DesignCheck& check : bracketDesignChecks())
            verdicts.met.push_back(meetsLimit(sheet.readDouble(check.field).value, check.limit()));
    });
    return verdicts;
}

std::vector<std::string> strengthCaveats(const FieldTexts& fields, NumberFormat format)
{
    std::vector<std::string> caveats;
    bool thickPlate = false;
    for (const FieldName plate : { BracketField::t1, BracketField::t2, BracketField::ts }) {
        const auto text = fields.find(plate);
        if (text == fields.end())
            continue;
        // As the calculation read it: a Single.
        const Parsed<float> thickness = parseSingle(text->second, format);
        thickPlate = thickPlate || (thickness && thickness.value > thickestPlateOfTheStrengths);
    }
    if (thickPlate)
        // No break inside "t ≤ 16 mm".
        caveats.emplace_back("板厚大于16 mm，设计强度应按规范降低，本程序取 "
                             "t\u00A0≤\u00A016\u00A0mm 的值，请复核。");

    const auto grade = fields.find(BracketField::steelGrade);
    const std::string_view shown
        = grade == fields.end() ? gradeOfTheStrengths : trimmed(grade->second);
    if (shown == "Q345")
        caveats.emplace_back("钢材为Q345，本程序取Q235的设计强度，偏于安全。");
    else if (shown.empty())
        caveats.emplace_back("未注明钢材牌号，本程序取Q235B的设计强度，请复核。");
    else if (shown != gradeOfTheStrengths)
        caveats.push_back(
            "钢材为" + std::string(shown) + "，本程序取Q235B的设计强度，请按所用钢材复核。");
    return caveats;
}
