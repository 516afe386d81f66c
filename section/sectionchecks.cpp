#include "sectionchecks.h"

#include "checknotes.h"
#include "sectionclass.h"
#include "sectionfields.h"
#include "stability.h"
#include "steelgrade.h"
#include "steelstrength.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

namespace field = SectionField;
using enum Verdict;

constexpr double E = 206000;
constexpr double slendernessLimit = 150; // §7.4.6, a member in compression

// The engineer's basis for the member: its effective length factors, the
// moment and section factors of §8.2.1 and the flanges' edges.
struct Basis {
    double muX = 2, muY = 2;
    double betaMx = 1, betaTx = 1, eta = 1;
    bool flameCut = false;
};

// What every check reads: the plates and forces as typed, the figures as the
// window shows them.
struct Member {
    SectionPlates plates;
    double N, M; // kN, kN·m; N > 0 in compression
    double A, Wx; // A′ and Wx′ as read back
    double lambdaX, lambdaY; // as shown to two decimals
    double L; // mm, as typed
    Basis basis;
    std::string grade;
};

// A field's text, or its design-time text where the texts lack it (a window
// or a file from before it).
std::string textOrDesign(const FieldReader& fields, const FieldTexts& texts, FieldName control)
{
    return texts.contains(control) ? fields.text(control)
                                   : std::string(findField(sectionFields(), control)->designText);
}

double factorOrDesign(const FieldReader& fields, const FieldTexts& texts, FieldName control)
{
    if (texts.contains(control))
        return fields.readDouble(control).value;
    FieldTexts designTime { { std::string(control),
        std::string(findField(sectionFields(), control)->designText) } };
    return FieldReader(designTime, NumberFormat { U'.' }).readDouble(control).value;
}

Basis readBasis(const FieldReader& fields, const FieldTexts& texts)
{
    Basis basis;
    basis.muX = factorOrDesign(fields, texts, field::muX);
    basis.muY = factorOrDesign(fields, texts, field::muY);
    basis.betaMx = factorOrDesign(fields, texts, field::betaMx);
    basis.betaTx = factorOrDesign(fields, texts, field::betaTx);
    basis.eta = factorOrDesign(fields, texts, field::eta);
    basis.flameCut = textOrDesign(fields, texts, field::flangeEdges) == "焰切边";
    return basis;
}

Member readMember(const FieldReader& fields, const FieldTexts& texts)
{
    Member member {
        { fields.readSingle(field::B), fields.readSingle(field::H), fields.readSingle(field::tw),
            fields.readSingle(field::t) },
        fields.readDouble(field::N).value,
        fields.readDouble(field::M).value,
        fields.readDouble(field::area).value,
        fields.readDouble(field::Wx).value,
        fields.readDouble(field::slendernessX).value,
        fields.readDouble(field::slendernessY).value,
        fields.readDouble(field::L).value,
        readBasis(fields, texts),
        {},
    };
    member.grade = textOrDesign(fields, texts, field::steelGrade);
    return member;
}

// The curves of a welded I-section about x and y (table 7.2.1-1 for t < 40 mm,
// 7.2.1-2 from 40 mm): flame-cut flanges b and b; rolled or sheared ones b
// and c, or c and d on thick plates.
struct Curves {
    BucklingCurve x, y;
};

Curves curvesOf(const Basis& basis, double t)
{
    if (basis.flameCut)
        return { BucklingCurve::b, BucklingCurve::b };
    return t < 40 ? Curves { BucklingCurve::b, BucklingCurve::c }
                  : Curves { BucklingCurve::c, BucklingCurve::d };
}

std::string curveName(BucklingCurve curve)
{
    switch (curve) {
    case BucklingCurve::b:
        return "b类";
    case BucklingCurve::c:
        return "c类";
    case BucklingCurve::d:
        break;
    }
    return "d类";
}

// A factor as the notes write it: "1.0", "0.85", "2.0".
std::string factorText(double value, NumberFormat format)
{
    if (value != std::floor(value) || std::fabs(value) >= 1e9)
        return generalText(value, format);
    std::string whole = fixedTwoDecimals(value, format); // "1.00"
    whole.pop_back();
    return whole;
}

// η and βtx as the out-of-plane row writes them.
std::string outOfPlaneFactors(const Basis& basis, NumberFormat format)
{
    if (basis.eta == basis.betaTx)
        return "η = β_{tx} = " + factorText(basis.eta, format);
    return "η = " + factorText(basis.eta, format) + "，β_{tx} = " + factorText(basis.betaTx, format);
}

std::optional<SectionClass> classOf(const Member& member)
{
    return sectionClass(member.plates, member.A, member.Wx, member.N, member.M, member.grade);
}

