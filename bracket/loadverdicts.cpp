#include "loadverdicts.h"

#include "bracketfields.h"
#include "checknotes.h"
#include "steelgrade.h"
#include "steelstrength.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

namespace field = BracketField;
using enum Verdict;

JudgedCheck notJudgedBecause(std::string note)
{
    JudgedCheck check;
    check.note = std::move(note);
    return check;
}

JudgedCheck notApplicable()
{
    JudgedCheck check;
    check.verdict = NotApplicable;
    return check;
}

// "柱翼缘厚tc = −20：板件尺寸须为正数，未作判断。" for the first size of
// `sizes` that no plate can have; nothing when they all can.
std::optional<std::string> impossibleSize(
    const JudgedBracket& bracket, std::initializer_list<std::pair<FieldName, Single>> sizes)
{
    for (const auto& [control, size] : sizes) {
        const FieldFacts& facts = *findField(bracketFields(), control);
        const std::string named = typedInput(
            facts, generalText(size.value, bracket.format()), bracket.format());
        if (!(size.value > 0))
            return named + "：尺寸须为正数，未作判断。";
        if (control != field::hc && control != field::bs && size.value > thickestTabulatedPlate)
            return named + "：板厚超过100 mm，超出表4.4.1的范围，未作判断。";
    }
    return std::nullopt;
}

// φ as the tables of appendix D give it, three decimals, the exact binary
// value rounded the same way on every machine.
std::string threeDecimals(double value, NumberFormat format)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 3).ptr;
    std::string text(digits, end);
    // The separator as the two-decimal texts write it, UTF-8.
    const std::string sample = fixedTwoDecimals(1.5, format);
    text.replace(text.find('.'), 1, sample.substr(1, sample.size() - 3));
    return text;
}

std::string mm(double length, NumberFormat format)
{
    return limitNumber(length, format);
}

// A choice the window offers as 有 or 无 holding something else.
std::string unknownPresence(const JudgedBracket& bracket, FieldName control, std::string_view rows)
{
    const FieldFacts& facts = *findField(bracketFields(), control);
    return std::string(facts.name) + "为“" + bracket.sheet.text(control) + "”：应为有或无，"
        + std::string(rows) + "未作判断。";
}

// §6.1.4: σc against the web plate's f.
JudgedCheck localCompressionRow(const JudgedBracket& bracket, const LoadPathInputs& path,
    const std::optional<LocalCompression>& local)
{
    const NumberFormat format = bracket.format();
    if (!path.stiffener)
        return notJudgedBecause(unknownPresence(bracket, field::stiffener, "腹板局部压应力与支承加劲肋各项"));
    if (*path.stiffener || bracket.in.F.value < 0)
        return notApplicable();
    if (!local)
        return notJudgedBecause("荷载支承长度a = " + generalText(path.bearing.value, format)
            + " mm：l_z须为正数，腹板局部压应力未作判断。");
    const std::optional<PlateStrength> web = bracket.plate(bracket.in.ts);
    if (!web)
        return {};
    JudgedCheck check = workedStressBelow(local->sigmaC,
        strength("f", web->f,
            "l_{z} = a + 5h_{y} = " + generalText(path.bearing.value, format) + " + 5 × "
                + generalText(bracket.in.t1.value, format) + " = " + mm(local->lz, format)
                + " mm，ψ = 1.0；表4.4.1，" + bracket.thicknessGroup(*web, "t_{s}", bracket.in.ts),
            format),
        format);
    if (check.verdict == NotMet)
        check.note = "腹板局部压应力σc = " + check.value + "大于f = " + limitNumber(web->f, format)
            + "：应在荷载处设置支承加劲肋，或加大荷载支承长度、腹板厚度（第6.1.4条）。";
    return check;
}

