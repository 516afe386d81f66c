#include "bracketsearch.h"

#include "bracketcalculation.h"
#include "bracketfields.h"
#include "bracketverdicts.h"
#include "candidateverdicts.h"
#include "format.h"
#include "loadpath.h"
#include "parse.h"
#include "platestrengths.h"
#include "searchspace.h"
#include "steelgrade.h"
#include "steelstrength.h"
#include "utf8.h"
#include "webpanel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

namespace {

namespace field = BracketField;

// The checks in the order of bracketDesignChecks().
enum Check : std::size_t {
    sigma,
    tau,
    lowerWebEnd,
    upperWeld,
    lowerWeld,
    fillet,
    upperWebEnd,
    flangeOutstand,
    webSlenderness,
    filletLeg,
    filletLength,
    webLocal,
    stiffenerBearing,
    stiffenerStability,
    stiffenerWidth,
    stiffenerOutstand,
    upperFlangeWeb,
    lowerFlangeWeb,
    columnWeb,
    columnFlange,
    legAgainstThicker,
    checkCount
};

// A size as the calculation reads it.
float single(const std::string& text, NumberFormat format)
{
    const Parsed<float> read = parseSingle(text, format);
    return read ? read.value : std::numeric_limits<float>::quiet_NaN();
}

// A stress surely beyond its limit, whatever the Single roundings and the
// two-decimal texts of the exact calculation make of it: the screen in
// double stays within a few parts in a million of it, the margin is a part
// in five hundred.
bool surelyAbove(double stress, double limit)
{
    return std::fabs(stress) > (limit * 1.002) + 0.05;
}

// The load and the materials, as a click reads them from the window; the
// search refuses materials the tables do not know before it screens.
struct Load {
    double F, e;
    BracketMaterial material;
    LoadPathInputs path;
};

// The checks of a plate set that do not depend on the fillet leg, screened
// in double: a bit for each that surely fails. The bracket's section as the
// calculation works it out, without its Single read-backs.
unsigned screenPlates(
    float bf1s, float bf2s, float t1s, float t2s, float tss, float hws, const Load& load)
{
    const double bf1 = bf1s, bf2 = bf2s, t1 = t1s, t2 = t2s, ts = tss, hw = hws;
    const int fy = *load.material.fy;
    const int quality = *load.material.quality;
    const std::optional<PlateStrength> upper = plateStrength(fy, t1);
    const std::optional<PlateStrength> lower = plateStrength(fy, t2);
    const std::optional<PlateStrength> web = plateStrength(fy, ts);
    if (!(bf1 > 0) || !(bf2 > 0) || !(hw > 0) || !upper || !lower || !web)
        return 1u << sigma; // not judged: it cannot pass
    const double F = load.F, M = load.F * load.e;
    // The section with flange widths b1 and b2: y, c2 and In as the
    // calculation works them out.
    struct Section {
        double y, c2, In;
    };
    const auto sectionOf = [&](double b1, double b2) {
        const double A = ((b1 * t1) + (b2 * t2)) + (ts * hw);
        const double y
            = (((ts * hw) * 0.5 * (hw + t1)) + ((b2 * t2) * ((hw + 0.5 * t1) + 0.5 * t2))) / A;
        const double c2 = ((hw + 0.5 * t1) + 0.5 * t2) - y;
        const double a = (0.5 * hw + 0.5 * t1) - y;
        return Section { y, c2,
            (t1 * b1 * y * y) + (t2 * b2 * c2 * c2) + (ts * hw * hw * hw / 12)
                + (ts * hw * a * a) };
    };
    const Section gross = sectionOf(bf1, bf2);
    const double y = gross.y, In = gross.In;
    const double S = (0.5 * ts * (y - 0.5 * t1) * (y - 0.5 * t1)) + (t1 * bf1 * y);
    unsigned fails = 0;
    const auto fail = [&](Check check, bool failed) { fails |= failed ? 1u << check : 0; };

    const double arm = std::min((t1 + t2 + hw) - 20, hw + 0.5 * t1 + 0.5 * t2);
    const double N = M * 1e3 / arm;
    const bool upperInTension = N >= 0;
    // As the checks themselves work them out: past 20εk the flange fails;
    // past 15εk (S5) the rows of its side take the section with its width
    // cut to be = 2 × 15εk·t + ts.
    const double ek = epsilonK(fy);
    const double bf = upperInTension ? bf2 : bf1, t = upperInTension ? t2 : t1;
    const double outstand = ((bf - ts) / 2) / t;
    fail(flangeOutstand, outstand > 20 * ek);
    const bool s5 = outstand > 15 * ek;
    const double be = 2 * (15 * ek * t) + ts;
    const double bf1U = s5 && !upperInTension ? be : bf1;
    const double bf2L = s5 && upperInTension ? be : bf2;
    const Section upperSide = bf1U == bf1 ? gross : sectionOf(bf1U, bf2);
    const Section lowerSide = bf2L == bf2 ? gross : sectionOf(bf1, bf2L);

    fail(sigma,
        surelyAbove(M * 1e6 * ((hw + 0.5 * t1 + t2) - lowerSide.y) / lowerSide.In, lower->f));
    fail(tau, surelyAbove(F * S * 1e3 / (In * ts), web->fv));
    const double sigma1 = M * 1e6 * ((hw + 0.5 * t1) - lowerSide.y) / lowerSide.In;
    const double tau1 = F * (t2 * bf2L * lowerSide.c2) * 1e3 / (lowerSide.In * ts);
    fail(lowerWebEnd, surelyAbove(std::sqrt(sigma1 * sigma1 + 3 * tau1 * tau1), 1.1 * web->f));
    fail(upperWeld,
        surelyAbove(
            N * 1e3 / (t1 * bf1U), upperInTension ? buttWeldTension(*upper, quality) : upper->f));
    fail(lowerWeld,
        surelyAbove(
            N * 1e3 / (t2 * bf2L), upperInTension ? lower->f : buttWeldTension(*lower, quality)));
    const double sigmaU = M * 1e6 * (upperSide.y - 0.5 * t1) / upperSide.In;
    const double tauU = F * (t1 * bf1U * upperSide.y) * 1e3 / (upperSide.In * ts);
    fail(upperWebEnd, surelyAbove(std::sqrt(sigmaU * sigmaU + 3 * tauU * tauU), 1.1 * web->f));
    // Beyond 80εk the web's panel, as the check works it out from the same
    // Singles; a panel the formulas do not take is never met.
    const double slenderness = hw / ts;
    if (slenderness > 80 * epsilonK(fy)) {
        const double a = std::fabs(double(float(load.e) * 1000.0f));
        // Without σc: a panel the check takes with it fails no less.
        const bool shaped = a / hw >= 0.5 && a / hw <= longestPanel(hw, ts, false);
        const double hc = upperInTension ? (hw + 0.5 * t1) - y : y - 0.5 * t1;
        const std::optional<WebPanel> panel = webPanel({ std::fabs(M) * 1e6 * hc / In,
            std::fabs(F) * 1e3 / (hw * ts), hc, hw, ts, a, web->f, web->fv, epsilonK(fy) });
        fail(webSlenderness,
            slenderness > 150 * epsilonK(fy) || !shaped || (panel && panel->sum > 1.002));
    }

    // The web under the load, and the column opposite the flanges, each as
    // its check works it out.
    const LoadPathInputs& path = load.path;
    const bool underLoad = path.stiffener == false && F > 0;
    const double lz = localCompression(F, ts, t1, path.bearing.value).lz;
    if (underLoad)
        fail(webLocal,
            surelyAbove(localCompression(F, ts, t1, path.bearing.value).sigmaC, web->f));
    // The bearing stiffener: sized by the window, it fails every section
    // alike under too heavy a load, so the search settles that unclicked.
    const double bs = path.bs.value, tst = path.tst.value, cut = path.cut.value;
    if (path.stiffener == true && F >= 0 && bs > 0 && tst > 0 && bs - cut > 0 && cut >= 0) {
        const BearingStiffener pair = bearingStiffener(F, bs, tst, cut, ts, hw, fy);
        const std::optional<PlateStrength> stiffenerPlate = plateStrength(fy, tst);
        if (const std::optional<double> fce = endBearingStrength(fy))
            fail(stiffenerBearing, surelyAbove(pair.bearingStress, *fce));
        if (stiffenerPlate)
            fail(stiffenerStability,
                surelyAbove(pair.stabilityStress, std::min(stiffenerPlate->f, web->f)));
        fail(stiffenerWidth, bs < ((hw / 30) + 40) * (1 - 1e-9));
        fail(stiffenerOutstand, bs / tst > 15 * (1 + 1e-9));
    }
    // The flanges' fillets to the web, the load's share on the upper ones.
    const double hf2 = path.hf2.value;
    if (hf2 > 0 && load.material.electrode) {
        const double ffw = filletWeldStrength(*load.material.electrode, fy)->ffw;
        const double share = underLoad && lz > 0 ? (F * 1000) / (frontFilletFactor * lz) : 0;
        fail(upperFlangeWeb,
            surelyAbove(flangeWebWeld(std::fabs(F), bf1 * t1 * y, In, share, hf2).stress, ffw));
        fail(lowerFlangeWeb,
            surelyAbove(flangeWebWeld(std::fabs(F), bf2 * t2 * gross.c2, In, 0, hf2).stress, ffw));
    }
    if (path.columnStiffener == false) {
        const std::optional<PlateStrength> webPlate = plateStrength(fy, path.twc.value);
        const std::optional<PlateStrength> flangePlate = plateStrength(fy, path.tc.value);
        if (webPlate && flangePlate) {
            const double tc = path.tc.value, twc = path.twc.value;
            const bool lowerCompressed = upperInTension;
            const double tComp = lowerCompressed ? t2 : t1, tTens = lowerCompressed ? t1 : t2;
            const double needs = columnWebNeeds((lowerCompressed ? bf2 : bf1) * tComp,
                (lowerCompressed ? lower : upper)->f, tComp, tc, webPlate->f, path.hc.value, ek)
                                     .byForce;
            fail(columnWeb, needs > twc * 1.000001);
            fail(columnFlange,
                columnFlangeNeeds((lowerCompressed ? bf1 : bf2) * tTens,
                    (lowerCompressed ? upper : lower)->f, flangePlate->f)
                    > tc * 1.000001);
        }
    }
    return fails;
}

// The checks of the fillet welds, which depend on ts, hw and hf alone.
unsigned screenFillet(float tss, float hws, float hfs, const Load& load)
{
    const float F = float(load.F);
    if (!(hfs > 0))
        return 1u << fillet;
    const float lw = std::min(hws - 20, hws - (hfs * 2));
    const double tauF = double(F * 1000) / ((1.4 * double(hfs)) * double(lw));
    const double hf = hfs;
    unsigned fails = 0;
    const double ffw = filletWeldStrength(*load.material.electrode, *load.material.fy)->ffw;
    if (!std::isfinite(tauF) || std::fabs(tauF) > ffw * 1.000001 + 0.01)
        fails |= 1u << fillet;
    const double ts = tss;
    const int smallest = ts <= 6 ? 3 : ts <= 12 ? 5 : ts <= 20 ? 6 : 8;
    if (hf < smallest)
        fails |= 1u << filletLeg;
    if (hf < smallestFilletLeg(std::max(ts, double(load.path.tc.value))).hf)
        fails |= 1u << legAgainstThicker;
    if (double(lw) < std::max(8 * hf, 40.0))
        fails |= 1u << filletLength;
    return fails;
}

// The options as a test of one flange with its web, and of the pair, on the
// Singles the calculation reads; b′/t worked out as the flange check does.
struct Detailing {
    bool atLeastWeb, outstand, symmetric;
    double ek;