// "翼缘厚t = −8": a field as typed, for a note.
std::string typedField(const FieldTexts& texts, FieldName control, NumberFormat format)
{
    const auto text = texts.find(control);
    return typedInput(*findField(sectionFields(), control),
        text == texts.end() ? std::string_view() : std::string_view(text->second), format);
}

// "翼缘厚t = −8：板件尺寸须为正数，未作判断。", one for each size or grade that
// leaves nothing to judge.
std::vector<std::string> impossibleMember(
    const Member& member, const FieldTexts& texts, NumberFormat format)
{
    const auto typed = [&](FieldName control) { return typedField(texts, control, format); };
    std::vector<std::string> sentences;
    const std::array<std::pair<FieldName, Single>, 4> sizes { {
        { field::B, member.plates.B },
        { field::H, member.plates.H },
        { field::tw, member.plates.tw },
        { field::t, member.plates.t },
    } };
    for (const auto& [control, size] : sizes) {
        if (!(size.value > 0))
            sentences.push_back(typed(control) + "：板件尺寸须为正数，未作判断。");
        else if ((control == field::tw || control == field::t) && size.value > 100)
            sentences.push_back(typed(control) + "：板厚超过100 mm，超出表4.4.1的范围，未作判断。");
    }
    const double h0 = double(member.plates.H.value) - (double(member.plates.t.value) * 2);
    if (sentences.empty() && !(h0 > 0))
        sentences.push_back(typed(field::H) + "：腹板高度 H − 2t 须为正数，未作判断。");
    if (!gradeYieldStrength(member.grade)) {
        const std::string_view shown = trimmedGrade(member.grade);
        sentences.push_back(
            (shown.empty() ? "未注明钢材牌号：" : "钢材为" + std::string(shown) + "：")
            + unknownGradeNote("设计强度与截面等级均无从确定，各项"));
    }
    return sentences;
}

std::string twoDecimals(double value, NumberFormat format)
{
    return fixedTwoDecimals(value, format);
}

// The section judged on its effective plates (§8.4.2) where a plate is S5:
// a compressed flange's outstand cut to 15εk·t, a web's compressed depth hc
// to he = ρ·hc, kept as he1 at the compressed edge and he2 towards the other
// (whole web compressed, α0 ≤ 1: he1 = 2he/(4 + α0); partly in tension:
// he1 = 0.4he, he2 = 0.6he from the neutral axis). y is taken from mid-depth
// towards the more compressed flange.
struct EffectiveSection {
    double A; // Ae, mm²
    double W; // W1x to the more compressed fibre, mm³
    double e; // the centroid's move away from the compressed fibre, mm
    bool flangeCut = false, webCut = false;
    double kSigma = 0, lambdaNp = 0, rho = 1, hc = 0, he = 0; // the web's
};

// None where both plates are within S4, or one is beyond S5 (the flange
// over 20εk, the web over 250), where the clause's effective section is not
// the code's basis.
std::optional<EffectiveSection> effectiveSection(const Member& member, const SectionClass& section)
{
    const double B = member.plates.B.value, H = member.plates.H.value;
    const double tw = member.plates.tw.value, t = member.plates.t.value;
    const double h0 = H - (t * 2);
    const bool flangeS5 = section.flange == PlateClass::Slender;
    const bool webS5 = section.web == PlateClass::Slender;
    if ((!flangeS5 && !webS5) || section.outstand > 20 * section.epsilonK
        || (webS5 && section.webRatio > 250))
        return std::nullopt;

    struct Part {
        double area, y, ownI;
    };
    std::vector<Part> parts;
    const auto plate = [&](double width, double depth, double y) {
        parts.push_back({ width * depth, y, (width * (depth * depth * depth)) / 12 });
    };
    EffectiveSection effective {};
    // A flange whose outer fibre is compressed loses its outstand beyond 15εk·t.
    const double sigmaN = (member.N * 1000) / member.A;
    const double sigmaM = (std::fabs(member.M) * 1000000) / member.Wx;
    const double cut = ((15 * section.epsilonK) * t * 2) + tw;
    for (const double side : { 1.0, -1.0 }) {
        const bool compressed = sigmaN + (side * sigmaM) > 0;
        const bool narrowed = flangeS5 && compressed && cut < B;
        effective.flangeCut = effective.flangeCut || narrowed;
        plate(narrowed ? cut : B, t, side * ((h0 / 2) + (t / 2)));
    }
    if (webS5 && section.alpha0) {
        const double alpha0 = *section.alpha0;
        const double twoLess = 2 - alpha0;
        effective.kSigma
            = 16 / (twoLess + std::sqrt((twoLess * twoLess) + (0.112 * (alpha0 * alpha0))));
        effective.lambdaNp
            = ((h0 / tw) / (28.1 * std::sqrt(effective.kSigma))) / section.epsilonK;
        effective.rho = effective.lambdaNp <= 0.75
            ? 1
            : (1 - (0.19 / effective.lambdaNp)) / effective.lambdaNp;
        effective.hc = alpha0 <= 1 ? h0 : h0 / alpha0;
        effective.he = effective.rho * effective.hc;
        const double he1 = alpha0 <= 1 ? (2 * effective.he) / (4 + alpha0) : 0.4 * effective.he;
        const double he2 = effective.he - he1;
        // From the compressed edge down he1; from the far end of hc (the web's
        // other edge, or the neutral axis) up he2, and the tension zone whole.
        const double top = h0 / 2;
        const double hcEnd = top - effective.hc;
        plate(tw, he1, top - (he1 / 2));
        const double lower = hcEnd + he2;
        plate(tw, lower + top, (lower - top) / 2);
        effective.webCut = effective.rho < 1;
    } else {
        plate(tw, h0, 0);
    }
    double area = 0, moment = 0;
    for (const Part& part : parts) {
        area += part.area;
        moment += part.area * part.y;
    }
    const double yc = moment / area;
    double inertia = 0;
    for (const Part& part : parts)
        inertia += part.ownI + (part.area * ((part.y - yc) * (part.y - yc)));
    effective.A = area;
    effective.e = -yc;
    effective.W = inertia / ((H / 2) - yc);
    return effective;
}

