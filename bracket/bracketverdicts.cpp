#include "bracketverdicts.h"

#include "bracketfields.h"
#include "bracketnotes.h"
#include "bracketstages.h"
#include "judgedbracket.h"
#include "loadverdicts.h"
#include "parse.h"
#include "platestrengths.h"
#include "steelgrade.h"
#include "webpanel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

namespace field = BracketField;
using enum Verdict;

// β1·f of §6.1.5 for a point of the web, where σ and τ are both large.
Limit equivalentStressLimit(const JudgedBracket& bracket, const PlateStrength& web)
{
    const NumberFormat format = bracket.format();
    // 1.1 × 215 is the Double 236.50000000000003: 236.50 still passes.
    const double limit = 1.1 * web.f;
    return { limit,
        "β_{1}·f = " + generalText(1.1, format) + " × " + generalText(web.f, format) + " = "
            + generalText(limit, format),
        "表4.4.1，" + bracket.thicknessGroup(web, "t_{s}", bracket.in.ts) };
}

// M, y and In are two-decimal texts by now; the section stage, run again
// from the inputs on fields of its own, reads back the very Singles the
// stresses used.
RootSection sectionAsCalculated(const BracketInputs& in, NumberFormat format)
{
    FieldTexts scratch;
    FieldSheet sheet(scratch, format);
    return computeRootSection(sheet, in);
}

// A flange butt weld: ft^w on the side in tension, by the weld quality
// shown, fc^w = f on the side in compression.
JudgedCheck flangeWeld(const JudgedBracket& bracket, FieldName stress, Single t,
    std::string_view plate, bool inTension)
{
    const std::optional<PlateStrength> strengths = bracket.plate(t);
    const std::optional<int> quality = bracket.material.quality;
    if (!strengths || (inTension && !quality))
        return stressNotJudged(bracket.sheet, stress);
    const std::string group = bracket.thicknessGroup(*strengths, plate, t);
    if (!inTension)
        return stressFieldBelow(bracket.sheet, stress,
            strength(
                "f_{c}^{w}", strengths->f, "表4.4.5，对接焊缝受压，" + group, bracket.format()));
    static constexpr std::array<std::string_view, 3> grades { "一级", "二级", "三级" };
    return stressFieldBelow(bracket.sheet, stress,
        strength("f_{t}^{w}", buttWeldTension(*strengths, *quality),
            "表4.4.5，" + std::string(grades[std::size_t(*quality - 1)]) + "对接焊缝受拉，" + group,
            bracket.format()));
}

// The web's fillets join it to the column face in a T-joint and carry the
// shear along their whole length: §11.2.6's reduction of long side fillets
// in lap joints does not apply, however long lw is against hf.
JudgedCheck filletWeld(const JudgedBracket& bracket)
{
    const std::optional<Limit> ffw = filletStrength(bracket);
    return ffw ? stressFieldBelow(bracket.sheet, field::filletWeld, *ffw)
               : stressNotJudged(bracket.sheet, field::filletWeld);
}

