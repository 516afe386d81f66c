#include "bracketverdicts.h"

#include <cmath>

using namespace Qt::StringLiterals;

const std::vector<DesignCheck>& bracketDesignChecks()
{
    static const std::vector<DesignCheck> checks {
        { u"Text22"_s, 215 },
        { u"Text23"_s, 215 },
        { u"Text28"_s, 1.1 * 215 }, // 236.50000000000003: 236.50 still passes
        { u"Text30"_s, 185 },
        { u"Text31"_s, 215 },
        { u"Text32"_s, 160 },
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