// The effective section's figures beside the gross ones, for the notes.
std::string effectiveFigures(
    const Member& member, const EffectiveSection& effective, NumberFormat format)
{
    std::string note = "有效截面（第8.4.2条）：";
    if (effective.flangeCut)
        note += "受压翼缘外伸宽度取15εk·t；";
    if (effective.kSigma > 0)
        note += "腹板 kσ = " + twoDecimals(effective.kSigma, format)
            + "，λn,p = " + twoDecimals(effective.lambdaNp, format) + "，ρ = "
            + fixedTwoDecimals(effective.rho, format) + "，hc = "
            + twoDecimals(effective.hc, format) + " mm，he = " + twoDecimals(effective.he, format)
            + " mm；";
    return note + "Ae = " + twoDecimals(effective.A, format) + " mm²（毛截面 A = "
        + generalText(member.A, format) + " mm²），W1x = " + twoDecimals(effective.W, format)
        + " mm³（毛截面 Wx = " + twoDecimals(member.Wx, format) + " mm³），形心移向受拉侧 e = "
        + twoDecimals(effective.e, format) + " mm。";
}

// Rows 4 to 6 for a member of positive lengths: its slenderness, and its
// stability in and out of the plane of the moment by §8.2.1 on the engineer's
// basis.
void judgeStability(const Member& member, const SectionClass& section,
    const std::optional<EffectiveSection>& effective, double f, NumberFormat format,
    std::vector<JudgedCheck>& checks)
{
    // On an S5 plate the effective Ae and W1x, and N's moment about the
    // effective centroid (§8.4.2); the gross section with γx otherwise.
    const double A = effective ? effective->A : member.A;
    const double W = effective ? effective->W : section.gammaX() * member.Wx;
    const double shift = effective ? std::max(member.N, 0.0) * 1000 * effective->e : 0;
    const std::string basisOf = effective ? "，有效截面（第8.4.2条）" : "";
    const Basis& basis = member.basis;
    const Curves curves = curvesOf(basis, double(member.plates.t.value));
    const double Nn = member.N * 1000;
    const double Mn = std::fabs(member.M) * 1000000;
    const bool compressed = member.N > 0;
    const auto notApplicable = [&](std::string why) {
        JudgedCheck check;
        check.verdict = NotApplicable;
        check.source = std::move(why);
        return check;
    };
    const auto ratioLimit = [&](std::string source) { return Limit { 1, "1", std::move(source) }; };

    // 4. Slenderness of a member in compression, §7.4.6.
    if (compressed) {
        const double lambda = std::max(member.lambdaX, member.lambdaY);
        checks.push_back(figureWithin(twoDecimals(lambda, format), lambda,
            { slendernessLimit, "[λ] = 150", "第7.4.6条，受压构件，max(λ_{x}, λ_{y})" },
            Bound::AtMost, format));
    } else {
        checks.push_back(notApplicable("构件不受压"));
    }

    // 5. In-plane stability, §8.2.1.
    if (compressed) {
        const double phiX = stabilityFactor(member.lambdaX, section.fy, curves.x);
        const double squared = member.lambdaX * member.lambdaX;
        const double eulerX = member.lambdaX == 0
            ? 0
            : ((std::numbers::pi * std::numbers::pi * E) * member.A) / (1.1 * squared);
        const double amplifier = member.lambdaX == 0 ? 1 : 1 - (0.8 * (Nn / eulerX));
        const std::string source = "第8.2.1条，φ_{x} = " + twoDecimals(phiX, format) + "（"
            + curveName(curves.x) + "），β_{mx} = " + factorText(basis.betaMx, format) + basisOf;
        if (!(amplifier > 0)) {
            JudgedCheck unstable;
            unstable.verdict = NotMet;
            unstable.limit = "1";
            unstable.source = source;
            // The amplifier 1 − 0.8N/N′Ex is not positive from N/N′Ex = 1.25 on.
            unstable.note = "平面内：N/N′Ex = " + twoDecimals(Nn / eulerX, format)
                + "，不小于1.25，弯矩放大系数 1 − 0.8N/N′Ex 不为正，构件失稳。";
            checks.push_back(std::move(unstable));
        } else {
            const double ratio = (Nn / ((phiX * A) * f))
                + (((basis.betaMx * Mn) + shift) / ((W * amplifier) * f));
            checks.push_back(figureWithin(
                twoDecimals(ratio, format), ratio, ratioLimit(source), Bound::AtMost, format));
        }
    } else {
        checks.push_back(notApplicable("构件不受压"));
    }

    // 6. Out-of-plane stability, §8.2.1 with φb of §C.0.5; a member in
    // tension for its moment alone.
    const double lambdaLimit = 120 * section.epsilonK;
    if (member.lambdaY > lambdaLimit) {
        JudgedCheck beyond;
        beyond.value = twoDecimals(member.lambdaY, format);
        beyond.source = "λ_{y} > 120ε_{k}，式(C.0.5)不适用";
        beyond.note = "λy = " + beyond.value + "大于120εk = " + limitNumber(lambdaLimit, format)
            + "，超出附录C式(C.0.5)的适用范围，平面外稳定未作判断。";
        checks.push_back(std::move(beyond));
    } else {
        const double phiY = stabilityFactor(member.lambdaY, section.fy, curves.y);
        const double phiB = std::min(1.0,
            1.07
                - ((member.lambdaY * member.lambdaY)
                    / (44000 * (section.epsilonK * section.epsilonK))));
        const double axial = std::max(member.N, 0.0) * 1000;
        const double Wb = effective ? effective->W : member.Wx;
        const double ratio = (axial / ((phiY * A) * f))
            + ((basis.eta * ((basis.betaTx * Mn) + shift)) / ((phiB * Wb) * f));
        checks.push_back(figureWithin(twoDecimals(ratio, format), ratio,
            ratioLimit("第8.2.1条，φ_{y} = " + twoDecimals(phiY, format) + "（"
                + curveName(curves.y) + "），φ_{b} = " + twoDecimals(phiB, format) + "，"
                + outOfPlaneFactors(basis, format) + basisOf),
            Bound::AtMost, format));
    }
}

} // namespace