// §6.1.5 at the web's upper end, the other point where σ and τ are both
// large: the bending stress over W″n1 = In ÷ (y − 0.5·t1), the shear of the
// upper flange's first moment S1u = t1·bf1·y. Judged on its two-decimal
// text, as the equivalent stress at the lower end is.
//
// Under a load with no bearing stiffener the same edge also bears σc over
// lz about the load. The worst point of that length is its end nearest the
// column, d = min(lz/2, a) from the load, where the moment is F·d: σ, σc and
// τ at that one point, β1 = 1.2 where σ and σc differ in sign. The row
// shows whichever point comes nearer its limit.
JudgedCheck upperWebEnd(const JudgedBracket& bracket, const std::optional<LocalCompression>& local)
{
    const double t1 = bracket.in.t1.value, bf1 = bracket.in.bf1.value;
    const double ts = bracket.in.ts.value, F = bracket.in.F.value;
    const double M = bracket.root.M.value, y = bracket.root.y.value, In = bracket.root.In.value;
    const double toWebEnd = y - (0.5 * t1);
    // The axis through the web's upper end: no bending stress there.
    const double sigma = toWebEnd == 0 ? 0 : (M * 1000000) / (In / toWebEnd);
    const double S1u = (t1 * bf1) * y;
    const double tau = ((F * S1u) * 1000) / (In * ts);
    const double equivalent = std::sqrt((sigma * sigma) + ((3 * tau) * tau));

    const NumberFormat format = bracket.format();
    const std::optional<PlateStrength> web = bracket.plate(bracket.in.ts);
    if (!web)
        return {};
    if (!std::isfinite(equivalent)) {
        JudgedCheck beyond;
        beyond.note = "腹板上端的折算应力超出数值范围，未作判断。";
        return beyond;
    }
    JudgedCheck atRoot = workedStressBelow(equivalent, equivalentStressLimit(bracket, *web), format);
    if (!local)
        return atRoot;

    const double a = std::fabs(double((bracket.in.e * 1000).value));
    const double d = std::min(local->lz / 2, a);
    const double moment = (M < 0 ? -1.0 : 1.0) * ((F * 1000) * d);
    const double sigmaHere = toWebEnd == 0 ? 0 : moment / (In / toWebEnd);
    const double sigmaC = -local->sigmaC; // compression
    const double underLoad = std::sqrt((((sigmaHere * sigmaHere) + (sigmaC * sigmaC))
                                           - (sigmaHere * sigmaC))
        + ((3 * tau) * tau));
    const bool opposite = (sigmaHere * sigmaC) < 0;
    const double beta = opposite ? 1.2 : 1.1;
    const double limit = beta * web->f;
    JudgedCheck atLoad = workedStressBelow(underLoad,
        { limit,
            "β_{1}·f = " + generalText(beta, format) + " × " + generalText(web->f, format) + " = "
                + generalText(limit, format),
            "荷载下，距荷载d = min(l_{z}/2, a) = " + limitNumber(d, format)
                + " mm处：σ = " + fixedTwoDecimals(sigmaHere, format)
                + "，σ_{c} = " + fixedTwoDecimals(sigmaC, format)
                + "，τ = " + fixedTwoDecimals(tau, format)
                + (opposite ? "，σ与σ_{c}异号" : "") + "；表4.4.1，"
                + bracket.thicknessGroup(*web, "t_{s}", bracket.in.ts) },
        format);
    const double rootShare = parseDouble(atRoot.value, format).value / (1.1 * web->f);
    const double loadShare = parseDouble(atLoad.value, format).value / limit;
    return loadShare > rootShare ? atLoad : atRoot;
}

// The compression flange's outstand b′/t, the lower flange's or, under
// uplift, the upper one's.
double outstandOf(const JudgedBracket& bracket, bool lower)
{
    const double bf = (lower ? bracket.in.bf2 : bracket.in.bf1).value;
    const double t = (lower ? bracket.in.t2 : bracket.in.t1).value;
    return ((bf - double(bracket.in.ts.value)) / 2) / t;
}

// Table 3.5.1: the compression flange's outstand at most 15εk (class S4),
// or it buckles before it reaches f. Up to 20εk (S5) the flange counts on its
// effective width and the strength checks of its side take that section's
// stresses (§8.4.2's 15εk·t each side of the web); beyond 20εk no section class holds.
JudgedCheck compressionFlange(const JudgedBracket& bracket)
{
    if (!bracket.fy())
        return {};
    const NumberFormat format = bracket.format();
    const bool lower = bracket.upperFlangeInTension();
    const double outstand = outstandOf(bracket, lower);
    const double s4 = 15 * epsilonK(*bracket.fy());
    const std::string side = std::string(lower ? "下" : "上") + "翼缘受压，";
    if (outstand <= s4)
        return figureWithin(fixedTwoDecimals(outstand, format), outstand,
            { s4, "15ε_{k} = " + limitNumber(s4, format),
                "表3.5.1，S4级，" + side + epsilonText(*bracket.fy(), format) },
            Bound::AtMost, format);
    const double s5 = 20 * epsilonK(*bracket.fy());
    JudgedCheck check = figureWithin(fixedTwoDecimals(outstand, format), outstand,
        { s5, "20ε_{k} = " + limitNumber(s5, format),
            "表3.5.1，S5级，" + side + epsilonText(*bracket.fy(), format) },
        Bound::AtMost, format);
    if (check.verdict == Met) {
        check.metAs = "按有效截面";
        check.note = "受压翼缘宽厚比" + check.value + "大于15εk = " + limitNumber(s4, format)
            + "，属S5级：翼缘外伸宽度按15εk·t计入有效截面，" + (lower ? "下" : "上")
            + "翼缘一侧的强度按有效截面的应力验算。";
    }
    return check;
}

