#include "loadpath.h"

#include "bracketfields.h"
#include "parse.h"
#include "stability.h"
#include "steelgrade.h"

#include <cmath>

namespace {

namespace field = BracketField;

std::string_view textOf(const FieldTexts& fields, FieldName control)
{
    const auto found = fields.find(control);
    return found == fields.end() ? findField(bracketFields(), control)->designText
                                 : std::string_view(found->second);
}

Single sizeOf(const FieldReader& sheet, const FieldTexts& fields, FieldName control)
{
    if (fields.contains(control))
        return sheet.readSingle(control);
    // Design-time texts are plain numbers.
    return { parseSingle(textOf(fields, control), sheet.format()).value };
}

std::optional<bool> presenceOf(const FieldTexts& fields, FieldName control)
{
    const std::string_view text = textOf(fields, control);
    if (text == "有")
        return true;
    if (text == "无")
        return false;
    return std::nullopt;
}

} // namespace

LoadPathInputs readLoadPath(const FieldReader& sheet, const FieldTexts& fields)
{
    // Braced initialisation reads them in the window's order.
    return LoadPathInputs {
        sizeOf(sheet, fields, field::hf2),
        sizeOf(sheet, fields, field::bs),
        sizeOf(sheet, fields, field::tst),
        sizeOf(sheet, fields, field::cut),
        sizeOf(sheet, fields, field::bearing),
        sizeOf(sheet, fields, field::tc),
        sizeOf(sheet, fields, field::twc),
        sizeOf(sheet, fields, field::hc),
        presenceOf(fields, field::stiffener),
        presenceOf(fields, field::columnStiffener),
    };
}

LocalCompression localCompression(double F, double ts, double t1, double bearing)
{
    const double lz = bearing + (5 * t1);
    return { lz, (F * 1000) / (ts * lz) };
}

BearingStiffener bearingStiffener(
    double F, double bs, double tst, double cut, double ts, double hw, int fy)
{
    BearingStiffener s {};
    s.contactArea = (2 * (bs - cut)) * tst;
    s.bearingStress = (F * 1000) / s.contactArea;
    s.webStrip = (15 * ts) * epsilonK(fy);
    s.area = ((2 * bs) * tst) + ((tst + (2 * s.webStrip)) * ts);
    const double depth = (2 * bs) + ts;
    s.inertia = ((tst * ((depth * depth) * depth)) / 12) + (((2 * s.webStrip) * ((ts * ts) * ts)) / 12);
    s.radius = std::sqrt(s.inertia / s.area);
    s.slenderness = hw / s.radius;
    s.phi = stabilityFactor(s.slenderness, fy, BucklingCurve::b);
    s.stabilityStress = (F * 1000) / (s.phi * s.area);
    return s;
}

FlangeWebWeld flangeWebWeld(double V, double Sf, double In, double loadPerLength, double hf2)
{
    FlangeWebWeld weld {};
    weld.shearFlow = ((V * 1000) * Sf) / In;
    weld.loadFlow = loadPerLength;
    weld.stress = std::sqrt((weld.shearFlow * weld.shearFlow) + (weld.loadFlow * weld.loadFlow))
        / ((2 * 0.7) * hf2);
    return weld;
}

ColumnWebNeeds columnWebNeeds(
    double Afb, double fb, double tf, double tc, double fc, double hc, double epsilonK)
{
    const double be = tf + (5 * tc);
    return { be, (Afb * fb) / (be * fc), (hc / 30) / epsilonK };
}

double columnFlangeNeeds(double Aft, double fb, double fc)
{
    return 0.4 * std::sqrt((Aft * fb) / fc);
}

SmallestLeg smallestFilletLeg(double t)
{
    return t <= 6 ? SmallestLeg { 3, "t ≤ 6 mm" }
        : t <= 12 ? SmallestLeg { 5, "6 < t ≤ 12 mm" }
        : t <= 20 ? SmallestLeg { 6, "12 < t ≤ 20 mm" }
                  : SmallestLeg { 8, "t > 20 mm" };
}