CheckTable sectionChecks()
{
    static const std::array<DesignCheck, 6> checks { {
        { "强度", {}, "第8.1.1条" },
        { "翼缘宽厚比", {}, "表3.5.1", "需按有效截面" },
        { "腹板高厚比", {}, "表3.5.1", "需按有效截面" },
        { "长细比", {}, "第7.4.6条" },
        { "平面内稳定", {}, "第8.2.1条" },
        { "平面外稳定", {}, "第8.2.1条" },
    } };
    return checks;
}

Verdicts judgeSection(const FieldTexts& texts, NumberFormat format)
{
    Verdicts verdicts;
    const FieldReader fields(texts, format);
    verdicts.fault = runSteps([&] {
        const Member member = readMember(fields, texts);
        verdicts.notes = impossibleMember(member, texts, format);
        const std::optional<SectionClass> section
            = verdicts.notes.empty() ? classOf(member) : std::nullopt;
        if (!section) {
            if (verdicts.notes.empty())
                verdicts.notes.emplace_back("截面的应力超出数值范围，无法确定截面等级，未作判断。");
            verdicts.checks = notJudged(sectionChecks(), fields);
            return;
        }
        const double t = member.plates.t.value, tw = member.plates.tw.value;
        const double thickest = std::max(t, tw);
        const PlateStrength strength = *plateStrength(section->fy, thickest);
        const double f = strength.f;
        const double gammaX = section->gammaX();
        const std::string grade = "Q" + std::to_string(section->fy);
        const std::string fSource = "表4.4.1，" + (section->fy == 355 ? std::string("Q345") : grade)
            + "，t_{max} = " + generalText(thickest, format) + " mm："
            + std::string(strength.group);
        const std::string epsilon = "f_{y} = " + std::to_string(section->fy)
            + "，ε_{k} = " + twoDecimals(section->epsilonK, format);
        const double Mn = std::fabs(member.M) * 1000000;
        std::vector<JudgedCheck>& checks = verdicts.checks;

        const std::optional<EffectiveSection> effective = effectiveSection(member, *section);
        // What an S5 plate's row says: judged within S5, the section on it.
        const auto onEffective = [&](JudgedCheck& check, std::string plate) {
            check.metAs = "需按有效截面";
            check.note = plate + "，属S5级：强度与平面内、外稳定按有效截面验算（第8.4.2条）。";
        };

        // 1. Strength, §8.1.1: the section's edge under N and M, the bending
        // relieved by γx; on an S5 plate §8.4.2's N/Ae + (M + Ne)/Wnex.
        const double stress = effective
            ? ((std::fabs(member.N) * 1000) / effective->A)
                + ((Mn + ((std::max(member.N, 0.0) * 1000) * effective->e)) / effective->W)
            : ((std::fabs(member.N) * 1000) / member.A) + (((Mn) / member.Wx) / gammaX);
        checks.push_back(figureWithin(twoDecimals(stress, format), stress,
            { f, "f = " + generalText(f, format),
                fSource
                    + (effective ? std::string("；有效截面（第8.4.2条）")
                                 : "；γ_{x} = " + fixedTwoDecimals(gammaX, format)) },
            Bound::AtMost, format));

        // 2. The flange's outstand within S4, within S5 on the effective
        // section, or beyond.
        const double flangeLimit = section->flangeLimit(PlateClass::S4);
        const double flangeS5 = 20 * section->epsilonK;
        if (effective && section->flange == PlateClass::Slender) {
            JudgedCheck flange = figureWithin(twoDecimals(section->outstand, format),
                section->outstand,
                { flangeS5, "20ε_{k} = " + limitNumber(flangeS5, format),
                    "表3.5.1，S5级，" + epsilon },
                Bound::AtMost, format);
            onEffective(flange,
                "翼缘宽厚比" + flange.value + "大于15εk = " + limitNumber(flangeLimit, format)
                    + "，受压翼缘外伸宽度取15εk·t");
            checks.push_back(std::move(flange));
        } else {
            JudgedCheck flange = figureWithin(twoDecimals(section->outstand, format),
                section->outstand,
                { flangeLimit, "15ε_{k} = " + limitNumber(flangeLimit, format),
                    "表3.5.1，S4级，" + epsilon },
                Bound::AtMost, format);
            if (flange.verdict == NotMet)
                flange.note = section->outstand > flangeS5
                    ? "翼缘宽厚比" + flange.value + "大于20εk = " + limitNumber(flangeS5, format)
                        + "，超出S5级：截面不符合表3.5.1，也没有第8.4.2条的有效截面，"
                          "平面内、外稳定未作判断；应减小翼缘外伸宽度或加厚翼缘。"
                    : "翼缘宽厚比" + flange.value + "大于15εk = " + limitNumber(flangeLimit, format)
                        + "：受压翼缘应按有效截面计算（第8.4.2条），本程序未作此项计算。";
            checks.push_back(std::move(flange));
        }

        // 3. The web within S4, by the stress gradient across it.
        if (!section->alpha0) {
            JudgedCheck web;
            web.verdict = NotApplicable;
            web.value = twoDecimals(section->webRatio, format);
            web.source = "腹板全截面受拉，无高厚比限值";
            checks.push_back(std::move(web));
        } else if (effective && section->web == PlateClass::Slender) {
            JudgedCheck web = figureWithin(twoDecimals(section->webRatio, format),
                section->webRatio, { 250, "250", "表3.5.1，S5级" }, Bound::AtMost, format);
            onEffective(web,
                "腹板高厚比" + web.value + "大于S4级限值"
                    + twoDecimals(section->webLimit(PlateClass::S4), format)
                    + "，受压区取有效宽度 he = ρhc");
            checks.push_back(std::move(web));
        } else {
            const double webLimit = section->webLimit(PlateClass::S4);
            JudgedCheck web
                = figureWithin(twoDecimals(section->webRatio, format), section->webRatio,
                    { webLimit, "(45 + 25α_{0}^{1.66})ε_{k} = " + twoDecimals(webLimit, format),
                        "表3.5.1，S4级，α_{0} = " + twoDecimals(*section->alpha0, format) + "，"
                            + epsilon },
                    Bound::AtMost, format);
            if (web.verdict == NotMet)
                web.note = section->webRatio > 250
                    ? "腹板高厚比" + web.value
                        + "大于250，超出S5级：截面不符合表3.5.1，也没有第8.4.2条的有效截面，"
                          "平面内、外稳定未作判断；应加厚腹板或设纵向加劲肋。"
                    : "腹板高厚比" + web.value + "大于S4级限值" + twoDecimals(webLimit, format)
                        + "：腹板应按有效截面计算（第8.4.2条），本程序未作此项计算。";
            checks.push_back(std::move(web));
        }

        // A member without a positive length or effective length has no
        // slenderness to judge its stability by.
        const Basis& basis = member.basis;
        if (!(member.L > 0) || !(basis.muX > 0) || !(basis.muY > 0)) {
            const FieldName cause = !(member.L > 0) ? field::L
                : !(basis.muX > 0)                   ? field::muX
                                                     : field::muY;
            const std::string why = typedField(texts, cause, format);
            for (int row = 0; row < 3; ++row) {
                JudgedCheck unjudged;
                unjudged.source = "构件长度与计算长度须为正数";
                checks.push_back(std::move(unjudged));
            }
            checks.back().note
                = why + "：构件长度与计算长度须为正数，长细比与平面内、外稳定未作判断。";
        } else {
            judgeStability(member, *section, effective, f, format, checks);
            // Beyond S5 no class of table 3.5.1 holds and §8.4.2 gives no
            // effective section: the gross section's stability would pass a
            // member the code does not admit. The plate's row says why.
            const bool beyondS5 = section->outstand > flangeS5
                || (section->alpha0 && section->webRatio > 250);
            for (std::size_t row = checks.size() - 2; beyondS5 && row < checks.size(); ++row)
                if (checks[row].verdict == Met || checks[row].verdict == NotMet) {
                    checks[row] = {};
                    checks[row].source = "板件超出S5级（表3.5.1）";
                }
        }

        for (const JudgedCheck& check : checks)
            if (!check.note.empty())
                verdicts.notes.push_back(check.note);
        if (effective)
            verdicts.notes.push_back(effectiveFigures(member, *effective, format));
        if (section->fy == 355)
            verdicts.notes.emplace_back("Q355取表4.4.1中Q345的设计强度，偏于安全。");
    });
    return verdicts;
}

