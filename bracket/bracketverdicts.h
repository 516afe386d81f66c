#pragma once

#include "designchecks.h"
#include "fieldsheet.h"

// The design checks that close a bracket calculation, in the verdict
// window's order: six of strength, each a stress field of the bracket window
// against its design strength, then under 局部稳定与构造 five of local
// stability and detailing, whose figures the checks work out from the same
// Singles as the stresses, and under 荷载与节点 ten more on the load's way
// from the bracket's flange into the column.
//
// The strengths are those of the grade shown by the thickness of the plate
// each check is about (table 4.4.1), of the electrode shown on that grade
// and of butt welds of the quality shown (table 4.4.5); each judged check
// says which value it took and where it comes from.
CheckTable bracketDesignChecks();

// Judges the checks in order. A field that is not a number stops the
// judgement at its check. An impossible bracket (a size ≤ 0, a plate beyond
// 100 mm) has every check not judged; a grade, electrode or weld quality the
// tables do not know leaves the checks that need it not judged. The notes
// say why, and on a judged bracket what the checks leave open.
Verdicts judgeBracket(const FieldTexts& fields, NumberFormat format);
