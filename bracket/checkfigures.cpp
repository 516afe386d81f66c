#include "checkfigures.h"

#include "bracketverdicts.h"
#include "calculationsheet.h"
#include "format.h"
#include "parse.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The core speaks UTF-8.
std::string utf8(const QString& text)
{
    return text.toStdString();
}

NumberFormat formatWith(QChar decimalSeparator)
{
    return NumberFormat { char32_t(decimalSeparator.unicode()) };
}

FieldTexts coreTexts(const QHash<QString, QString>& texts)
{
    FieldTexts fields;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        fields.insert_or_assign(utf8(it.key()), utf8(it.value()));
    return fields;
}

// "f = 215", or with its factor "β_{1}·f = 1.1 × 215 = 236.5".
QString strengthText(const DesignCheck& check, NumberFormat format)
{
    const QString strength = sheetString(generalText(check.strength, format));
    if (check.factor == 1)
        return sheetString(check.symbol) + u" = "_s + strength;
    return u"%1 = %2 × %3 = %4"_s.arg(sheetString(check.symbol),
        sheetString(generalText(check.factor, format)), strength,
        sheetString(generalText(check.limit(), format)));
}

} // namespace

QList<CheckFigures> bracketCheckFigures(
    const QHash<QString, QString>& texts, QChar decimalSeparator)
{
    const NumberFormat format = formatWith(decimalSeparator);
    const BracketVerdicts verdicts = judgeBracket(coreTexts(texts), format);
    const std::vector<DesignCheck>& checks = bracketDesignChecks();

    QList<CheckFigures> figures;
    for (std::size_t row = 0; row < checks.size(); ++row) {
        const DesignCheck& check = checks[row];
        CheckFigures figure;
        figure.field = sheetString(check.field);
        figure.caption = sheetString(check.caption);
        figure.strength = strengthText(check, format);
        figure.source = sheetString(check.source);
        figure.clause = sheetString(check.clause);
        if (row < verdicts.met.size()) {
            figure.verdict = verdicts.met[row] ? CheckVerdict::Met : CheckVerdict::NotMet;
            const Parsed<double> stress = parseDouble(utf8(texts.value(figure.field)), format);
            // Judged by magnitude, as the verdict compares; the limits are positive.
            if (stress)
                figure.ratio = sheetString(
                    fixedTwoDecimals(std::fabs(stress.value) / check.limit(), format));
        }
        figures << figure;
    }
    return figures;
}

QStringList bracketStrengthCaveats(const QHash<QString, QString>& texts, QChar decimalSeparator)
{
    QStringList sentences;
    for (const std::string& caveat :
        strengthCaveats(coreTexts(texts), formatWith(decimalSeparator)))
        sentences << sheetString(caveat);
    return sentences;
}
