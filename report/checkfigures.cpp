#include "checkfigures.h"

#include "coretext.h"

using namespace Qt::StringLiterals;

JudgedFigures checkFigures(
    const CalculatorEntry& calculator, const QHash<QString, QString>& texts, QChar decimalSeparator)
{
    const Verdicts verdicts
        = calculator.judge(coreTexts(texts), NumberFormat { char32_t(decimalSeparator.unicode()) });
    const CheckTable checks = calculator.checks();

    JudgedFigures figures;
    for (std::size_t row = 0; row < checks.size(); ++row) {
        const DesignCheck& check = checks[row];
        CheckFigures figure;
        figure.field = fromCore(check.field);
        figure.caption = fromCore(check.caption);
        figure.group = fromCore(check.group);
        figure.clause = fromCore(check.clause);
        // A check the judgement did not reach shows its field as it stands.
        figure.value = texts.value(figure.field);
        if (row < verdicts.checks.size()) {
            const JudgedCheck& judged = verdicts.checks[row];
            figure.value = fromCore(judged.value);
            figure.limit = fromCore(judged.limit);
            figure.source = fromCore(judged.source);
            figure.ratio = fromCore(judged.ratio);
            figure.verdict = judged.verdict;
        }
        figure.verdictText
            = fromCore(row < verdicts.checks.size() ? verdictText(check, verdicts.checks[row])
                                                    : verdictText(check, figure.verdict));
        figures.checks << figure;
    }
    if (!verdicts.fault)
        for (const std::string& note : verdicts.notes)
            figures.notes << fromCore(note);
    return figures;
}