// The root section with an S5 compression flange cut to its effective width
// be = 2 × 15εk·t + ts, worked out in double from the Singles the
// calculation read, by its own formulas; none for a flange within S4 or
// beyond S5. Which flange is compressed follows M.
struct EffectiveSection {
    bool lower; // the lower flange is the one in compression
    double be, y, In;
};

std::optional<EffectiveSection> effectiveSection(const JudgedBracket& bracket)
{
    if (!bracket.fy())
        return std::nullopt;
    const bool lower = bracket.root.M.value >= 0;
    const double outstand = outstandOf(bracket, lower);
    const double ek = epsilonK(*bracket.fy());
    if (!(outstand > 15 * ek) || !(outstand <= 20 * ek))
        return std::nullopt;
    double bf1 = bracket.in.bf1.value, bf2 = bracket.in.bf2.value;
    const double t1 = bracket.in.t1.value, t2 = bracket.in.t2.value;
    const double ts = bracket.in.ts.value, hw = bracket.in.hw.value;
    const double be = 2 * (15 * ek * (lower ? t2 : t1)) + ts;
    (lower ? bf2 : bf1) = be;
    const double A = ((bf1 * t1) + (bf2 * t2)) + (ts * hw);
    const double y
        = (((ts * hw) * 0.5 * (hw + t1)) + ((bf2 * t2) * ((hw + 0.5 * t1) + 0.5 * t2))) / A;
    const double c2 = ((hw + 0.5 * t1) + 0.5 * t2) - y;
    const double a = (0.5 * hw + 0.5 * t1) - y;
    const double In
        = (t1 * bf1 * y * y) + (t2 * bf2 * c2 * c2) + (ts * hw * hw * hw / 12) + (ts * hw * a * a);
    return EffectiveSection { lower, be, y, In };
}

// A strength row judged again on the effective section's stress: its
// two-decimal text against the same limit, the section named in the source.
void onEffectiveSection(JudgedCheck& check, double stress, double limit,
    const EffectiveSection& section, NumberFormat format)
{
    if (check.verdict == NotJudged)
        return;
    std::string shown = fixedTwoDecimals(stress, format);
    const double judged = parseDouble(shown, format).value;
    check = stressBelow(std::move(shown), judged,
        { limit, check.limit,
            "有效截面b_{e} = " + fixedTwoDecimals(section.be, format) + " mm，" + check.source },
        format);
}

// The rows of the compressed flange's side on the effective section: σ at
// the lower flange's edge, the web's lower end and the lower weld, or under
// uplift the upper weld and the web's upper end.
void judgeOnEffectiveSection(
    std::vector<JudgedCheck>& checks, const JudgedBracket& bracket, const EffectiveSection& section)
{
    const NumberFormat format = bracket.format();
    const double t1 = bracket.in.t1.value, t2 = bracket.in.t2.value;
    const double ts = bracket.in.ts.value, hw = bracket.in.hw.value;
    const double M = bracket.root.M.value, F = bracket.in.F.value;
    const double y = section.y, In = section.In, be = section.be;
    const double N = bracket.sheet.readDouble(field::flangeForce).value;
    const std::optional<PlateStrength> web = bracket.plate(bracket.in.ts);
    const auto equivalent
        = [](double sigma, double tau) { return std::sqrt((sigma * sigma) + ((3 * tau) * tau)); };
    if (section.lower) {
        const double c2 = ((hw + 0.5 * t1) + 0.5 * t2) - y;
        onEffectiveSection(checks[0], M * 1e6 * ((hw + 0.5 * t1 + t2) - y) / In,
            bracket.plate(bracket.in.t2)->f, section, format);
        onEffectiveSection(checks[2],
            equivalent(M * 1e6 * ((hw + 0.5 * t1) - y) / In, F * (t2 * be * c2) * 1e3 / (In * ts)),
            1.1 * web->f, section, format);
        onEffectiveSection(
            checks[4], N * 1e3 / (t2 * be), bracket.plate(bracket.in.t2)->f, section, format);
        return;
    }
    onEffectiveSection(
        checks[3], N * 1e3 / (t1 * be), bracket.plate(bracket.in.t1)->f, section, format);
    onEffectiveSection(checks[6],
        equivalent(M * 1e6 * (y - 0.5 * t1) / In, F * (t1 * be * y) * 1e3 / (In * ts)),
        1.1 * web->f, section, format);
}

