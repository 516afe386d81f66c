#pragma once

#include "designchecks.h"
#include "fieldsheet.h"

#include <string>

// The member check that follows an I-section calculation (GB 50017-2017):
// strength, the flange's and the web's width-to-thickness ratios, the
// slenderness of a member in compression, and its stability in and out of
// the plane of the moment. The member is a cantilever of length L, both
// axes taking L0 = 2L; N > 0 is compression.
CheckTable sectionChecks();

// Judges them on the window's texts after a complete calculation. A section
// of an impossible size or an unknown grade has every check not judged, a
// check not for this member (a compression limit, a member in tension) is
// not applicable; the notes say why, and what the checks leave open.
Verdicts judgeSection(const FieldTexts& fields, NumberFormat format);

// The plastic factor γx the calculation took, and why: short for beside σp
// ("γx = 1.0，翼缘超S3级"), a sentence for the sheet in its notation.
std::string plasticFactorCaption(const FieldTexts& fields, NumberFormat format);
std::string plasticFactorReason(const FieldTexts& fields, NumberFormat format);