// The four rows of the bearing stiffener pair: end bearing and stability
// (§6.3.7), then its outstand and thickness (§6.3.6).
void stiffenerRows(
    std::vector<JudgedCheck>& rows, const JudgedBracket& bracket, const LoadPathInputs& path)
{
    const NumberFormat format = bracket.format();
    if (!path.stiffener || !*path.stiffener || bracket.in.F.value < 0) {
        rows.insert(rows.end(), 4, path.stiffener ? notApplicable() : JudgedCheck {});
        return;
    }
    if (const auto impossible
        = impossibleSize(bracket, { { field::bs, path.bs }, { field::tst, path.tst } })) {
        rows.push_back(notJudgedBecause(*impossible));
        rows.insert(rows.end(), 3, JudgedCheck {});
        return;
    }
    const double bs = path.bs.value, tst = path.tst.value, cut = path.cut.value;
    const double ts = bracket.in.ts.value, hw = bracket.in.hw.value;
    const double F = bracket.in.F.value;

    if (!bracket.fy()) {
        rows.insert(rows.end(), 2, JudgedCheck {});
    } else if (!(bs - cut > 0) || cut < 0) {
        rows.push_back(notJudgedBecause("支承加劲肋切角c = " + generalText(cut, format)
            + " mm：应不小于0且小于外伸宽度b_s，端面承压与稳定未作判断。"));
        rows.push_back({});
    } else {
        const int fy = *bracket.fy();
        const BearingStiffener s = bearingStiffener(F, bs, tst, cut, ts, hw, fy);
        const double fce = *endBearingStrength(fy);
        rows.push_back(workedStressBelow(s.bearingStress,
            strength("f_{ce}", fce,
                "A_{ce} = 2 × (b_{s} − c) × t_{st} = " + mm(s.contactArea, format)
                    + " mm²；表4.4.1，" + bracket.material.tabulatedName() + "，端面承压（刨平顶紧）",
                format),
            format));
        // The member is of two plates: the weaker strength of the two governs.
        const PlateStrength stiffenerPlate = *bracket.plate(path.tst);
        const PlateStrength web = *bracket.plate(bracket.in.ts);
        const bool stiffenerGoverns = stiffenerPlate.f <= web.f;
        rows.push_back(workedStressBelow(s.stabilityStress,
            strength("f", std::min(stiffenerPlate.f, web.f),
                "λ = h_{w}/i = " + fixedTwoDecimals(s.slenderness, format) + "，b类，φ = "
                    + threeDecimals(s.phi, format) + "，A = " + mm(s.area, format) + " mm²；表4.4.1，"
                    + (stiffenerGoverns
                            ? bracket.thicknessGroup(stiffenerPlate, "t_{st}", path.tst)
                            : bracket.thicknessGroup(web, "t_{s}", bracket.in.ts)),
                format),
            format));
    }
    const double widest = (hw / 30) + 40;
    rows.push_back(figureWithin(generalText(bs, format), bs,
        { widest, "h_{0}/30 + 40 = " + limitNumber(widest, format), "式(6.3.6-1)，h_{0} = h_{w}" },
        Bound::AtLeast, format));
    const double outstand = bs / tst;
    rows.push_back(figureWithin(fixedTwoDecimals(outstand, format), outstand,
        { 15, "15", "式(6.3.6-2)，承压加劲肋t_{st} ≥ b_{s}/15" }, Bound::AtMost, format));
}

// §11.2.7 for the fillets of one flange: its first moment about the axis,
// and under the load without a stiffener, the load's share.
JudgedCheck flangeWebRow(const JudgedBracket& bracket, const LoadPathInputs& path, bool upper,
    const std::optional<LocalCompression>& local, const std::optional<Limit>& ffw)
{
    const NumberFormat format = bracket.format();
    if (const auto impossible = impossibleSize(bracket, { { field::hf2, path.hf2 } }))
        return notJudgedBecause(*impossible);
    if (!ffw)
        return {};
    const BracketInputs& in = bracket.in;
    const double y = bracket.root.y.value, In = bracket.root.In.value;
    const double c2 = ((double(in.hw.value) + 0.5 * in.t1.value) + 0.5 * in.t2.value) - y;
    const double Sf = upper ? (double(in.bf1.value) * in.t1.value) * y
                            : (double(in.bf2.value) * in.t2.value) * c2;
    const double loadPerLength
        = upper && local ? (double(in.F.value) * 1000) / (frontFilletFactor * local->lz) : 0;
    const FlangeWebWeld weld
        = flangeWebWeld(std::fabs(double(in.F.value)), Sf, In, loadPerLength, path.hf2.value);
    Limit limit = *ffw;
    // Sf is the flange's own t·b times its distance to the axis, as the
    // sheet's note says; the source keeps to what the limit and the load take.
    limit.source = "h_{f}′ = " + generalText(path.hf2.value, format) + " mm"
        + (loadPerLength > 0 ? "，荷载处β_{f} = 1.22，l_{z} = " + mm(local->lz, format) + " mm"
                             : std::string())
        + "；" + limit.source;
    return workedStressBelow(weld.stress, std::move(limit), format);
}