// §6.3.2: a web within 80εk needs no check of its stability. Beyond it the
// bracket's web, without stiffeners, is one panel from the column face to
// the load, checked by §6.3.3; beyond 150εk, the most §6.3.2 allows with a
// compression flange free to twist, it is too slender whatever the stresses.
JudgedCheck webSlenderness(const JudgedBracket& bracket, const std::optional<LocalCompression>& local)
{
    if (!bracket.fy())
        return {};
    const NumberFormat format = bracket.format();
    const int fy = *bracket.fy();
    const double hw = bracket.in.hw.value, ts = bracket.in.ts.value;
    const double slenderness = hw / ts;
    const std::string shown = fixedTwoDecimals(slenderness, format);
    const double within = 80 * epsilonK(fy);
    if (slenderness <= within)
        return figureWithin(shown, slenderness,
            { within, "80ε_{k} = " + limitNumber(within, format),
                "第6.3.2条，" + epsilonText(fy, format) },
            Bound::AtMost, format);
    const double most = 150 * epsilonK(fy);
    if (slenderness > most) {
        JudgedCheck check = figureWithin(shown, slenderness,
            { most, "150ε_{k} = " + limitNumber(most, format),
                "第6.3.2条，受压翼缘扭转未受约束，" + epsilonText(fy, format) },
            Bound::AtMost, format);
        check.note = "腹板高厚比" + shown + "大于150εk = " + limitNumber(most, format)
            + "：受压翼缘扭转未受约束时腹板高厚比不应超过150εk（第6.3.2条），应加厚腹板。";
        return check;
    }

    // The stresses from the Singles the stress stage used, in double.
    const PlateStrength web = *bracket.plate(bracket.in.ts);
    const double t1 = bracket.in.t1.value, y = bracket.root.y.value;
    const double hc = bracket.upperFlangeInTension() ? (hw + 0.5 * t1) - y : y - 0.5 * t1;
    const double M = std::fabs(double(bracket.root.M.value));
    // a as a Single, as M = F × e is: e = 0.45 gives 450 mm, not 449.99999.
    const double a = std::fabs(double((bracket.in.e * 1000).value));
    const WebPanelInputs in { M * 1000000 * hc / double(bracket.root.In.value),
        std::fabs(double(bracket.in.F.value)) * 1000 / (hw * ts), hc, hw, ts, a, web.f, web.fv,
        epsilonK(fy), local ? local->sigmaC : 0.0 };
    const std::optional<WebPanel> panel = webPanel(in);
    if (!panel) {
        JudgedCheck check;
        check.value = shown;
        check.note = "腹板高厚比" + shown + "大于80εk = " + limitNumber(within, format) + "，"
            + (hc > 0 && hc <= hw ? "区格长度a = 1000|e| = " + generalText(a, format)
                        + " mm与h0 = " + generalText(hw, format) + " mm之比不在0.5～"
                        + generalText(longestPanel(hw, ts, in.sigmaC != 0), format)
                        + "之间（第6.3.6条），第6.3.3条的公式不适用"
                                  : std::string("中和轴不在腹板内，第6.3.3条的公式不适用"))
            + "，腹板局部稳定未作判断。";
        return check;
    }
    const std::string pressed = in.sigmaC == 0 ? std::string()
        : "，σ_{c} = " + fixedTwoDecimals(in.sigmaC, format)
            + "，λ_{n,c} = " + fixedTwoDecimals(panel->lambdaC, format)
            + "，σ_{c,cr} = " + fixedTwoDecimals(panel->sigmaCcr, format);
    return figureWithin(fixedTwoDecimals(panel->sum, format), panel->sum,
        { 1, in.sigmaC == 0 ? "(σ/σ_{cr})² + τ/τ_{cr} ≤ 1" : "(σ/σ_{cr})² + τ/τ_{cr} + σ_{c}/σ_{c,cr} ≤ 1",
            "式(6.3.3-1)，h_{w}/t_{s} = " + shown + " > 80ε_{k}，a = " + generalText(a, format)
                + "，σ = " + fixedTwoDecimals(in.sigma, format)
                + "，λ_{n,b} = " + fixedTwoDecimals(panel->lambdaB, format)
                + "，σ_{cr} = " + fixedTwoDecimals(panel->sigmaCr, format)
                + "，τ = " + fixedTwoDecimals(in.tau, format)
                + "，λ_{n,s} = " + fixedTwoDecimals(panel->lambdaS, format)
                + "，τ_{cr} = " + fixedTwoDecimals(panel->tauCr, format) + pressed },
        Bound::AtMost, format);
}