    bool flange(float bf, float t, float ts) const
    {
        if (atLeastWeb && !(t >= ts))
            return false;
        return !outstand || ((double(bf) - double(ts)) / 2) / double(t) <= 15 * ek;
    }
    bool pair(float bf1, float bf2, float t1, float t2) const
    {
        return !symmetric || (bf1 == bf2 && t1 == t2);
    }
};

Detailing detailingOf(const BracketSearchSpace& space, const FieldTexts& window)
{
    const std::optional<int> fy = bracketMaterial(window).fy;
    return { space.flangesAtLeastWeb, space.tensionOutstand && fy.has_value(), space.symmetric,
        fy ? epsilonK(*fy) : 0.0 };
}

using Place = std::array<std::size_t, 6>;

Place digits(std::size_t index, const Place& sizes)
{
    Place at {};
    for (std::size_t n = 6; n-- > 0;) {
        at[n] = index % sizes[n];
        index /= sizes[n];
    }
    return at;
}

// Each size of the space as the calculation reads it; NaN for a text that
// is no number, which the screen fails.
std::vector<float> singles(const std::vector<std::string>& texts, NumberFormat format)
{
    std::vector<float> values;
    for (const std::string& text : texts)
        values.push_back(single(text, format));
    return values;
}

} // namespace