std::string plasticFactorCaption(const FieldTexts& texts, NumberFormat format)
{
    const FieldReader fields(texts, format);
    std::optional<SectionClass> section;
    if (runSteps([&] { section = classOf(readMember(fields, texts)); }))
        return {};
    return plasticFactorCaption(section);
}

std::string plasticFactorReason(const FieldTexts& texts, NumberFormat format)
{
    const FieldReader fields(texts, format);
    std::optional<SectionClass> section;
    if (runSteps([&] { section = classOf(readMember(fields, texts)); }))
        return {};
    return plasticFactorReason(section, format);
}

std::string sectionLengthNote(const FieldTexts& texts, NumberFormat format)
{
    const FieldReader fields(texts, format);
    std::string note;
    runSteps([&] {
        const Basis basis = readBasis(fields, texts);
        if (basis.muX == 2 && basis.muY == 2)
            return;
        const double L = fields.readDouble(field::L).value;
        const auto length = [&](std::string_view mu, double factor) {
            return std::string(mu) + " × L = " + factorText(factor, format) + " × "
                + generalText(L, format) + " = " + fixedTwoDecimals(factor * L, format) + " mm";
        };
        note = "计算长度按所填的计算长度系数：平面内 L_{0} = " + length("μ_{x}", basis.muX)
            + "，用于 λ_{x}；平面外 " + length("μ_{y}", basis.muY) + "，用于 λ_{y}。";
    });
    return note;
}

