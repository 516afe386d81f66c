#include "bracketcalculation.h"

#include "bracketstages.h"

std::optional<Fault> calculateBracket(FieldTexts& fields, NumberFormat format)
{
    FieldSheet sheet(fields, format);
    return runSteps([&] {
        const BracketInputs in = readBracketInputs(sheet);
        const RootSection root = computeRootSection(sheet, in);
        computeStresses(sheet, in, root);
        writeTwoDecimalPass(sheet, in);
    });
}
