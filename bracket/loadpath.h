#pragma once

#include "fieldsheet.h"

#include <optional>

// What carries the bracket's load into its web and on into the column: the
// figures of GB 50017-2017 §6.1.4, §6.3.7, §11.2.7 and §12.3.4, in double
// from the Singles the inputs read as. Forces in kN, sizes in mm, stresses
// in N/mm².

// The inputs under 荷载与柱, as read.
struct LoadPathInputs {
    Single hf2, bs, tst, cut, bearing, tc, twc, hc;
    std::optional<bool> stiffener, columnStiffener; // none: a text neither 有 nor 无
};

// A field that `fields` lacks, as in a design or a table made before these
// inputs existed, reads as its design-time text.
LoadPathInputs readLoadPath(const FieldReader& sheet, const FieldTexts& fields);

// §6.1.4, the web's upper edge under a load with no bearing stiffener: the
// load spreads over lz = a + 5hy + 2hR, hy the upper flange's thickness for a
// welded section, no rail (hR = 0); ψ = 1.0, no heavy-duty crane beam.
struct LocalCompression {
    double lz;
    double sigmaC; // ψF ÷ (tw·lz)
};
LocalCompression localCompression(double F, double ts, double t1, double bearing);

// §6.3.7, the pair of bearing stiffeners under the load, planed to bear on
// the flange: the bearing stress on their ends less the corner cuts, and
// their stability out of the web's plane as a member in compression of the
// stiffeners and 15·ts·εk of web each side, l0 = hw, curve b.
struct BearingStiffener {
    double contactArea; // Ace = 2(bs − c)·tst
    double bearingStress; // F ÷ Ace
    double webStrip; // 15·ts·εk each side of the stiffener
    double area; // 2·bs·tst + (tst + 2 × 15·ts·εk)·ts
    double inertia; // tst·(2bs + ts)³ ÷ 12 + 2 × 15·ts·εk·ts³ ÷ 12
    double radius, slenderness, phi;
    double stabilityStress; // F ÷ (φ·A)
};
BearingStiffener bearingStiffener(
    double F, double bs, double tst, double cut, double ts, double hw, int fy);

// §11.2.7, the two fillets joining a flange to the web: the shear flow
// V·Sf ÷ I and, under the load without a bearing stiffener, its share
// ψF ÷ (βf·lz), on the throat 2 × 0.7hf′. βf = 1.22: the bracket's load is
// static, as every check of the window takes it.
struct FlangeWebWeld {
    double shearFlow; // N/mm
    double loadFlow; // N/mm
    double stress; // √(shear² + load²) ÷ (2 × 0.7hf′)
};
FlangeWebWeld flangeWebWeld(double V, double Sf, double In, double loadPerLength, double hf2);
inline constexpr double frontFilletFactor = 1.22;

// §12.3.4 for a column without stiffeners opposite the flanges: the web
// thickness (12.3.4-1, -2) opposite the compression flange and the flange
// thickness (12.3.4-4) opposite the tension flange.
struct ColumnWebNeeds {
    double be; // tf + 5hy, hy = tc for a welded column
    double byForce; // Afb·fb ÷ (be·fc)
    double bySlenderness; // hc ÷ 30 ÷ εk,c
};
ColumnWebNeeds columnWebNeeds(
    double Afb, double fb, double tf, double tc, double fc, double hc, double epsilonK);
double columnFlangeNeeds(double Aft, double fb, double fc); // 0.4·√(Aft·fb ÷ fc)

// Table 11.3.5: the smallest fillet leg for a joint whose governing part is t thick.
struct SmallestLeg {
    int hf;
    const char* group;
};
SmallestLeg smallestFilletLeg(double t);
