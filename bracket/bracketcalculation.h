#pragma once

#include "fieldsheet.h"

#include <optional>

// The strength check of a welded steel bracket (牛腿) with unequal flanges,
// computed from the texts of the bracket window's fields by control name:
// the section stage (M, V, An, y, S, a, In, Wn1, Wn2), the stress stage
// (root section stresses, flange butt welds, web fillet welds) and the final
// rewrite of all twenty outputs Text13 … Text32 as two-decimal text.
//
// Returns the fault that stopped it, if any: fields written before the fault
// keep their new general texts, the others their old ones.
std::optional<Fault> calculateBracket(FieldTexts& fields, NumberFormat format);
