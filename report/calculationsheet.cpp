#include "calculationsheet.h"

#include "sheetfigures.h"

#include <algorithm>

using namespace Qt::StringLiterals;

#ifndef STELVANA_VERSION
#define STELVANA_VERSION "1.0"
#endif

namespace {

// Items are the windows' own captions without the symbol, which has a column
// (inputs) or leads the formula (results). Formulas say what the steps compute,
// operand for operand; the unit factors are where they enter: 10³ turns kN
// into N (or kN·m into kN·mm), 10⁶ turns kN·m into N·mm.

struct Input {
    QString field, item, symbol, unit;
};

struct Result {
    QString field, item, formula, unit;
};

const Input sectionInputs[] = {
    { u"Text1"_s, u"翼缘宽"_s, u"B"_s, u"mm"_s },
    { u"Text2"_s, u"高度"_s, u"H"_s, u"mm"_s },
    { u"Text3"_s, u"腹板厚"_s, u"t_{w}"_s, u"mm"_s },
    { u"Text4"_s, u"翼缘厚"_s, u"t"_s, u"mm"_s },
    { u"Text12"_s, u"轴力"_s, u"N"_s, u"kN"_s },
    { u"Text13"_s, u"弯矩"_s, u"M"_s, u"kN·m"_s },
    { u"Text16"_s, u"构件长度"_s, u"L"_s, u"mm"_s },
    { u"Text20"_s, u"数量"_s, u"Num"_s, u"—"_s },
};

const Result sectionResults[] = {
    { u"Text5"_s, u"截面面积"_s, u"A = 2 × B × t + (H − 2 × t) × t_{w}"_s, u"mm²"_s },
    { u"Text6"_s, u"转动惯量"_s, u"I_{x} = [B × H³ − (B − t_{w}) × (H − 2 × t)³] ÷ 12"_s,
        u"mm⁴"_s },
    { u"Text7"_s, u"转动惯量"_s, u"I_{y} = [2 × t × B³ + (H − 2 × t) × t_{w}³] ÷ 12"_s, u"mm⁴"_s },
    { u"Text8"_s, u"回转半径"_s, u"i_{x} = √(I_{x} ÷ A)"_s, u"mm"_s },
    { u"Text9"_s, u"回转半径"_s, u"i_{y} = √(I_{y} ÷ A)"_s, u"mm"_s },
    { u"Text10"_s, u"截面抵抗矩"_s, u"W_{x} = 2 × I_{x} ÷ H"_s, u"mm³"_s },
    { u"Text11"_s, u"截面抵抗矩"_s, u"W_{y} = 2 × I_{y} ÷ B"_s, u"mm³"_s },
    { u"Text14"_s, u"弹性设计最大应力"_s, u"σ_{e} = N × 10³ ÷ A + M × 10⁶ ÷ W_{x}"_s, u"N/mm²"_s },
    // The plastic development factor 1.05 relieves the bending term only.
    { u"Text15"_s, u"纯弯梁考虑塑性最大应力"_s, u"σ_{p} = N × 10³ ÷ A + M × 10⁶ ÷ (1.05 × W_{x})"_s,
        u"N/mm²"_s },
    { u"Text17"_s, u"计算长度"_s, u"L_{0} = 2 × L"_s, u"mm"_s },
    { u"Text18"_s, u"X轴长细比"_s, u"λ_{x} = L_{0} ÷ i_{x}"_s, u"—"_s },
    { u"Text19"_s, u"Y轴长细比"_s, u"λ_{y} = L_{0} ÷ i_{y}"_s, u"—"_s },
    // 7850 kg/m³ × 10⁻⁶ m²/mm²
    { u"Text21"_s, u"每米重量"_s, u"G = A × 7850 × 10⁻⁶"_s, u"kg/m"_s },
    { u"Text22"_s, u"重量"_s, u"G_{sum} = Num × G"_s, u"kg/m"_s },
};

// The steel grade and the weld data are shown as typed or as fixed; no step
// reads them.
const Input bracketInputs[] = {
    { u"Text1"_s, u"上翼缘宽"_s, u"b_{f1}"_s, u"mm"_s },
    { u"Text2"_s, u"下翼缘宽"_s, u"b_{f2}"_s, u"mm"_s },
    { u"Text3"_s, u"上翼缘厚"_s, u"t_{1}"_s, u"mm"_s },
    { u"Text4"_s, u"下翼缘厚"_s, u"t_{2}"_s, u"mm"_s },
    { u"Text5"_s, u"腹板宽"_s, u"t_{s}"_s, u"mm"_s },
    { u"Text6"_s, u"腹板高度"_s, u"h_{w}"_s, u"mm"_s },
    { u"Text7"_s, u"竖向压力设计值"_s, u"F"_s, u"kN"_s },
    { u"Text8"_s, u"柱边与竖向压力距离"_s, u"e"_s, u"m"_s },
    { u"Combo1"_s, u"钢材"_s, u"—"_s, u"—"_s },
    { u"Text9"_s, u"焊条"_s, u"—"_s, u"—"_s },
    { u"Text10"_s, u"焊接形式"_s, u"—"_s, u"—"_s },
    { u"Text11"_s, u"焊缝质量"_s, u"—"_s, u"—"_s },
    { u"Text12"_s, u"角焊缝焊角尺寸"_s, u"h_{f}"_s, u"mm"_s },
};

// The window's formula labels, with what its captions get wrong put right:
// y takes t2 and t1 (not "tf2", "tf1"), the shear stresses divide by In and
// ts, τ1 is named τ1, and the caption's "弯炬" is 弯矩. Every flange term
// stands at its own distance from the centroidal axis: the upper flange's
// centre at y, the lower one's at c2, its outer edge at hw + t1/2 + t2 − y.
const Result bracketResults[] = {
    { u"Text13"_s, u"作用于牛腿根部的弯矩"_s, u"M = F × e"_s, u"kN·m"_s },
    { u"Text14"_s, u"作用于牛腿根部的剪力"_s, u"V = F"_s, u"kN"_s },
    { u"Text15"_s, u"牛腿根部的净截面积"_s,
        u"A_{n} = b_{f1} × t_{1} + b_{f2} × t_{2} + t_{s} × h_{w}"_s, u"mm²"_s },
    { u"Text16"_s, u"上翼缘板中心至截面形心轴处的距离"_s,
        u"y = [t_{s} × h_{w} × 0.5 × (h_{w} + t_{1}) "
        u"+ b_{f2} × t_{2} × (h_{w} + 0.5 × t_{1} + 0.5 × t_{2})] ÷ A_{n}"_s,
        u"mm"_s },
    { u"Text17"_s, u"形心轴以上面积对形心轴的面积矩"_s,
        u"S = 0.5 × t_{s} × (y − 0.5 × t_{1})² + t_{1} × b_{f1} × y"_s, u"mm³"_s },
    { u"Text18"_s, u"腹板中心距与y的距离"_s, u"a = 0.5 × h_{w} + 0.5 × t_{1} − y"_s, u"mm"_s },
    { u"Text19"_s, u"净截面的惯性矩"_s,
        u"I_{n} = t_{1} × b_{f1} × y² + t_{2} × b_{f2} × c_{2}² + t_{s} × h_{w}³ ÷ 12 "
        u"+ t_{s} × h_{w} × a²，其中 c_{2} = h_{w} + 0.5 × t_{1} + 0.5 × t_{2} − y"_s,
        u"mm⁴"_s },
    { u"Text20"_s, u"净截面的上抵抗矩"_s, u"W_{n1} = I_{n} ÷ (y + 0.5 × t_{1})"_s, u"mm³"_s },
    { u"Text21"_s, u"净截面的下抵抗矩"_s, u"W_{n2} = I_{n} ÷ (h_{w} + 0.5 × t_{1} + t_{2} − y)"_s,
        u"mm³"_s },
    { u"Text22"_s, u"下翼缘外边的正应力"_s, u"σ = M × 10⁶ ÷ W_{n2}"_s, u"N/mm²"_s },
    { u"Text23"_s, u"截面形心轴处的剪应力"_s, u"τ = V × S × 10³ ÷ (I_{n} × t_{s})"_s, u"N/mm²"_s },
    { u"Text24"_s, u"截面腹板下端抵抗矩"_s, u"W′_{n2} = I_{n} ÷ (h_{w} + 0.5 × t_{1} − y)"_s,
        u"mm³"_s },
    { u"Text25"_s, u"下翼缘对形心轴的面积矩"_s,
        u"S_{1} = t_{2} × b_{f2} × (h_{w} + 0.5 × t_{1} + 0.5 × t_{2} − y)"_s, u"mm³"_s },
    { u"Text26"_s, u"腹板下端的正应力"_s, u"σ_{1} = M × 10⁶ ÷ W′_{n2}"_s, u"N/mm²"_s },
    { u"Text27"_s, u"腹板下端的剪应力"_s, u"τ_{1} = V × S_{1} × 10³ ÷ (I_{n} × t_{s})"_s,
        u"N/mm²"_s },
    { u"Text28"_s, u"腹板下端的折算应力"_s, u"√(σ_{1}² + 3 × τ_{1}²)"_s, u"N/mm²"_s },
    // The moment as a couple of flange forces on the depth less 20 mm.
    { u"Text29"_s, u"翼缘对接焊缝受力"_s, u"N = M × 10³ ÷ (t_{1} + t_{2} + h_{w} − 20)"_s,
        u"kN"_s },
    { u"Text30"_s, u"上翼缘焊缝应力"_s, u"σ_{f1} = N × 10³ ÷ (t_{1} × b_{f1})"_s, u"N/mm²"_s },
    { u"Text31"_s, u"下翼缘焊缝应力"_s, u"σ_{f2} = N × 10³ ÷ (t_{2} × b_{f2})"_s, u"N/mm²"_s },
    // Two fillet welds, throat 0.7 hf each, length hw less 20 mm.
    { u"Text32"_s, u"腹板角焊缝应力"_s, u"τ_{f} = V × 10³ ÷ [2 × 0.7 × h_{f} × (h_{w} − 20)]"_s,
        u"N/mm²"_s },
};

SheetCell plain(const QString& text)
{
    return { text, false, false };
}

SheetCell fieldText(const SheetSnapshot& snapshot, const QString& field)
{
    return { snapshot.texts.value(field), false, true };
}

template <std::size_t N> SheetPart inputPart(const SheetSnapshot& snapshot, const Input (&rows)[N])
{
    SheetPart part;
    part.heading = u"一、计算条件"_s;
    part.table.header = { u"项目"_s, u"符号"_s, u"数值"_s, u"单位"_s };
    part.table.widths = { 44, 16, 26, 14 };
    for (const Input& row : rows)
        part.table.rows << SheetRow { row.field,
            { plain(row.item), plain(row.symbol), fieldText(snapshot, row.field),
                plain(row.unit) } };
    return part;
}

template <std::size_t N>
SheetPart resultPart(const SheetSnapshot& snapshot, const Result (&rows)[N])
{
    SheetPart part;
    part.heading = u"二、计算过程及结果"_s;
    part.table.header = { u"项目"_s, u"计算公式"_s, u"计算结果"_s, u"单位"_s };
    part.table.widths = { 26, 46, 17, 11 };
    for (const Result& row : rows)
        part.table.rows << SheetRow { row.field,
            { plain(row.item), plain(row.formula), fieldText(snapshot, row.field),
                plain(row.unit) } };
    return part;
}

SheetPart verdictPart(const SheetSnapshot& snapshot)
{
    SheetPart part;
    part.heading = u"三、验算结论"_s;
    part.table.header = { u"验算项目"_s, u"应力 (N/mm²)"_s, u"设计强度 (N/mm²)"_s,
        u"依据 GB 50017-2017"_s, u"应力比"_s, u"结论"_s };
    part.table.widths = { 20, 14, 20, 22, 9, 15 };
    int notMet = 0, notJudged = 0;
    for (const CheckFigures& check :
        bracketCheckFigures(snapshot.texts, snapshot.decimalSeparator)) {
        SheetCell verdict = plain(u"—"_s);
        if (check.verdict == CheckVerdict::Met)
            verdict = plain(u"满足要求"_s);
        else if (check.verdict == CheckVerdict::NotMet)
            verdict = { u"不满足要求"_s, true, false };
        notMet += check.verdict == CheckVerdict::NotMet;
        notJudged += check.verdict == CheckVerdict::NotJudged;
        part.table.rows << SheetRow { check.field,
            { plain(check.caption), fieldText(snapshot, check.field), plain(check.strength),
                plain(check.source), plain(check.ratio.isEmpty() ? u"—"_s : check.ratio),
                verdict } };
    }
    if (notJudged > 0)
        part.notes << SheetCell { u"结论：有 %1 项应力不是数字，无法判断"_s.arg(notJudged), true };
    else if (notMet > 0)
        part.notes << SheetCell { u"结论：有 %1 项不满足要求"_s.arg(notMet), true };
    else
        part.notes << plain(u"结论：全部满足要求"_s);
    part.notes << plain(u"注：设计强度按 Q235 钢、板厚 t ≤ 16 mm、E43 焊条、三级对接焊缝取固定值，"
                        u"不随计算条件中所示的钢材牌号改变；应力比按应力的绝对值计算。"_s);
    for (const QString& caveat : bracketStrengthCaveats(snapshot.texts, snapshot.decimalSeparator))
        part.notes << plain(u"注意："_s + caveat);
    return part;
}

} // namespace

