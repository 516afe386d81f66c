#include "sheetfigures.h"

#include "bracketverdicts.h"
#include "format.h"
#include "parse.h"

#include <cmath>

using namespace Qt::StringLiterals;

QList<CheckFigures> bracketCheckFigures(
    const QHash<QString, QString>& texts, QChar decimalSeparator)
{
    const NumberFormat format { decimalSeparator };
    const std::vector<DesignCheck>& checks = bracketDesignChecks();
    const BracketVerdicts verdicts = judgeBracket(texts, format);
    // The equivalent stress may reach 1.1 f; say so where its limit is exactly that.
    const double f = checks.empty() ? 0 : checks.front().limit;

    QList<CheckFigures> figures;
    for (std::size_t row = 0; row < checks.size(); ++row) {
        const DesignCheck& check = checks[row];
        CheckFigures figure;
        figure.field = check.field;
        figure.strength = generalText(check.limit, format);
        if (check.limit != f && check.limit == 1.1 * f)
            figure.strength = u"%1 × %2 = %3"_s.arg(
                generalText(1.1, format), generalText(f, format), figure.strength);
        if (row < verdicts.met.size()) {
            figure.verdict = verdicts.met[row] ? CheckVerdict::Met : CheckVerdict::NotMet;
            const Parsed<double> stress = parseDouble(texts.value(check.field), format);
            // Judged by magnitude, as the verdict compares; the limits are positive.
            if (stress)
                figure.ratio = fixedTwoDecimals(std::fabs(stress.value) / check.limit, format);
        }
        figures << figure;
    }
    return figures;
}
