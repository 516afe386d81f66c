#pragma once

#include "designchecks.h"
#include "fieldsheet.h"

#include <string>

// The member check that follows an I-section calculation (GB 50017-2017):
// strength, the flange's and the web's width-to-thickness ratios, the
// slenderness of a member in compression, and its stability in and out of
// the plane of the moment, on the engineer's basis: μx·L and μy·L, βmx, βtx,
// η and the curves the flanges' edges and thickness give. N > 0 is
// compression.
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

// The member's basis as the sheet states it. The lengths λx and λy took,
// where μx or μy is not the design-time 2 (empty otherwise: the sheet's own
// words hold); and the stability rows' factors and curves, from "平面内、外稳定
// 按第8.2.1条：" on, the design-time words where the texts do not read.
std::string sectionLengthNote(const FieldTexts& fields, NumberFormat format);
std::string sectionStabilityNote(const FieldTexts& fields, NumberFormat format);
