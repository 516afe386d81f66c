#pragma once

#include "fieldfacts.h"

// The I-section window's fields, named once by what they hold; the value is
// the control's name.
namespace SectionField {

// Inputs: the plates (mm), the forces, the member length (mm), the piece count.
inline constexpr FieldName B = "Text1"; // flange width
inline constexpr FieldName H = "Text2"; // overall height
inline constexpr FieldName tw = "Text3"; // web thickness
inline constexpr FieldName t = "Text4"; // flange thickness
inline constexpr FieldName N = "Text12"; // axial force, kN
inline constexpr FieldName M = "Text13"; // bending moment, kN·m
inline constexpr FieldName L = "Text16"; // member length
inline constexpr FieldName Num = "Text20"; // number of pieces
// The steel grade chosen: its yield strength ranks the plates and gives f.
inline constexpr FieldName steelGrade = "Combo1";
// The member's basis, as the engineer takes it (§8.2.1, table 7.2.1).
inline constexpr FieldName muX = "Text23"; // effective length factor in the plane of M
inline constexpr FieldName muY = "Text24"; // effective length factor out of it
inline constexpr FieldName betaMx = "Text25"; // equivalent moment factor, in plane
inline constexpr FieldName betaTx = "Text26"; // equivalent moment factor, out of plane
inline constexpr FieldName eta = "Text27"; // section factor, 0.7 for a closed section
inline constexpr FieldName flangeEdges = "Combo2"; // rolled or sheared, or flame-cut

// Results.
inline constexpr FieldName area = "Text5"; // A, mm²
inline constexpr FieldName Ix = "Text6"; // mm⁴
inline constexpr FieldName Iy = "Text7"; // mm⁴
inline constexpr FieldName ix = "Text8"; // radius of gyration, mm
inline constexpr FieldName iy = "Text9"; // radius of gyration, mm
inline constexpr FieldName Wx = "Text10"; // section modulus, mm³
inline constexpr FieldName Wy = "Text11"; // section modulus, mm³
inline constexpr FieldName elasticStress = "Text14"; // σe, N/mm²
inline constexpr FieldName plasticStress = "Text15"; // σp, N/mm²
inline constexpr FieldName L0 = "Text17"; // effective length in plane μx·L, mm
inline constexpr FieldName slendernessX = "Text18"; // λx
inline constexpr FieldName slendernessY = "Text19"; // λy
inline constexpr FieldName G = "Text21"; // weight of one piece, kg/m
inline constexpr FieldName Gsum = "Text22"; // weight of all pieces, kg

} // namespace SectionField

// Every field of the I-section window: its symbol, name, caption, unit, role
// and design-time text, in the window's reading order.
FieldTable sectionFields();

// A field as the window names it to a screen reader and in a fault report:
// its caption on one line ("弹性设计最大应力 σe").
std::string sectionSpokenName(const FieldFacts& facts);