const SheetRow* CalculationSheet::rowOf(const QString& field) const
{
    for (const SheetPart& part : parts)
        for (const SheetRow& row : part.table.rows)
            if (row.field == field)
                return &row;
    return nullptr;
}

CalculationSheet buildSheet(const SheetSnapshot& snapshot)
{
    CalculationSheet sheet;
    sheet.kind = snapshot.kind;
    sheet.program = u"Stelvana "_s + QString::fromLatin1(STELVANA_VERSION);
    sheet.calculatedAt = snapshot.calculatedAt.toString(u"yyyy-MM-dd HH:mm:ss"_s);
    if (snapshot.kind == SheetKind::Section) {
        sheet.title = u"工字型截面性质计算书"_s;
        sheet.parts << inputPart(snapshot, sectionInputs);
        SheetPart results = resultPart(snapshot, sectionResults);
        results.notes << plain(u"注：N × 10³ 将 kN 化为 N，M × 10⁶ 将 kN·m 化为 N·mm；"
                               u"计算长度取 L_{0} = 2 × L；重量按钢材密度 7850 kg/m³ 计。"_s);
        sheet.parts << results;
    } else {
        sheet.title = u"钢牛腿强度计算书"_s;
        sheet.parts << inputPart(snapshot, bracketInputs);
        SheetPart results = resultPart(snapshot, bracketResults);
        results.notes << plain(u"注：M × 10⁶ 将 kN·m 化为 N·mm，V × 10³ 与 N × 10³ 将 kN 化为 N，"
                               u"翼缘对接焊缝受力中 M × 10³ 将 kN·m 化为 kN·mm。"_s);
        results.notes << plain(u"注：净截面惯性矩未计入翼缘板对自身形心轴的惯性矩 b × t³ ÷ 12，"
                               u"偏于安全。"_s);
        sheet.parts << results;
        sheet.parts << verdictPart(snapshot);
    }
    return sheet;
}
