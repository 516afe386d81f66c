#include "sectionclass.h"

#include "designchecks.h"
#include "stability.h"
#include "steelgrade.h"

#include <algorithm>
#include <cmath>

namespace {

PlateClass rank(double ratio, double s3, double s4)
{
    return ratio <= s3 ? PlateClass::S3 : ratio <= s4 ? PlateClass::S4 : PlateClass::Slender;
}

} // namespace

double SectionClass::flangeLimit(PlateClass of) const
{
    return (of == PlateClass::S3 ? 13 : 15) * epsilonK;
}

double SectionClass::webLimit(PlateClass of) const
{
    const double a = alpha0.value_or(0);
    return of == PlateClass::S3 ? (40 + (18 * rationalPower(a, 3, 2))) * epsilonK
                                : (45 + (25 * rationalPower(a, 83, 50))) * epsilonK;
}

std::optional<SectionClass> sectionClass(
    const SectionPlates& plates, double A, double Wx, double N, double M, std::string_view grade)
{
    const double B = plates.B.value, H = plates.H.value, tw = plates.tw.value, t = plates.t.value;
    const std::optional<int> fy = gradeYieldStrength(grade);
    const double h0 = H - (t * 2);
    if (!fy || !(B > 0) || !(H > 0) || !(tw > 0) || !(t > 0) || !(h0 > 0) || !(A > 0) || !(Wx > 0))
        return std::nullopt;

    SectionClass section;
    section.fy = *fy;
    section.epsilonK = epsilonK(*fy);
    section.outstand = ((B - tw) / 2) / t;
    section.webRatio = h0 / tw;
    // The bending stress at the web's edges, beside the axial one.
    const double sigmaN = (N * 1000) / A;
    const double sigmaM = std::fabs((M * 1000000) / Wx) * (h0 / H);
    const double sigmaMax = sigmaN + sigmaM;
    const double sigmaMin = sigmaN - sigmaM;
    if (!std::isfinite(sigmaMax) || !std::isfinite(sigmaMin))
        return std::nullopt;
    if (sigmaMax > 0)
        section.alpha0 = std::min(2.0, (sigmaMax - sigmaMin) / sigmaMax);
    section.flange = rank(
        section.outstand, section.flangeLimit(PlateClass::S3), section.flangeLimit(PlateClass::S4));
    section.web = section.alpha0
        ? rank(section.webRatio, section.webLimit(PlateClass::S3), section.webLimit(PlateClass::S4))
        : PlateClass::S3;
    return section;
}

std::string plasticFactorCaption(const std::optional<SectionClass>& section)
{
    if (!section)
        return "γx = 1.0，未能分级";
    if (section->flange != PlateClass::S3)
        return "γx = 1.0，翼缘超S3级";
    if (section->web != PlateClass::S3)
        return "γx = 1.0，腹板超S3级";
    return "γx = 1.05，S3级截面";
}

std::string plasticFactorReason(const std::optional<SectionClass>& section, NumberFormat format)
{
    if (!section)
        return "γ_{x} = 1.0：板件尺寸或钢材牌号不能确定截面等级（表3.5.1），不考虑塑性发展。";
    const auto number = [&](double value) { return fixedTwoDecimals(value, format); };
    const std::string flange = "翼缘 b′/t = " + number(section->outstand) + "，S3级限值 13ε_{k} = "
        + limitNumber(section->flangeLimit(PlateClass::S3), format);
    const std::string web = section->alpha0 ? "腹板 h_{0}/t_{w} = " + number(section->webRatio)
            + "，S3级限值 (40 + 18α_{0}^{1.5})ε_{k} = "
            + number(section->webLimit(PlateClass::S3)) + "（α_{0} = " + number(*section->alpha0)
            + "）"
                                            : "腹板全截面受拉，无高厚比限值";
    if (section->gammaX() == 1.05)
        return "γ_{x} = 1.05：" + flange + "，" + web + "，截面为S3级（第8.1.1条、表3.5.1）。";
    return "γ_{x} = 1.0：" + flange + "，" + web
        + "；板件不满足S3级，不考虑塑性发展（第8.1.1条）。";
}
