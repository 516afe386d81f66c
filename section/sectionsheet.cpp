#include "sectionsheet.h"

#include "sectionchecks.h"
#include "sectionentry.h"
#include "sectionfigure.h"
#include "verdictpart.h"

#include "sectionfields.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

namespace field = SectionField;

// Formulas say what the steps compute, operand for operand; the unit factors
// are where they enter: 10³ turns kN into N, 10⁶ turns kN·m into N·mm.
std::array<SheetFormula, 14> formulas(bool designLengths)
{
    return { {
    { field::area, u"A = 2 × B × t + (H − 2 × t) × t_{w}"_s },
    { field::Ix, u"I_{x} = [B × H³ − (B − t_{w}) × (H − 2 × t)³] ÷ 12"_s },
    { field::Iy, u"I_{y} = [2 × t × B³ + (H − 2 × t) × t_{w}³] ÷ 12"_s },
    { field::ix, u"i_{x} = √(I_{x} ÷ A)"_s },
    { field::iy, u"i_{y} = √(I_{y} ÷ A)"_s },
    { field::Wx, u"W_{x} = 2 × I_{x} ÷ H"_s },
    { field::Wy, u"W_{y} = 2 × I_{y} ÷ B"_s },
    { field::elasticStress, u"σ_{e} = N × 10³ ÷ A + M × 10⁶ ÷ W_{x}"_s },
    // The plastic factor γx relieves the bending term only.
    { field::plasticStress, u"σ_{p} = N × 10³ ÷ A + M × 10⁶ ÷ (γ_{x} × W_{x})"_s },
    { field::L0, designLengths ? u"L_{0} = 2 × L"_s : u"L_{0} = μ_{x} × L"_s },
    { field::slendernessX, u"λ_{x} = L_{0} ÷ i_{x}"_s },
    { field::slendernessY,
        designLengths ? u"λ_{y} = L_{0} ÷ i_{y}"_s : u"λ_{y} = μ_{y} × L ÷ i_{y}"_s },
    // 7850 kg/m³ × 10⁻⁶ m²/mm²
    { field::G, u"G = A × 7850 × 10⁻⁶"_s },
    // Num pieces of L mm at G kg/m.
    { field::Gsum, u"G_{sum} = Num × G × L ÷ 1000"_s },
    } };
}

SheetDrawing sectionDrawing(const SheetSnapshot& snapshot)
{
    return { std::make_shared<SectionFigure>(drawingDimension(snapshot, field::B, u"B"_s),
        drawingDimension(snapshot, field::H, u"H"_s),
        drawingDimension(snapshot, field::tw, u"tw"_s),
        drawingDimension(snapshot, field::t, u"t"_s)) };
}

} // namespace

CalculationSheet sectionSheet(const SheetSnapshot& snapshot)
{
    CalculationSheet sheet = sheetHeader(u"工字型截面性质计算书"_s, snapshot);
    sheet.parts << inputPart(snapshot, sectionFields());
    sheet.parts.back().drawing = sectionDrawing(snapshot);
    const NumberFormat format { char32_t(snapshot.decimalSeparator.unicode()) };
    const FieldTexts texts = coreTexts(snapshot.texts);
    const std::string lengths = sectionLengthNote(texts, format);
    SheetPart results = resultPart(snapshot, sectionFields(), formulas(lengths.empty()));
    // Fourteen rows: read as one table on one page.
    results.table.keepTogether = true;
    if (lengths.empty()) {
        results.notes << plainCell(
            u"注：N × 10³ 将 kN 化为 N，M × 10⁶ 将 kN·m 化为 N·mm；"
            u"计算长度取 L_{0} = 2 × L，即悬臂构件的计算长度系数 μ = 2，两个主轴相同；"
            u"重量按钢材密度 7850 kg/m³ 计，G_{sum} 为 Num 根长 L 的构件的总重量（kg）。"_s);
    } else {
        for (SheetRow& row : results.table.rows)
            if (row.field == fromCore(field::L0))
                row.cells[0].text = u"计算长度（μ_{x} × L）"_s;
        results.notes << plainCell(u"注：N × 10³ 将 kN 化为 N，M × 10⁶ 将 kN·m 化为 N·mm；"_s
            + fromCore(lengths)
            + u"重量按钢材密度 7850 kg/m³ 计，G_{sum} 为 Num 根长 L 的构件的总重量（kg）。"_s);
    }
    const std::string gamma = plasticFactorReason(texts, format);
    if (!gamma.empty())
        results.notes << plainCell(u"注："_s + fromCore(gamma));
    sheet.parts << results;
    sheet.parts << verdictPart(snapshot, sectionCalculator(),
        { plainCell(u"注：设计强度 f 按表4.4.1，由所示钢材牌号及翼缘、腹板中较厚者的厚度取值"
                    u"（Q355 取 Q345 的值）；N 以受压为正，强度按 |N| 与 |M| 验算。"_s),
            plainCell(
                u"注：强度按第8.1.1条，板件宽厚比按表3.5.1的S4级（压弯构件），S5级板件的强度与"
                u"平面内、外稳定按第8.4.2条的有效截面，超出S5级不判断稳定，长细比按第7.4.6条"
                u"（[λ] = 150，仅受压时），"_s
                + fromCore(sectionStabilityNote(texts, format))) });
    return sheet;
}
