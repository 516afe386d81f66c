#pragma once

#include "designchecks.h"
#include "fieldsheet.h"

// The design checks that close a bracket calculation, in the verdict
// window's order: six of strength, each a stress field of the bracket window
// against its design strength, then under 局部稳定与构造 five of local
// stability and detailing, whose figures the checks work out from the same
// Singles as the stresses.
//
// The strengths are those of Q235 plates by the thickness of the plate each
// check is about (table 4.4.1), E43 electrodes and grade-three butt welds
// (table 4.4.5), whatever the window shows; each judged check says which
// value it took and where it comes from.
CheckTable bracketDesignChecks();

// Judges the checks in order. A field that is not a number stops the
// judgement at its check. An impossible bracket (a size ≤ 0, a plate beyond
// 100 mm) has every check not judged, and a grade the checks do not know
// leaves the two that need εk not judged; the notes say why, and on a
// judged bracket what the checks leave open.
Verdicts judgeBracket(const FieldTexts& fields, NumberFormat format);
