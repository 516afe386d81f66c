#include "checkfigures.h"

#include "bracketinputs.h"
#include "bracketverdicts.h"
#include "calculationsheet.h"
#include "format.h"

using namespace Qt::StringLiterals;

namespace {

NumberFormat formatWith(QChar decimalSeparator)
{
    return NumberFormat { char32_t(decimalSeparator.unicode()) };
}

CheckVerdict verdictOf(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Met:
        return CheckVerdict::Met;
    case Verdict::NotMet:
        return CheckVerdict::NotMet;
    case Verdict::NotJudged:
        break;
    }
    return CheckVerdict::NotJudged;
}

} // namespace

BracketCheckFigures bracketCheckFigures(
    const QHash<QString, QString>& texts, QChar decimalSeparator)
{
    const Verdicts verdicts = judgeBracket(coreTexts(texts), formatWith(decimalSeparator));
    const std::vector<DesignCheck>& checks = bracketDesignChecks();

    BracketCheckFigures figures;
    figures.detailingHeading = fromCore(bracketDetailingHeading);
    for (std::size_t row = 0; row < checks.size(); ++row) {
        const DesignCheck& check = checks[row];
        CheckFigures figure;
        figure.field = fromCore(check.field);
        figure.caption = fromCore(check.caption);
        figure.clause = fromCore(check.clause);
        figure.detailing = row >= bracketStrengthCheckCount;
        // A check the judgement did not reach shows its field as it stands.
        figure.value = texts.value(figure.field);
        if (row < verdicts.checks.size()) {
            const JudgedCheck& judged = verdicts.checks[row];
            figure.value = fromCore(judged.value);
            figure.limit = fromCore(judged.limit);
            figure.source = fromCore(judged.source);
            figure.ratio = fromCore(judged.ratio);
            figure.verdict = verdictOf(judged.verdict);
        }
        figure.verdictText = figure.verdict == CheckVerdict::Met ? u"满足要求"_s
            : figure.verdict == CheckVerdict::NotMet             ? fromCore(check.notMet)
                                                                 : u"未判断"_s;
        figures.checks << figure;
    }
    if (!verdicts.fault)
        for (const std::string& note : verdicts.notes)
            figures.notes << fromCore(note);
    return figures;
}

QStringList bracketWeldGeometry(const QHash<QString, QString>& texts, QChar decimalSeparator)
{
    const NumberFormat format = formatWith(decimalSeparator);
    const FieldTexts fields = coreTexts(texts);
    const FieldReader reader(fields, format);
    QStringList lines;
    const std::optional<Fault> fault = runSteps([&] {
        const BracketInputs in = readBracketInputs(reader);
        const auto mm = [&](Single length) { return fromCore(generalText(length.value, format)); };
        const FlangeLeverArm arm = flangeLeverArm(in);
        lines << u"翼缘对接焊缝受力的力臂 h_{1} = min(t_{1} + t_{2} + h_{w} − 20, "
                 u"h_{w} + 0.5 × t_{1} + 0.5 × t_{2}) = min(%1, %2) = %3 mm"_s.arg(
                     mm(arm.depthLess20), mm(arm.centres), mm(arm.arm));
        const FilletWeldLength weld = filletWeldLength(in);
        lines << u"角焊缝计算长度 l_{w} = min(h_{w} − 20, h_{w} − 2h_{f}) = min(%1, %2) = %3 mm"_s
                     .arg(mm(weld.webLess20), mm(weld.webLessEnds), mm(weld.lw));
    });
    return fault ? QStringList() : lines;
}