std::size_t searchedSections(
    const BracketSearchSpace& space, const FieldTexts& window, NumberFormat format)
{
    const Detailing detailing = detailingOf(space, window);
    const std::vector<float> bf1 = singles(space.bf1, format), bf2 = singles(space.bf2, format),
                             t1 = singles(space.t1, format), t2 = singles(space.t2, format),
                             ts = singles(space.ts, format);
    // For each web, the flanges it takes; without symmetry either flange
    // goes with any of the other side.
    std::size_t sections = 0;
    for (const float web : ts) {
        std::size_t upper = 0, lower = 0, pairs = 0;
        for (const float b : bf1)
            for (const float t : t1)
                upper += detailing.flange(b, t, web);
        for (const float b : bf2)
            for (const float t : t2)
                lower += detailing.flange(b, t, web);
        if (detailing.symmetric) {
            // Each size is in a list once, so a width or plate has at most
            // one equal on the other side.
            for (const float b : bf1)
                for (const float t : t1)
                    pairs += std::find(bf2.begin(), bf2.end(), b) != bf2.end()
                        && std::find(t2.begin(), t2.end(), t) != t2.end()
                        && detailing.flange(b, t, web);
        } else {
            pairs = upper * lower;
        }
        sections += pairs;
    }
    return sections * space.hw.size() * space.hf.size();
}