// Table 11.3.5: the smallest fillet leg for the web plate welded.
JudgedCheck filletLeg(const JudgedBracket& bracket)
{
    const NumberFormat format = bracket.format();
    const double ts = bracket.in.ts.value;
    const auto [smallest, group] = ts <= 6 ? std::pair(3, "t ≤ 6 mm")
        : ts <= 12                         ? std::pair(5, "6 < t ≤ 12 mm")
        : ts <= 20                         ? std::pair(6, "12 < t ≤ 20 mm")
                                           : std::pair(8, "t > 20 mm");
    return figureWithin(generalText(bracket.in.hf.value, format), bracket.in.hf.value,
        { double(smallest), "h_{f,min} = " + std::to_string(smallest),
            "表11.3.5，" + withThickness(group, "t_{s}", bracket.in.ts, format) },
        Bound::AtLeast, format);
}

// §11.3.5: a fillet computed with at least 8·hf and 40 mm of length.
JudgedCheck filletLength(const JudgedBracket& bracket)
{
    const NumberFormat format = bracket.format();
    const double shortest = std::max(8 * double(bracket.in.hf.value), 40.0);
    return figureWithin(generalText(bracket.weld.lw.value, format), bracket.weld.lw.value,
        { shortest, "max(8h_{f}, 40) = " + limitNumber(shortest, format), "第11.3.5条" },
        Bound::AtLeast, format);
}

} // namespace

CheckTable bracketDesignChecks()
{
    static constexpr std::string_view detailing = "局部稳定与构造";
    static constexpr std::string_view loadAndJoint = "荷载与节点";
    static const std::array<DesignCheck, 21> checks { {
        { "下翼缘外边的正应力", field::sigma, "第6.1.1条" },
        { "截面形心轴处的剪应力", field::tau, "第6.1.3条" },
        { "腹板下端的折算应力", field::equivalentStress, "第6.1.5条" },
        { "上翼缘焊缝应力", field::upperFlangeWeld, "第11.2.1条" },
        { "下翼缘焊缝应力", field::lowerFlangeWeld, "第11.2.1条" },
        { "角焊缝应力", field::filletWeld, "第11.2.2条" },
        { "腹板上端的折算应力", {}, "第6.1.5条", "不满足要求", detailing },
        { "受压翼缘宽厚比", {}, "表3.5.1", "不满足要求", detailing },
        { "腹板高厚比", {}, "第6.3.2条", "不满足要求", detailing },
        { "角焊缝焊脚尺寸", {}, "表11.3.5", "不满足要求", detailing },
        { "角焊缝计算长度", {}, "第11.3.5条", "不满足要求", detailing },
        { "腹板局部压应力", {}, "第6.1.4条", "不满足要求", loadAndJoint },
        { "支承加劲肋端面承压", {}, "第6.3.7条", "不满足要求", loadAndJoint },
        { "支承加劲肋平面外稳定", {}, "第6.3.7条", "不满足要求", loadAndJoint },
        { "支承加劲肋外伸宽度", {}, "第6.3.6条", "不满足要求", loadAndJoint },
        { "支承加劲肋宽厚比", {}, "第6.3.6条", "不满足要求", loadAndJoint },
        { "上翼缘与腹板连接焊缝", {}, "第11.2.7条", "不满足要求", loadAndJoint },
        { "下翼缘与腹板连接焊缝", {}, "第11.2.7条", "不满足要求", loadAndJoint },
        { "柱腹板（牛腿受压翼缘处）", {}, "第12.3.4条", "不满足要求", loadAndJoint },
        { "柱翼缘（牛腿受拉翼缘处）", {}, "第12.3.4条", "不满足要求", loadAndJoint },
        { "角焊缝焊脚尺寸（按较厚件）", {}, "表11.3.5", "不满足要求", loadAndJoint },
    } };
    return checks;
}

