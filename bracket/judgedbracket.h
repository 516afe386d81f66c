#pragma once

#include "bracketinputs.h"
#include "bracketstages.h"
#include "designchecks.h"
#include "platestrengths.h"

#include <optional>
#include <string>
#include <string_view>

// The bracket as the calculation saw it, for the checks that work out their
// own figures.
struct JudgedBracket {
    const FieldReader& sheet;
    BracketInputs in;
    RootSection root; // M, y and In as the stress stage read them back
    FilletWeldLength weld;
    BracketMaterial material;

    NumberFormat format() const { return sheet.format(); }
    const std::optional<int>& fy() const { return material.fy; }
    // The moment puts the upper flange in tension, the lower in compression,
    // while the flange force as shown is not negative.
    bool upperFlangeInTension() const;

    // The strengths of a plate of the grade shown, its size checked to lie
    // in the tables; none for a grade they do not know.
    std::optional<PlateStrength> plate(Single t) const;
    std::optional<PlateStrength> plate(double t) const;
    // "Q235，16 < t_{2} = 20 ≤ 40 mm".
    std::string thicknessGroup(
        const PlateStrength& strengths, std::string_view plate, Single t) const;
};

// "16 < t_{2} = 20 ≤ 40 mm": a thickness group with the plate's own thickness.
std::string withThickness(
    std::string_view group, std::string_view plate, Single t, NumberFormat format);

// "f_{v} = 125" from table `source`.
Limit strength(std::string_view symbol, double value, std::string source, NumberFormat format);

// "f_{y} = 235，ε_{k} = 1.00".
std::string epsilonText(int fy, NumberFormat format);

// A stress field the inputs give nothing to judge against: shown as it
// stands, read all the same, so that a text that is no number still stops
// the judgement there.
JudgedCheck stressNotJudged(const FieldReader& sheet, FieldName stress);

// A stress the check works out, judged on its two-decimal text as the
// stress fields are.
JudgedCheck workedStressBelow(double stress, Limit limit, NumberFormat format);

// ff^w of the electrode shown on the grade shown, and where it comes from;
// none for a grade or electrode table 4.4.5 does not know.
std::optional<Limit> filletStrength(const JudgedBracket& bracket);
