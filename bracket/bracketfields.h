#pragma once

#include "fieldfacts.h"

#include <array>

// The bracket window's fields, named once by the symbols of its labels; the
// value is the control's name.
namespace BracketField {

// Inputs: plate sizes (mm), the load F (kN) at e (m) from the column face, the
// fillet weld leg (mm).
inline constexpr FieldName bf1 = "Text1"; // upper flange width
inline constexpr FieldName bf2 = "Text2"; // lower flange width
inline constexpr FieldName t1 = "Text3"; // upper flange thickness
inline constexpr FieldName t2 = "Text4"; // lower flange thickness
inline constexpr FieldName ts = "Text5"; // web thickness
inline constexpr FieldName hw = "Text6"; // web height
inline constexpr FieldName F = "Text7";
inline constexpr FieldName e = "Text8";
inline constexpr FieldName hf = "Text12";

// Materials: no calculation reads them; the checks take their design
// strengths from the grade, the electrode and the weld quality, while the
// welding method is information only (table 4.4.5 gives the three methods
// the same strengths with matching electrodes).
inline constexpr FieldName steelGrade = "Combo1";
inline constexpr FieldName electrode = "Text9";
inline constexpr FieldName weldingMethod = "Text10";
inline constexpr FieldName weldQuality = "Text11";

// The root section.
inline constexpr FieldName M = "Text13"; // kN·m
inline constexpr FieldName V = "Text14"; // kN
inline constexpr FieldName An = "Text15"; // mm²
inline constexpr FieldName y = "Text16"; // upper flange centre to the axis, mm
inline constexpr FieldName S = "Text17"; // first moment above the axis, mm³
inline constexpr FieldName a = "Text18"; // web centre to the axis, mm
inline constexpr FieldName In = "Text19"; // mm⁴
inline constexpr FieldName Wn1 = "Text20"; // upper net section modulus, mm³
inline constexpr FieldName Wn2 = "Text21"; // lower net section modulus, mm³

// Stresses (N/mm²) and the welds.
inline constexpr FieldName sigma = "Text22"; // σ at the lower flange's outer edge
inline constexpr FieldName tau = "Text23"; // τ at the axis
inline constexpr FieldName webEndModulus = "Text24"; // W′n2 at the web's lower end, mm³
inline constexpr FieldName S1 = "Text25"; // first moment of the lower flange, mm³
inline constexpr FieldName sigma1 = "Text26"; // σ1 at the web's lower end
inline constexpr FieldName tau1 = "Text27"; // τ1 at the web's lower end
inline constexpr FieldName equivalentStress = "Text28"; // √(σ1² + 3τ1²)
inline constexpr FieldName flangeForce = "Text29"; // force in each flange butt weld, kN
inline constexpr FieldName upperFlangeWeld = "Text30";
inline constexpr FieldName lowerFlangeWeld = "Text31";
inline constexpr FieldName filletWeld = "Text32"; // the two web fillet welds

// The load and the column, under 荷载与柱: the bearing stiffener under the
// load (or, without one, the length the load bears on), the fillets joining
// the bracket's flanges to its web, and the column the bracket is welded to,
// of the bracket's own grade. Sizes in mm.
inline constexpr FieldName hf2 = "Text33"; // flange-to-web fillet leg hf′
inline constexpr FieldName stiffener = "Combo2"; // 有 / 无: a bearing stiffener under the load
inline constexpr FieldName bs = "Text34"; // its width each side of the web
inline constexpr FieldName tst = "Text35"; // its thickness
inline constexpr FieldName cut = "Text36"; // its corner cut at the flange
inline constexpr FieldName bearing = "Text37"; // a, the load's bearing length
inline constexpr FieldName tc = "Text38"; // column flange thickness
inline constexpr FieldName twc = "Text39"; // column web thickness
inline constexpr FieldName hc = "Text40"; // column web depth
inline constexpr FieldName columnStiffener = "Combo3"; // 有 / 无: column stiffeners at the flanges

// Every result, in the window's order: the two-decimal pass rewrites them all.
inline constexpr std::array<FieldName, 20> results { M, V, An, y, S, a, In, Wn1, Wn2, sigma, tau,
    webEndModulus, S1, sigma1, tau1, equivalentStress, flangeForce, upperFlangeWeld,
    lowerFlangeWeld, filletWeld };

} // namespace BracketField

// Every field of the bracket window, the steel grade included: its symbol,
// name, captions, unit, role and design-time text, in the order of the
// controls' names.
FieldTable bracketFields();

// A field as the window names it to a screen reader and in a fault report:
// an input by its caption on one line without the trailing "=" or "：", a
// result by its name and symbol ("净截面的上抵抗矩Wn1"), the information
// fields by their captions as they stand.
std::string bracketSpokenName(const FieldFacts& facts);
