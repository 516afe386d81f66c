#include "bracketverdicts.h"

#include "bracketfields.h"

#include <cmath>

const std::vector<DesignCheck>& bracketDesignChecks()
{
    static const std::vector<DesignCheck> checks {
        { BracketField::sigma, 215 },
        { BracketField::tau, 215 },
        { BracketField::equivalentStress, 1.1 * 215 }, // 236.50000000000003: 236.50 still passes
        { BracketField::upperFlangeWeld, 185 },
        { BracketField::lowerFlangeWeld, 215 },
        { BracketField::filletWeld, 160 },
    };
    return checks;
}

bool meetsLimit(double stress, double limit)
{
    return std::fabs(stress) < limit;
}

BracketVerdicts judgeBracket(const FieldTexts& fields, NumberFormat format)
{
    BracketVerdicts verdicts;
    FieldTexts texts = fields;
    const FieldSheet sheet(texts, format);
    verdicts.fault = runSteps([&] {
        for (const DesignCheck& check : bracketDesignChecks())
            verdicts.met.push_back(meetsLimit(sheet.readDouble(check.field).value, check.limit));
    });
    return verdicts;
}