bool BracketCandidate::before(const BracketCandidate& other) const
{
    if (area != other.area)
        return area < other.area;
    if (ratio != other.ratio)
        return ratio < other.ratio;
    if (values[5] != other.values[5])
        return values[5] < other.values[5];
    if (values != other.values)
        return values < other.values;
    return sizes < other.sizes;
}

BracketSearchSpace defaultBracketSearchSpace(const FieldTexts& window)
{
    BracketSearchSpace space;
    for (int width = 150; width <= 400; width += 10) {
        space.bf1.push_back(std::to_string(width));
        space.bf2.push_back(std::to_string(width));
    }
    for (const int plate : { 6, 8, 10, 12, 14, 16, 18, 20, 22, 25, 28, 30, 32, 36, 40 }) {
        space.t1.push_back(std::to_string(plate));
        space.t2.push_back(std::to_string(plate));
        if (plate <= 20)
            space.ts.push_back(std::to_string(plate));
    }
    const auto hw = window.find(field::hw);
    space.hw.push_back(hw == window.end() ? std::string("500") : hw->second);
    for (const int leg : { 6, 8, 10, 12, 14, 16 })
        space.hf.push_back(std::to_string(leg));
    return space;
}

namespace {

// As judgeBracketCandidate, counting in `notMet` each check a failing one
// does not meet.
std::optional<BracketCandidate> judged(const FieldTexts& window,
    const std::array<std::string, 7>& sizes, NumberFormat format, std::vector<std::size_t>* notMet)
{
    FieldTexts texts = window;
    for (std::size_t n = 0; n < sizes.size(); ++n)
        texts.insert_or_assign(std::string(searchedSizes[n]), sizes[n]);
    if (calculateBracket(texts, format))
        return std::nullopt;
    const Verdicts verdicts = judgeBracket(texts, format);
    if (!passesEveryRow(verdicts, notMet))
        return std::nullopt;
    BracketCandidate candidate;
    candidate.sizes = sizes;
    for (std::size_t n = 0; n < sizes.size(); ++n)
        candidate.values[n] = single(sizes[n], format);
    candidate.areaText = texts.at(std::string(field::An));
    candidate.area = parseDouble(candidate.areaText, format).value;
    // kg/m: An mm² × 7850 kg/m³ × 10⁻⁶ m²/mm², as the I-section's weight.
    candidate.weightText = fixedTwoDecimals((candidate.area * 7850) * 0.000001, format);
    const GoverningRow governing = governingRow(verdicts, format);
    candidate.ratio = governing.ratio;
    candidate.ratioText = governing.text;
    candidate.governing = governing.row;
    return candidate;
}

} // namespace

std::optional<BracketCandidate> judgeBracketCandidate(
    const FieldTexts& window, const std::array<std::string, 7>& sizes, NumberFormat format)
{
    return judged(window, sizes, format, nullptr);
}

