#pragma once

#include "fieldsheet.h"

// The nine inputs of the bracket check, read once as Singles: plate sizes
// bf1, bf2, t1, t2, ts, hw (mm), the load F (kN) at e (m) from the column
// face, the fillet leg hf (mm).
struct BracketInputs {
    Single bf1, bf2, t1, t2, ts, hw, F, e, hf;
};

// Reads them in that order, as the calculation does before it writes.
BracketInputs readBracketInputs(const FieldReader& sheet);

// The lever arm of the flange couple, mm: the smaller of the depth less
// 20 mm, which the check has always taken, and the distance between the
// flange centres. The first is the shorter, and so the safer, up to
// t1 + t2 = 40 mm; beyond it the flange forces act the centres apart.
struct FlangeLeverArm {
    Single depthLess20; // ((t1 + t2) + hw) − 20
    Single centres; // (hw + 0.5·t1) + 0.5·t2, worked out in Double
    Single arm; // the smaller
};
FlangeLeverArm flangeLeverArm(const BracketInputs& in);

// The length each web fillet weld is computed with, mm: the smaller of hw
// less 20 mm and hw less the two ends of 2·hf that §11.2.2 leaves out. The
// second is the shorter once hf > 10 mm.
struct FilletWeldLength {
    Single webLess20; // hw − 20
    Single webLessEnds; // hw − (hf × 2)
    Single lw; // the smaller
};
FilletWeldLength filletWeldLength(const BracketInputs& in);
