#include "bracketinputs.h"

#include "bracketfields.h"

#include <algorithm>

namespace field = BracketField;

BracketInputs readBracketInputs(const FieldReader& sheet)
{
    // Braced initialisation reads them in this order, before anything is written.
    return BracketInputs {
        sheet.readSingle(field::bf1),
        sheet.readSingle(field::bf2),
        sheet.readSingle(field::t1),
        sheet.readSingle(field::t2),
        sheet.readSingle(field::ts),
        sheet.readSingle(field::hw),
        sheet.readSingle(field::F),
        sheet.readSingle(field::e),
        sheet.readSingle(field::hf),
    };
}

FlangeLeverArm flangeLeverArm(const BracketInputs& in)
{
    const Single depthLess20 = ((in.t1 + in.t2) + in.hw) - 20;
    const Single centres
        = roundToSingle((widen(in.hw) + (0.5 * widen(in.t1))) + (0.5 * widen(in.t2)));
    return { depthLess20, centres, { std::min(depthLess20.value, centres.value) } };
}

FilletWeldLength filletWeldLength(const BracketInputs& in)
{
    const Single webLess20 = in.hw - 20;
    const Single webLessEnds = in.hw - (in.hf * 2);
    return { webLess20, webLessEnds, { std::min(webLess20.value, webLessEnds.value) } };
}
