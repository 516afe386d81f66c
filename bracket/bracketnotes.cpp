#include "bracketnotes.h"

#include "bracketfields.h"
#include "checknotes.h"
#include "platestrengths.h"
#include "steelgrade.h"

#include <array>

namespace {

namespace field = BracketField;

constexpr std::string_view gradeOfTheStrengths = "Q235B";

// "上翼缘厚t1 = −12".
std::string typedSize(FieldName control, const FieldTexts& fields, NumberFormat format)
{
    const auto text = fields.find(control);
    return typedInput(*findField(bracketFields(), control),
        text == fields.end() ? std::string_view() : std::string_view(text->second), format);
}

} // namespace

std::vector<std::string> impossibleSizes(
    const BracketInputs& in, const FieldTexts& fields, NumberFormat format)
{
    const std::array<std::pair<FieldName, Single>, 7> sizes { {
        { field::bf1, in.bf1 },
        { field::bf2, in.bf2 },
        { field::t1, in.t1 },
        { field::t2, in.t2 },
        { field::ts, in.ts },
        { field::hw, in.hw },
        { field::hf, in.hf },
    } };
    std::vector<std::string> sentences;
    for (const auto& [control, size] : sizes) {
        const bool plateThickness
            = control == field::t1 || control == field::t2 || control == field::ts;
        if (!(size.value > 0))
            sentences.push_back(typedSize(control, fields, format)
                + (control == field::hf ? "：焊脚尺寸须为正数，未作判断。"
                                        : "：板件尺寸须为正数，未作判断。"));
        else if (plateThickness && size.value > thickestTabulatedPlate)
            sentences.push_back(typedSize(control, fields, format)
                + "：板厚超过100 mm，超出表4.4.1的范围，未作判断。");
    }
    return sentences;
}

std::vector<std::string> openQuestions(const FieldTexts& fields)
{
    std::vector<std::string> notes;
    const auto grade = fields.find(field::steelGrade);
    const std::string shown(
        grade == fields.end() ? gradeOfTheStrengths : trimmedGrade(grade->second));
    if (shown == "Q345")
        notes.emplace_back("钢材为Q345，本程序取Q235的设计强度，偏于安全。");
    else if (shown.empty())
        notes.emplace_back("未注明钢材牌号，本程序取Q235B的设计强度，请复核。");
    else if (shown != gradeOfTheStrengths)
        notes.push_back("钢材为" + shown + "，本程序取Q235B的设计强度，请按所用钢材复核。");
    if (!gradeYieldStrength(shown))
        notes.push_back(unknownGradeNote("受压翼缘宽厚比与腹板高厚比"));

    notes.emplace_back("未验算柱翼缘在牛腿翼缘对应处的承载力与加劲肋（第12.3.4条）；"
                       "最小焊脚尺寸只按腹板厚ts取值。");
    notes.emplace_back("受拉翼缘对接焊缝要求与母材等强时不应低于二级（第11.1.6条）；"
                       "本程序按三级焊缝取抗拉强度，偏于安全。");
    return notes;
}