Verdicts judgeBracket(const FieldTexts& fields, NumberFormat format)
{
    Verdicts verdicts;
    const FieldReader sheet(fields, format);
    verdicts.fault = runSteps([&] {
        const BracketInputs in = readBracketInputs(sheet);
        verdicts.notes = impossibleSizes(in, fields, format);
        if (!verdicts.notes.empty()) {
            verdicts.checks = notJudged(bracketDesignChecks(), sheet);
            return;
        }

        const JudgedBracket bracket { sheet, in, sectionAsCalculated(in, format),
            filletWeldLength(in), bracketMaterial(fields) };
        const LoadPathInputs path = readLoadPath(sheet, fields);
        const std::optional<LocalCompression> local = webUnderLoad(bracket, path);
        std::vector<JudgedCheck>& checks = verdicts.checks;
        const std::optional<PlateStrength> lowerFlange = bracket.plate(in.t2);
        const std::optional<PlateStrength> web = bracket.plate(in.ts);
        checks.push_back(lowerFlange
                ? stressFieldBelow(sheet, field::sigma,
                    strength("f", lowerFlange->f,
                        "表4.4.1，" + bracket.thicknessGroup(*lowerFlange, "t_{2}", in.t2), format))
                : stressNotJudged(sheet, field::sigma));
        checks.push_back(web
                ? stressFieldBelow(sheet, field::tau,
                    strength("f_{v}", web->fv,
                        "表4.4.1，" + bracket.thicknessGroup(*web, "t_{s}", in.ts), format))
                : stressNotJudged(sheet, field::tau));
        checks.push_back(web ? stressFieldBelow(
                             sheet, field::equivalentStress, equivalentStressLimit(bracket, *web))
                             : stressNotJudged(sheet, field::equivalentStress));
        // Uplift, or a load on the other side, turns the couple round.
        const bool upperInTension = bracket.upperFlangeInTension();
        checks.push_back(
            flangeWeld(bracket, field::upperFlangeWeld, in.t1, "t_{1}", upperInTension));
        checks.push_back(
            flangeWeld(bracket, field::lowerFlangeWeld, in.t2, "t_{2}", !upperInTension));
        checks.push_back(filletWeld(bracket));
        checks.push_back(upperWebEnd(bracket, local));
        checks.push_back(compressionFlange(bracket));
        checks.push_back(webSlenderness(bracket, local));
        checks.push_back(filletLeg(bracket));
        checks.push_back(filletLength(bracket));
        for (JudgedCheck& row : judgeLoadPath(bracket, path))
            checks.push_back(std::move(row));
        if (const std::optional<EffectiveSection> section = effectiveSection(bracket))
            judgeOnEffectiveSection(checks, bracket, *section);
        for (const JudgedCheck& check : checks)
            if (!check.note.empty())
                verdicts.notes.push_back(check.note);
        for (std::string& note : openQuestions(bracket.material, path.columnStiffener))
            verdicts.notes.push_back(std::move(note));
    });
    return verdicts;
}