std::string sectionStabilityNote(const FieldTexts& texts, NumberFormat format)
{
    const FieldReader fields(texts, format);
    // The design-time basis on plates under 40 mm, as the sheet has always said it.
    std::string note = "平面内、外稳定按第8.2.1条：β_{mx} = β_{tx} = η = 1.0"
                       "（偏于安全），φ_{x} 按b类、φ_{y} 按c类截面（焊接工字形，翼缘为剪切边或轧制边，"
                       "附录D），φ_{b} 按附录C式(C.0.5)，仅用于 λ_{y} ≤ 120ε_{k}。";
    runSteps([&] {
        const Basis basis = readBasis(fields, texts);
        const float t = fields.readSingle(field::t).value;
        const Curves curves = curvesOf(basis, double(t));
        const bool designTime = basis.betaMx == 1 && basis.betaTx == 1 && basis.eta == 1;
        if (designTime && !basis.flameCut && t < 40)
            return;
        note = "平面内、外稳定按第8.2.1条：β_{mx} = " + factorText(basis.betaMx, format) + "，"
            + outOfPlaneFactors(basis, format) + (designTime ? "（偏于安全）" : "（按所填）")
            + "，φ_{x} 按" + curveName(curves.x) + "、φ_{y} 按" + curveName(curves.y)
            + "截面（焊接工字形，翼缘为" + (basis.flameCut ? "焰切边" : "轧制或剪切边") + "，t = "
            + generalText(t, format) + " mm" + (t < 40 ? " < 40 mm，表7.2.1-1" : " ≥ 40 mm，表7.2.1-2")
            + "，附录D），φ_{b} 按附录C式(C.0.5)，仅用于 λ_{y} ≤ 120ε_{k}。";
    });
    return note;
}