std::optional<std::string> unsearchableGrade(const FieldTexts& window)
{
    const BracketMaterial material = bracketMaterial(window);
    // A pasted line is named by its start.
    const auto named = [](std::string_view typed) {
        const std::u32string characters = decodeUtf8(typed);
        std::string start;
        for (std::size_t n = 0; n < std::min<std::size_t>(characters.size(), 20); ++n)
            start += encodeUtf8(characters[n]);
        return characters.size() > 20 ? start + "…" : start;
    };
    if (!material.fy)
        return (material.grade.empty() ? std::string("没有填写钢材牌号")
                                       : "钢材牌号“" + named(material.grade) + "”无法识别")
            + "（应为Q235、Q345、Q355、Q390、Q420或Q460，可带质量等级A～E），"
              "受压翼缘宽厚比与腹板高厚比无法判断，任何截面都不能满足全部验算：请先改正钢材。";
    if (!material.electrode)
        return (material.electrodeText.empty()
                       ? std::string("没有填写焊条型号")
                       : "焊条“" + named(material.electrodeText) + "”无法识别")
            + "（应为E43、E50、E55或E60），角焊缝无法判断，任何截面都不能满足全部验算：请先改正焊条"
              "。";
    if (!material.quality)
        return (material.qualityText.empty()
                       ? std::string("没有填写焊缝质量等级")
                       : "焊缝质量“" + named(material.qualityText) + "”无法识别")
            + "（应为一级、二级或三级），受拉翼缘的对接焊缝无法判断，"
              "任何截面都不能满足全部验算：请先改正焊缝质量。";
    return std::nullopt;
}

