#include "sectionsheet.h"

#include "sectionfigure.h"

#include "sectionfields.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

namespace field = SectionField;

// Formulas say what the steps compute, operand for operand; the unit factors
// are where they enter: 10³ turns kN into N, 10⁶ turns kN·m into N·mm.
const std::array<SheetFormula, 14> formulas { {
    { field::area, u"A = 2 × B × t + (H − 2 × t) × t_{w}"_s },
    { field::Ix, u"I_{x} = [B × H³ − (B − t_{w}) × (H − 2 × t)³] ÷ 12"_s },
    { field::Iy, u"I_{y} = [2 × t × B³ + (H − 2 × t) × t_{w}³] ÷ 12"_s },
    { field::ix, u"i_{x} = √(I_{x} ÷ A)"_s },
    { field::iy, u"i_{y} = √(I_{y} ÷ A)"_s },
    { field::Wx, u"W_{x} = 2 × I_{x} ÷ H"_s },
    { field::Wy, u"W_{y} = 2 × I_{y} ÷ B"_s },
    { field::elasticStress, u"σ_{e} = N × 10³ ÷ A + M × 10⁶ ÷ W_{x}"_s },
    // The plastic development factor 1.05 relieves the bending term only.
    { field::plasticStress, u"σ_{p} = N × 10³ ÷ A + M × 10⁶ ÷ (1.05 × W_{x})"_s },
    { field::L0, u"L_{0} = 2 × L"_s },
    { field::slendernessX, u"λ_{x} = L_{0} ÷ i_{x}"_s },
    { field::slendernessY, u"λ_{y} = L_{0} ÷ i_{y}"_s },
    // 7850 kg/m³ × 10⁻⁶ m²/mm²
    { field::G, u"G = A × 7850 × 10⁻⁶"_s },
    { field::Gsum, u"G_{sum} = Num × G"_s },
} };

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
    SheetPart results = resultPart(snapshot, sectionFields(), formulas);
    results.notes << plainCell(u"注：N × 10³ 将 kN 化为 N，M × 10⁶ 将 kN·m 化为 N·mm；"
                               u"计算长度取 L_{0} = 2 × L；重量按钢材密度 7850 kg/m³ 计。"_s);
    sheet.parts << results;
    return sheet;
}
