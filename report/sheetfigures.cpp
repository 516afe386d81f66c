#include "sheetfigures.h"

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

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

QList<CheckFigures> bracketCheckFigures(
    const QHash<QString, QString>& texts, QChar decimalSeparator)
{
    const NumberFormat format { char32_t(decimalSeparator.unicode()) };
    FieldTexts fields;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        fields.insert_or_assign(utf8(it.key()), utf8(it.value()));
    const std::vector<DesignCheck>& checks = bracketDesignChecks();
    const BracketVerdicts verdicts = judgeBracket(fields, format);
    // The equivalent stress may reach 1.1 f; say so where its limit is exactly that.
    const double f = checks.empty() ? 0 : checks.front().limit;

    QList<CheckFigures> figures;
    for (std::size_t row = 0; row < checks.size(); ++row) {
        const DesignCheck& check = checks[row];
        CheckFigures figure;
        figure.field = QString::fromUtf8(check.field.data(), qsizetype(check.field.size()));
        figure.strength = qs(generalText(check.limit, format));
        if (check.limit != f && check.limit == 1.1 * f)
            figure.strength = u"%1 × %2 = %3"_s.arg(
                qs(generalText(1.1, format)), qs(generalText(f, format)), figure.strength);
        if (row < verdicts.met.size()) {
            figure.verdict = verdicts.met[row] ? CheckVerdict::Met : CheckVerdict::NotMet;
            const Parsed<double> stress = parseDouble(utf8(texts.value(figure.field)), format);
            // Judged by magnitude, as the verdict compares; the limits are positive.
            if (stress)
                figure.ratio = qs(fixedTwoDecimals(std::fabs(stress.value) / check.limit, format));
        }
        figures << figure;
    }
    return figures;
}