SectionScreen readSectionScreen(const FieldTexts& texts, NumberFormat format)
{
    const FieldReader fields(texts, format);
    const Basis basis = readBasis(fields, texts);
    SectionScreen screen;
    screen.N = fields.readDouble(field::N).value;
    screen.M = fields.readDouble(field::M).value;
    screen.L = fields.readDouble(field::L).value;
    screen.muX = basis.muX;
    screen.muY = basis.muY;
    screen.betaMx = basis.betaMx;
    screen.betaTx = basis.betaTx;
    screen.eta = basis.eta;
    screen.flameCut = basis.flameCut;
    screen.grade = textOrDesign(fields, texts, field::steelGrade);
    return screen;
}

namespace {

constexpr unsigned everyRow = (1u << 6) - 1;

// What the screen knows of a member's slenderness beside its figures: the
// least λx and λy the window's texts can show (L0 and the radii rounded to
// two decimals), and whether the radii are large enough for the stability
// ratios' 1 % margin to hold over those roundings.
struct Slenderness {
    double leastX, leastY;
    bool ratiosHold;
};

// The rows a member surely fails in a class, its figures taken as they
// are: each figure with a margin well beyond the roundings of the window's
// texts. webS4 is the web's S4 limit as the class was found with.
unsigned surelyFailed(const Member& member, const SectionClass* section, double webS4,
    const Slenderness& slenderness)
{
    const double t = member.plates.t.value, tw = member.plates.tw.value;
    const double f = plateStrength(section->fy, std::max(t, tw))->f;
    const std::optional<EffectiveSection> effective = effectiveSection(member, *section);
    const double Mn = std::fabs(member.M) * 1000000;
    unsigned fails = 0;
    const auto fail = [&](int row, bool failed) { fails |= failed ? 1u << row : 0u; };
    const auto above = [](double figure, double limit) {
        return figure > (limit * 1.002) + 0.05;
    };

    const double stress = effective
        ? ((std::fabs(member.N) * 1000) / effective->A)
            + ((Mn + ((std::max(member.N, 0.0) * 1000) * effective->e)) / effective->W)
        : ((std::fabs(member.N) * 1000) / member.A) + (((Mn) / member.Wx) / section->gammaX());
    fail(0, above(stress, f));
    const bool flangeOnEffective = effective && section->flange == PlateClass::Slender;
    fail(1,
        section->outstand
            > (flangeOnEffective ? 20 * section->epsilonK : section->flangeLimit(PlateClass::S4))
                * 1.000001);
    if (section->alpha0) {
        const bool webOnEffective = effective && section->web == PlateClass::Slender;
        fail(2, section->webRatio > (webOnEffective ? 250 : webS4) * 1.0001);
    }

    const Basis& basis = member.basis;
    if (!(member.L > 0) || !(basis.muX > 0) || !(basis.muY > 0))
        return fails | (7u << 3);
    const double A = effective ? effective->A : member.A;
    const double W = effective ? effective->W : section->gammaX() * member.Wx;
    const double shift = effective ? std::max(member.N, 0.0) * 1000 * effective->e : 0;
    const Curves curves = curvesOf(basis, t);
    const double Nn = member.N * 1000;
    if (member.N > 0) {
        fail(3, above(std::max(slenderness.leastX, slenderness.leastY), slendernessLimit));
        const double phiX = stabilityFactor(member.lambdaX, section->fy, curves.x);
        const double eulerX = ((std::numbers::pi * std::numbers::pi * E) * member.A)
            / (1.1 * (member.lambdaX * member.lambdaX));
        const double amplifier = 1 - (0.8 * (Nn / eulerX));
        // Near zero the amplifier's sign, and its ratio, are left to the
        // click: a small amplifier magnifies the roundings of λx.
        if (amplifier < -0.01 && slenderness.ratiosHold)
            fail(4, true);
        else if (amplifier > 0.1 && slenderness.ratiosHold)
            fail(4,
                (Nn / ((phiX * A) * f)) + (((basis.betaMx * Mn) + shift) / ((W * amplifier) * f))
                    > 1.01);
    }
    // Beyond 120εk the out-of-plane row is not judged, which holds a member
    // back as a failure does; near it the click decides.
    const double lambdaLimit = 120 * section->epsilonK;
    if (above(slenderness.leastY, lambdaLimit)) {
        fail(5, true);
    } else if (member.lambdaY < (lambdaLimit * 0.998) - 0.05 && slenderness.ratiosHold) {
        const double phiY = stabilityFactor(member.lambdaY, section->fy, curves.y);
        const double phiB = std::min(1.0,
            1.07
                - ((member.lambdaY * member.lambdaY)
                    / (44000 * (section->epsilonK * section->epsilonK))));
        const double Wb = effective ? effective->W : member.Wx;
        fail(5,
            (std::max(member.N, 0.0) * 1000 / ((phiY * A) * f))
                    + ((basis.eta * ((basis.betaTx * Mn) + shift)) / ((phiB * Wb) * f))
                > 1.01);
    }
    return fails;
}

} // namespace