// §12.3.4, a column without stiffeners opposite the bracket's flanges.
void columnRows(
    std::vector<JudgedCheck>& rows, const JudgedBracket& bracket, const LoadPathInputs& path)
{
    const NumberFormat format = bracket.format();
    if (!path.columnStiffener) {
        rows.push_back(notJudgedBecause(unknownPresence(bracket, field::columnStiffener, "柱腹板与柱翼缘")));
        rows.push_back({});
        return;
    }
    if (*path.columnStiffener) {
        // What the stiffeners must then do is a note of its own.
        JudgedCheck stiffened;
        stiffened.verdict = Met;
        stiffened.metAs = "设水平加劲肋";
        rows.insert(rows.end(), 2, stiffened);
        return;
    }
    if (const auto impossible = impossibleSize(
            bracket, { { field::tc, path.tc }, { field::twc, path.twc }, { field::hc, path.hc } })) {
        rows.push_back(notJudgedBecause(*impossible));
        rows.push_back({});
        return;
    }
    if (!bracket.fy()) {
        rows.insert(rows.end(), 2, JudgedCheck {});
        return;
    }
    const int fy = *bracket.fy();
    const BracketInputs& in = bracket.in;
    const bool lowerCompressed = bracket.upperFlangeInTension();
    const Single tCompressed = lowerCompressed ? in.t2 : in.t1;
    const Single tTension = lowerCompressed ? in.t1 : in.t2;
    const double Afb = double((lowerCompressed ? in.bf2 : in.bf1).value) * tCompressed.value;
    const double Aft = double((lowerCompressed ? in.bf1 : in.bf2).value) * tTension.value;
    const PlateStrength compressedFlange = *bracket.plate(tCompressed);
    const PlateStrength tensionFlange = *bracket.plate(tTension);
    const PlateStrength columnWeb = *bracket.plate(path.twc);
    const PlateStrength columnFlange = *bracket.plate(path.tc);

    const ColumnWebNeeds web = columnWebNeeds(Afb, compressedFlange.f, tCompressed.value,
        path.tc.value, columnWeb.f, path.hc.value, epsilonK(fy));
    const double needed = std::max(web.byForce, web.bySlenderness);
    rows.push_back(figureWithin(generalText(path.twc.value, format), path.twc.value,
        { needed,
            "max(A_{fb}f_{b}/(b_{e}f_{c}), h_{c}/(30ε_{k})) = max("
                + fixedTwoDecimals(web.byForce, format) + ", "
                + fixedTwoDecimals(web.bySlenderness, format) + ") = "
                + fixedTwoDecimals(needed, format),
            std::string(lowerCompressed ? "下" : "上") + "翼缘受压，A_{fb} = "
                + generalText(Afb, format) + " mm²，b_{e} = " + mm(web.be, format)
                + " mm，f_{b} = " + generalText(compressedFlange.f, format)
                + "，f_{c} = " + generalText(columnWeb.f, format) + "，ε_{k} = "
                + fixedTwoDecimals(epsilonK(fy), format) },
        Bound::AtLeast, format));
    const double flange = columnFlangeNeeds(Aft, tensionFlange.f, columnFlange.f);
    rows.push_back(figureWithin(generalText(path.tc.value, format), path.tc.value,
        { flange, "0.4√(A_{ft}f_{b}/f_{c}) = " + fixedTwoDecimals(flange, format),
            std::string(lowerCompressed ? "上" : "下") + "翼缘受拉，A_{ft} = "
                + generalText(Aft, format) + " mm²，f_{b} = "
                + generalText(tensionFlange.f, format) + "，f_{c} = "
                + generalText(columnFlange.f, format) },
        Bound::AtLeast, format));
}

// Table 11.3.5, note 1: without knowing that the welding is low-hydrogen or
// preheated, the leg is taken against the thicker part joined, the safe side.
JudgedCheck legAgainstThickerRow(const JudgedBracket& bracket, const LoadPathInputs& path)
{
    const NumberFormat format = bracket.format();
    if (const auto impossible = impossibleSize(bracket, { { field::tc, path.tc } }))
        return notJudgedBecause(*impossible);
    const bool column = path.tc.value > bracket.in.ts.value;
    const Single t = column ? path.tc : bracket.in.ts;
    const SmallestLeg smallest = smallestFilletLeg(t.value);
    return figureWithin(generalText(bracket.in.hf.value, format), bracket.in.hf.value,
        { double(smallest.hf), "h_{f,min} = " + std::to_string(smallest.hf),
            "表11.3.5注1，非低氢焊接方法不预热时取较厚件，"
                + withThickness(smallest.group, column ? "t_{c}" : "t_{s}", t, format) },
        Bound::AtLeast, format);
}

} // namespace

std::optional<LocalCompression> webUnderLoad(const JudgedBracket& bracket, const LoadPathInputs& path)
{
    if (path.stiffener != false || !(bracket.in.F.value > 0))
        return std::nullopt;
    const LocalCompression local = localCompression(
        bracket.in.F.value, bracket.in.ts.value, bracket.in.t1.value, path.bearing.value);
    if (!(path.bearing.value >= 0) || !(local.lz > 0))
        return std::nullopt;
    return local;
}

std::vector<JudgedCheck> judgeLoadPath(const JudgedBracket& bracket, const LoadPathInputs& path)
{
    const std::optional<LocalCompression> local = webUnderLoad(bracket, path);
    std::vector<JudgedCheck> rows;
    rows.push_back(localCompressionRow(bracket, path, local));
    stiffenerRows(rows, bracket, path);
    const std::optional<Limit> ffw = filletStrength(bracket);
    rows.push_back(flangeWebRow(bracket, path, true, local, ffw));
    rows.push_back(flangeWebRow(bracket, path, false, local, ffw));
    columnRows(rows, bracket, path);
    rows.push_back(legAgainstThickerRow(bracket, path));
    return rows;
}
