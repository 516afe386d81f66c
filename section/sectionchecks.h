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

// The search's screen (截面优选): the window's forces, length, grade and
// basis, read once as a click reads them; a text that does not read stops
// the steps with its fault.
struct SectionScreen {
    double N = 0, M = 0, L = 0;
    double muX = 2, muY = 2, betaMx = 1, betaTx = 1, eta = 1;
    bool flameCut = false;
    std::string grade;
};
SectionScreen readSectionScreen(const FieldTexts& texts, NumberFormat format);

// The rows of sectionChecks() a member of plates B, H, tw and t surely does
// not meet on the screen's forces, a bit for each in the rows' order: worked
// in double with margins well beyond the roundings of the window's texts, so
// a member the screen fails never passes a click.
unsigned sectionSureFailures(const SectionScreen& screen, float B, float H, float tw, float t);
