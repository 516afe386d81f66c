#pragma once

#include "fieldsheet.h"

#include <optional>

// The properties of a welded, doubly symmetric I-section (two equal flange
// plates B × t and a web plate tw between them, no root fillets) and of a
// member made from it, computed from the texts of the I-section window's
// fields by control name. Every result is written into its field as text and
// later steps read it back from that text, so they use the displayed figure.
//
// Inputs: Text1 B, Text2 H, Text3 tw, Text4 t (mm), Text12 N (kN),
// Text13 M (kN·m), Text16 L (mm), Text20 Num.
// Outputs: Text5 A, Text6 Ix, Text7 Iy, Text8 ix, Text9 iy, Text10 Wx,
// Text11 Wy, Text14 σe, Text15 σp, Text17 L0, Text18 λx, Text19 λy,
// Text21 G, Text22 Gsum.
//
// Returns the fault that stopped the steps, if any; the fields written before
// it keep their new texts, the others their old ones.
std::optional<Fault> calculateSection(FieldTexts& fields, NumberFormat format);