BracketSearch searchLightestBracket(const FieldTexts& window, const BracketSearchSpace& space,
    NumberFormat format, const BracketSearchControl& control)
{
    BracketSearch search;
    search.candidates = space.size();
    search.failures.assign(checkCount, 0);
    const unsigned threads = searchThreads(control);
    // The fronts refuse a larger space with searchSpaceProblem().
    if (search.candidates == 0 || searchSpaceProblem(space))
        return search;
    search.refused = unsearchableGrade(window);
    if (search.refused)
        return search;

    // A load, an eccentricity or another field the search does not size
    // that stops a click stops every click.
    {
        FieldTexts texts = window;
        const std::array<std::string, 7> first { space.bf1[0], space.bf2[0], space.t1[0],
            space.t2[0], space.ts[0], space.hw[0], space.hf[0] };
        for (std::size_t n = 0; n < first.size(); ++n)
            texts.insert_or_assign(std::string(searchedSizes[n]), first[n]);
        std::optional<Fault> fault = calculateBracket(texts, format);
        if (!fault)
            fault = judgeBracket(texts, format).fault;
        if (fault
            && std::find(searchedSizes.begin(), searchedSizes.end(), fault->field)
                == searchedSizes.end()) {
            search.fault = std::move(fault);
            return search;
        }
    }

    const auto text = [&](FieldName name) {
        const auto found = window.find(name);
        return found == window.end() ? std::string() : found->second;
    };
    Load load { single(text(field::F), format), single(text(field::e), format),
        bracketMaterial(window), {} };
    const FieldReader reader(window, format);
    if (std::optional<Fault> fault = runSteps([&] { load.path = readLoadPath(reader, window); })) {
        search.fault = std::move(fault);
        return search;
    }
    const std::vector<float> bf1 = singles(space.bf1, format), bf2 = singles(space.bf2, format),
                             t1 = singles(space.t1, format), t2 = singles(space.t2, format),
                             ts = singles(space.ts, format), hw = singles(space.hw, format),
                             hf = singles(space.hf, format);
    search.candidates = searchedSections(space, window, format);
    if (search.candidates == 0)
        return search;
    // Each flange with each web, as the options take it, looked up rather
    // than worked out again for every plate set.
    const Detailing detailing = detailingOf(space, window);
    const auto flanges = [&](const std::vector<float>& widths, const std::vector<float>& plates) {
        std::vector<char> kept;
        for (const float b : widths)
            for (const float t : plates)
                for (const float web : ts)
                    kept.push_back(detailing.flange(b, t, web));
        return kept;
    };
    const std::vector<char> upperKept = flanges(bf1, t1), lowerKept = flanges(bf2, t2);

    // 1. Screen every fillet and every plate set, in double, for the checks
    // that surely fail; the fillet's depend on ts, hw and hf alone.
    const Place counts { bf1.size(), bf2.size(), t1.size(), t2.size(), ts.size(), hw.size() };
    std::vector<unsigned> filletFails(ts.size() * hw.size() * hf.size());
    const auto filletAt = [&](const Place& at, std::size_t leg) -> unsigned& {
        return filletFails[((at[4] * hw.size()) + at[5]) * hf.size() + leg];
    };
    for (std::size_t s = 0; s < ts.size(); ++s)
        for (std::size_t w = 0; w < hw.size(); ++w)
            for (std::size_t f = 0; f < hf.size(); ++f)
                filletAt({ 0, 0, 0, 0, s, w }, f) = screenFillet(ts[s], hw[w], hf[f], load);

    std::size_t plateSets = 1;
    for (const std::size_t count : counts)
        plateSets *= count;
    std::vector<std::vector<std::size_t>> failed(threads, std::vector<std::size_t>(checkCount));
    const auto screen = [&](std::size_t index, unsigned thread) -> std::optional<float> {
        const Place at = digits(index, counts);
        if (!upperKept[(at[0] * t1.size() + at[2]) * ts.size() + at[4]]
            || !lowerKept[(at[1] * t2.size() + at[3]) * ts.size() + at[4]]
            || !detailing.pair(bf1[at[0]], bf2[at[1]], t1[at[2]], t2[at[3]]))
            return std::nullopt;
        const unsigned plates
            = screenPlates(bf1[at[0]], bf2[at[1]], t1[at[2]], t2[at[3]], ts[at[4]], hw[at[5]], load);
        bool anyLeg = false;
        for (std::size_t f = 0; f < hf.size(); ++f) {
            const unsigned fails = plates | filletAt(at, f);
            for (std::size_t check = 0; check < checkCount; ++check)
                failed[thread][check] += (fails >> check) & 1u;
            anyLeg = anyLeg || fails == 0;
        }
        // An in Single, as the calculation works it out.
        if (!anyLeg)
            return std::nullopt;
        return ((bf1[at[0]] * t1[at[2]]) + (bf2[at[1]] * t2[at[3]])) + (ts[at[4]] * hw[at[5]]);
    };

    // 2. The plate sets that may pass, smallest An first, each with its legs
    // from the smallest, judged by a click, until no later set can enter the
    // ten. A leg that reads as no number comes last, and fails.
    std::vector<std::size_t> legs(hf.size());
    std::iota(legs.begin(), legs.end(), std::size_t(0));
    std::stable_sort(legs.begin(), legs.end(), [&](std::size_t a, std::size_t b) {
        return hf[a] < hf[b] || (!std::isnan(hf[a]) && std::isnan(hf[b]));
    });
    std::vector<std::vector<std::size_t>> notMet(threads, std::vector<std::size_t>(checkCount));
    std::vector<std::size_t> clicks(threads);
    const auto click = [&](std::size_t index, unsigned thread) -> std::optional<BracketCandidate> {
        const Place at = digits(index, counts);
        // The smallest leg that passes is the plate set's weld.
        for (const std::size_t f : legs) {
            // A leg the screen failed needs no click; its failures are counted.
            if (filletAt(at, f) != 0)
                continue;
            const std::array<std::string, 7> sizes { space.bf1[at[0]], space.bf2[at[1]],
                space.t1[at[2]], space.t2[at[3]], space.ts[at[4]], space.hw[at[5]], space.hf[f] };
            ++clicks[thread];
            if (std::optional<BracketCandidate> candidate
                = judged(window, sizes, format, &notMet[thread]))
                return candidate;
        }
        return std::nullopt;
    };
    // The two-decimal An rises with the Single one, so no later set shows a
    // smaller An than this one.
    const auto beyond = [&](float area, const BracketCandidate& tenth) {
        return parseDouble(fixedTwoDecimals(generalText(area, format), format), format).value
            > tenth.area;
    };
    LightestFound<BracketCandidate> found
        = searchLightest<BracketCandidate>(plateSets, control, screen, click, beyond);
    search.best = std::move(found.best);
    for (unsigned thread = 0; thread < threads; ++thread) {
        search.clicked += clicks[thread];
        for (std::size_t check = 0; check < checkCount; ++check)
            search.failures[check] += failed[thread][check] + notMet[thread][check];
    }
    if (found.cancelled) {
        search.cancelled = true;
        return search;
    }
    if (search.best.empty()) {
        const auto most = std::max_element(search.failures.begin(), search.failures.end());
        if (*most > 0)
            search.mostFailed = std::size_t(most - search.failures.begin());
    }
    return search;
}
