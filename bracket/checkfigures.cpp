#include "checkfigures.h"

#include "bracketverdicts.h"
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

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// "f = 215", or with its factor "β_{1}·f = 1.1 × 215 = 236.5".
QString strengthText(const DesignCheck& check, NumberFormat format)
{
    const QString strength = qs(generalText(check.strength, format));
    if (check.factor == 1)
        return qs(check.symbol) + u" = "_s + strength;
    return u"%1 = %2 × %3 = %4"_s.arg(qs(check.symbol), qs(generalText(check.factor, format)),
        strength, qs(generalText(check.limit(), format)));
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
        figure.field = qs(check.field);
        figure.caption = qs(check.caption);
        figure.strength = strengthText(check, format);
        figure.source = qs(check.source);
        figure.clause = qs(check.clause);
        if (row < verdicts.met.size()) {
            figure.verdict = verdicts.met[row] ? CheckVerdict::Met : CheckVerdict::NotMet;
            const Parsed<double> stress = parseDouble(utf8(texts.value(figure.field)), format);
            // Judged by magnitude, as the verdict compares; the limits are positive.
            if (stress)
                figure.ratio
                    = qs(fixedTwoDecimals(std::fabs(stress.value) / check.limit(), format));
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
        sentences << qs(caveat);
    return sentences;
}