unsigned sectionSureFailures(const SectionScreen& screen, float B, float H, float tw, float t)
{
    if (!gradeYieldStrength(screen.grade) || !(B > 0) || !(H > 0) || !(tw > 0) || !(t > 0)
        || tw > 100 || t > 100 || !(double(H) - (double(t) * 2) > 0))
        return everyRow;
    // A in Single and Ix, Iy in double, as the calculation works them out.
    const float areaSingle = ((B * t) * 2.0f) + ((H - (t * 2.0f)) * tw);
    if (!std::isfinite(areaSingle))
        return everyRow;
    const auto cubed = [](float x) { return (double(x) * double(x)) * double(x); };
    const double A = areaSingle;
    const double Ix = ((double(B) * cubed(H)) - (double(B - tw) * cubed(H - (t * 2.0f)))) / 12;
    const double Iy = (((double(t) * cubed(B)) * 2) + (double(H - (2.0f * t)) * cubed(tw))) / 12;
    const double ix = std::sqrt(Ix / A), iy = std::sqrt(Iy / A);
    Member member { { Single { B }, Single { H }, Single { tw }, Single { t } }, screen.N, screen.M,
        A, (Ix / double(H)) * 2, (screen.muX * screen.L) / ix, (screen.muY * screen.L) / iy,
        screen.L,
        Basis { screen.muX, screen.muY, screen.betaMx, screen.betaTx, screen.eta,
            screen.flameCut },
        screen.grade };
    if (!std::isfinite(member.Wx) || !std::isfinite(member.lambdaX)
        || !std::isfinite(member.lambdaY))
        return 0;
    // The class as sectionClass() finds it, its web limits by std::pow: a
    // web ratio within a hair of a limit (the texts round A and Wx, and so
    // α0) may rank either side, and a row surely fails only if it fails on
    // both.
    const int fy = *gradeYieldStrength(screen.grade);
    SectionClass section {};
    section.fy = fy;
    section.epsilonK = epsilonK(fy);
    const double h0 = double(H) - (double(t) * 2);
    section.outstand = ((double(B) - double(tw)) / 2) / double(t);
    section.webRatio = h0 / double(tw);
    const double sigmaN = (screen.N * 1000) / A;
    const double sigmaM = std::fabs((screen.M * 1000000) / member.Wx) * (h0 / double(H));
    const double sigmaMax = sigmaN + sigmaM;
    if (!std::isfinite(sigmaMax) || !std::isfinite(sigmaN - sigmaM)
        || std::fabs(sigmaMax) <= 1e-9 * (std::fabs(sigmaN) + std::fabs(sigmaM)))
        return 0;
    const auto rank = [](double ratio, double s3, double s4) {
        return ratio <= s3 ? PlateClass::S3 : ratio <= s4 ? PlateClass::S4 : PlateClass::Slender;
    };
    section.flange = rank(section.outstand, section.flangeLimit(PlateClass::S3),
        section.flangeLimit(PlateClass::S4));
    std::vector<PlateClass> webs { PlateClass::S3 };
    double webS4 = 0;
    if (sigmaMax > 0) {
        const double a = std::min(2.0, (sigmaMax - (sigmaN - sigmaM)) / sigmaMax);
        section.alpha0 = a;
        const double s3 = (40 + (18 * std::pow(a, 1.5))) * section.epsilonK;
        webS4 = (45 + (25 * std::pow(a, 1.66))) * section.epsilonK;
        const double r = section.webRatio;
        const double hair = 1e-5;
        webs.clear();
        for (const double by : { -hair, 0.0, hair }) {
            const PlateClass web = rank(r * (1 + by), s3, webS4);
            if (std::find(webs.begin(), webs.end(), web) == webs.end())
                webs.push_back(web);
        }
    }
    // λ = L0 / i, each shown to two decimals: at least (L0 − 0.005) /
    // (i + 0.005) − 0.005.
    const auto least = [](double length, double radius) {
        return ((length - 0.005) / (radius + 0.005)) - 0.005;
    };
    const Slenderness slenderness { least(screen.muX * screen.L, ix),
        least(screen.muY * screen.L, iy), ix >= 10 && iy >= 10 };
    unsigned fails = everyRow;
    for (const PlateClass web : webs) {
        section.web = web;
        fails &= surelyFailed(member, &section, webS4, slenderness);
    }
    return fails;
}
