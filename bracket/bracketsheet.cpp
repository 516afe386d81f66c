#include "bracketsheet.h"

#include "bracketentry.h"
#include "bracketfields.h"
#include "bracketfigure.h"
#include "bracketinputs.h"
#include "verdictpart.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

namespace field = BracketField;

// The window's formula labels, with what its captions get wrong put right:
// y takes t2 and t1 (not "tf2", "tf1"), the shear stresses divide by In and
// ts, τ1 is named τ1. Every flange term stands at its own distance from the
// centroidal axis: the upper flange's centre at y, the lower one's at c2, its
// outer edge at hw + t1/2 + t2 − y. The unit factors are where they enter:
// 10³ turns kN into N (or kN·m into kN·mm), 10⁶ turns kN·m into N·mm.
const std::array<SheetFormula, 20> formulas { {
    { field::M, u"M = F × e"_s },
    { field::V, u"V = F"_s },
    { field::An, u"A_{n} = b_{f1} × t_{1} + b_{f2} × t_{2} + t_{s} × h_{w}"_s },
    { field::y,
        u"y = [t_{s} × h_{w} × 0.5 × (h_{w} + t_{1}) "
        u"+ b_{f2} × t_{2} × (h_{w} + 0.5 × t_{1} + 0.5 × t_{2})] ÷ A_{n}"_s },
    { field::S, u"S = 0.5 × t_{s} × (y − 0.5 × t_{1})² + t_{1} × b_{f1} × y"_s },
    { field::a, u"a = 0.5 × h_{w} + 0.5 × t_{1} − y"_s },
    { field::In,
        u"I_{n} = t_{1} × b_{f1} × y² + t_{2} × b_{f2} × c_{2}² + t_{s} × h_{w}³ ÷ 12 "
        u"+ t_{s} × h_{w} × a²，其中 c_{2} = h_{w} + 0.5 × t_{1} + 0.5 × t_{2} − y"_s },
    { field::Wn1, u"W_{n1} = I_{n} ÷ (y + 0.5 × t_{1})"_s },
    { field::Wn2, u"W_{n2} = I_{n} ÷ (h_{w} + 0.5 × t_{1} + t_{2} − y)"_s },
    { field::sigma, u"σ = M × 10⁶ ÷ W_{n2}"_s },
    { field::tau, u"τ = V × S × 10³ ÷ (I_{n} × t_{s})"_s },
    { field::webEndModulus, u"W′_{n2} = I_{n} ÷ (h_{w} + 0.5 × t_{1} − y)"_s },
    { field::S1, u"S_{1} = t_{2} × b_{f2} × (h_{w} + 0.5 × t_{1} + 0.5 × t_{2} − y)"_s },
    { field::sigma1, u"σ_{1} = M × 10⁶ ÷ W′_{n2}"_s },
    { field::tau1, u"τ_{1} = V × S_{1} × 10³ ÷ (I_{n} × t_{s})"_s },
    { field::equivalentStress, u"√(σ_{1}² + 3 × τ_{1}²)"_s },
    // The moment as a couple of flange forces on the shorter of the depth
    // less 20 mm and the distance between the flange centres.
    { field::flangeForce,
        u"N = M × 10³ ÷ min(t_{1} + t_{2} + h_{w} − 20, h_{w} + 0.5 × t_{1} + 0.5 × t_{2})"_s },
    { field::upperFlangeWeld, u"σ_{f1} = N × 10³ ÷ (t_{1} × b_{f1})"_s },
    { field::lowerFlangeWeld, u"σ_{f2} = N × 10³ ÷ (t_{2} × b_{f2})"_s },
    // Two fillet welds, throat 0.7 hf each, on the shorter of hw less 20 mm
    // and hw less 2·hf.
    { field::filletWeld,
        u"τ_{f} = V × 10³ ÷ (2 × 0.7 × h_{f} × l_{w})，其中 l_{w} = min(h_{w} − 20, h_{w} − 2h_{f})"_s },
} };

