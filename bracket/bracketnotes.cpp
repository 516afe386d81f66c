#include "bracketnotes.h"

#include "bracketfields.h"
#include "checknotes.h"
#include "platestrengths.h"

#include <array>

namespace {

namespace field = BracketField;

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

std::vector<std::string> openQuestions(
    const BracketMaterial& material, std::optional<bool> columnStiffened)
{
    std::vector<std::string> notes;
    const std::string grade
        = material.grade.empty() ? std::string("未注明钢材牌号") : "钢材为" + material.grade;
    if (!material.fy)
        notes.push_back(grade
            + "：无法确定设计强度与εk（应为Q235、Q345、Q355、Q390、Q420或Q460，可带质量等级A～E），"
              "强度各项与受压翼缘宽厚比、腹板高厚比未作判断。");
    else if (*material.fy == 355)
        notes.emplace_back("Q355取表4.4.1、表4.4.5中Q345的设计强度，偏于安全。");
    if (!material.electrode)
        notes.push_back((material.electrodeText.empty() ? std::string("未注明焊条型号")
                                                        : "焊条为" + material.electrodeText)
            + "：表4.4.5无此焊条（应为E43、E50、E55或E60），角焊缝应力未作判断。");
    if (!material.quality)
        notes.push_back((material.qualityText.empty() ? std::string("未注明焊缝质量等级")
                                                      : "焊缝质量为" + material.qualityText)
            + "：应为一级、二级或三级，受拉一侧翼缘的对接焊缝应力未作判断。");

    if (columnStiffened == true)
        notes.emplace_back("柱在牛腿上、下翼缘对应处设水平加劲肋：加劲肋宜与牛腿翼缘对齐，"
                           "厚度不宜小于牛腿翼缘厚度，宽度满足传力与宽厚比要求，"
                           "并以焊透的T形对接焊缝与柱翼缘连接；加劲肋与节点域本程序未验算。");
    if (material.quality == 3)
        notes.emplace_back("受拉翼缘对接焊缝要求与母材等强时不应低于二级（第11.1.6条）；"
                           "本程序按三级焊缝取抗拉强度，偏于安全。");
    else if (material.quality)
        notes.push_back("受拉翼缘对接焊缝按" + material.qualityText
            + "焊缝取ft^w = f（表4.4.5），须经检验确认达到该质量等级（第11.1.6条）。");
    return notes;
}