// How the checks were made, under the conclusion.
QList<SheetCell> verdictBasis()
{
    return { plainCell(
                 u"注：设计强度按计算条件中的钢材牌号（Q355 取 Q345 的值）、焊条与焊缝质量等级，"
                 u"依各项所验算板件的厚度分组取值（表4.4.1、表4.4.5）；焊接形式仅作说明，"
                 u"表4.4.5中自动焊、半自动焊与手工焊采用相应焊条时强度相同；εk 按所示钢材牌号取值；"
                 u"应力比按应力的绝对值计算。"_s),
        plainCell(
            u"注：正应力按第6.1.1条，剪应力按第6.1.3条，腹板上、下端的折算应力按第6.1.5条"
            u"（β_{1} = 1.1），翼缘对接焊缝按第11.2.1条（受拉一侧取 f_{t}^{w}，受压一侧取 "
            u"f_{c}^{w}），腹板角焊缝按第11.2.2条（T形连接沿全长受剪，不按第11.2."
            u"6条搭接长焊缝折减）；"
            u"受压翼缘宽厚比按表3.5.1的S4级，大于15ε_{k}而不大于20ε_{k}（S5级）时翼缘外伸宽度按"
            u"15ε_{k}·t 计入有效截面，该侧强度按有效截面的应力验算；腹板高厚比按第6.3.2条，大于"
            u"80ε_{k}时自柱面至荷载处的无加劲肋区格（a = 1000|e|，h_{0} = h_{w}）按第6.3.3条式"
            u"(6.3.3-1)验算（σ_{c} = 0，受压翼缘扭转未受约束，η = 1.0），大于150ε_{k}不满足要求；"
            u"角焊缝构造按表11.3.5与第11.3.5条。"_s),
        plainCell(
            u"注：荷载与节点——无支承加劲肋时，腹板计算高度上边缘的局部压应力按第6.1.4条"
            u"（ψ = 1.0，l_{z} = a + 5h_{y}，h_{y} = t_{1}，无轨道），并计入腹板上端的折算应力"
            u"（荷载扩散长度靠柱一端，β_{1} = 1.2）与第6.3.3条的区格稳定（σ_{c,cr}，区格长度至多2h_{0}）；"
            u"有支承加劲肋时，按第6.3.7条验算其刨平顶紧端面的承压（扣除切角）与腹板平面外稳定"
            u"（成对加劲肋及荷载两侧各15t_{s}ε_{k}腹板，l_{0} = h_{w}，b类截面），按第6.3.6条验算"
            u"外伸宽度与厚度；翼缘与腹板的连接角焊缝按第11.2.7条（上翼缘 S_{f} = t_{1} × b_{f1} × y，"
            u"下翼缘 S_{f} = t_{2} × b_{f2} × c_{2}，I = I_{n}，β_{f} = 1.22，按静力荷载）；"
            u"柱无水平加劲肋时按第12.3.4条验算柱腹板与柱翼缘，柱钢材取牛腿钢材，h_{y} = t_{c}；"
            u"角焊缝最小焊脚尺寸另按表11.3.5注1取较厚件（焊接方法是否低氢未注明，偏于安全）。"_s) };
}

// How the lever arm of the flange couple and the fillet welds' length were
// taken, with the figures the calculation used; nothing when the inputs are
// no numbers.
QStringList weldGeometry(const SheetSnapshot& snapshot)
{
    const NumberFormat format { char32_t(snapshot.decimalSeparator.unicode()) };
    const FieldTexts fields = coreTexts(snapshot.texts);
    const FieldReader reader(fields, format);
    QStringList lines;
    const std::optional<Fault> fault = runSteps([&] {
        const BracketInputs in = readBracketInputs(reader);
        const auto mm = [&](Single length) { return fromCore(generalText(length.value, format)); };
        const FlangeLeverArm arm = flangeLeverArm(in);
        lines << u"翼缘对接焊缝受力的力臂 h_{1} = min(t_{1} + t_{2} + h_{w} − 20, "
                 u"h_{w} + 0.5 × t_{1} + 0.5 × t_{2}) = min(%1, %2) = %3 mm"_s.arg(
                     mm(arm.depthLess20), mm(arm.centres), mm(arm.arm));
        const FilletWeldLength weld = filletWeldLength(in);
        lines << u"角焊缝计算长度 l_{w} = min(h_{w} − 20, h_{w} − 2h_{f}) = min(%1, %2) = %3 mm"_s
                     .arg(mm(weld.webLess20), mm(weld.webLessEnds), mm(weld.lw));
    });
    return fault ? QStringList() : lines;
}

// The root section as read, with the centroidal axis the calculation found and
// the load at e (typed in m, drawn in mm).
SheetDrawing bracketDrawing(const SheetSnapshot& snapshot)
{
    BracketFigure::Sizes sizes {
        .bf1 = drawingDimension(snapshot, field::bf1, u"bf1"_s),
        .t1 = drawingDimension(snapshot, field::t1, u"t1"_s),
        .ts = drawingDimension(snapshot, field::ts, u"ts"_s),
        .hw = drawingDimension(snapshot, field::hw, u"hw"_s),
        .bf2 = drawingDimension(snapshot, field::bf2, u"bf2"_s),
        .t2 = drawingDimension(snapshot, field::t2, u"t2"_s),
        .y = drawingDimension(snapshot, field::y, u"y"_s),
        .e = drawingDimension(snapshot, field::e, u"e"_s, 1000),
        .load = u"F = "_s + inputAsRead(snapshot, field::F) + u" kN"_s,
    };
    sizes.e.label += u" m"_s;
    return { std::make_shared<BracketFigure>(std::move(sizes)) };
}

} // namespace

CalculationSheet bracketSheet(const SheetSnapshot& snapshot)
{
    CalculationSheet sheet = sheetHeader(u"钢牛腿强度计算书"_s, snapshot);
    sheet.basis += u"；焊缝强度设计值按其表4.4.5"_s;
    sheet.parts << inputPart(snapshot, bracketFields());
    sheet.parts.back().drawing = bracketDrawing(snapshot);
    SheetPart results = resultPart(snapshot, bracketFields(), formulas);
    // The root section's figures read as one block, on one page where they fit.
    results.table.keepTogether = true;
    results.notes << plainCell(u"注：M × 10⁶ 将 kN·m 化为 N·mm，V × 10³ 与 N × 10³ 将 kN 化为 N，"
                               u"翼缘对接焊缝受力中 M × 10³ 将 kN·m 化为 kN·mm。"_s);
    results.notes << plainCell(u"注：净截面惯性矩未计入翼缘板对自身形心轴的惯性矩 b × t³ ÷ 12，"
                               u"偏于安全。"_s);
    for (const QString& line : weldGeometry(snapshot))
        results.notes << plainCell(
            u"注："_s + withSeparator(line, snapshot.decimalSeparator) + u"。"_s);
    sheet.parts << results;
    sheet.parts << verdictPart(snapshot, bracketCalculator(), verdictBasis());
    return sheet;
}
