#include "verdictpart.h"

#include "checkfigures.h"

using namespace Qt::StringLiterals;

namespace {

QString orDash(const QString& text)
{
    return text.isEmpty() ? u"—"_s : text;
}

} // namespace

SheetPart verdictPart(
    const SheetSnapshot& snapshot, const CalculatorEntry& calculator, const QList<SheetCell>& basis)
{
    SheetPart part;
    part.heading = u"三、验算结论"_s;
    part.table.header = { u"验算项目"_s, u"计算值"_s, u"限值"_s, u"取值依据"_s, u"比值"_s,
        u"结论"_s, u"验算条文"_s };
    part.table.widths = { 16, 9, 16, 23, 8, 14, 14 };
    part.table.words = { false, false, false, false, true, true, true };
    part.table.keepTogether = true;
    const JudgedFigures figures
        = checkFigures(calculator, snapshot.texts, snapshot.decimalSeparator);
    int notMet = 0, notJudged = 0, notApplicable = 0;
    QString group;
    for (const CheckFigures& check : figures.checks) {
        if (check.group != group) {
            group = check.group;
            if (!group.isEmpty())
                part.table.rows << SheetRow { {},
                    { plainCell(group), plainCell({}), plainCell({}), plainCell({}), plainCell({}),
                        plainCell({}), plainCell({}) } };
        }
        SheetCell verdict = plainCell(check.verdictText);
        verdict.alert = check.verdict == Verdict::NotMet;
        notMet += check.verdict == Verdict::NotMet;
        notJudged += check.verdict == Verdict::NotJudged;
        notApplicable += check.verdict == Verdict::NotApplicable;
        part.table.rows << SheetRow { check.field,
            { plainCell(check.caption),
                // A figure never breaks.
                check.value.isEmpty() ? plainCell(u"—"_s) : SheetCell { check.value, false, true },
                plainCell(orDash(check.limit)), plainCell(orDash(check.source)),
                plainCell(orDash(check.ratio)), verdict, plainCell(check.clause) } };
    }
    // Checks not for this member count for nothing.
    const int all = int(figures.checks.size()) - notApplicable;
    if (notJudged == all)
        part.notes << SheetCell { u"结论：未作判断，原因见下"_s, true };
    else if (notMet > 0)
        part.notes << SheetCell { notJudged > 0
                ? u"结论：有 %1 项不满足要求，%2 项未判断"_s.arg(notMet).arg(notJudged)
                : u"结论：有 %1 项不满足要求"_s.arg(notMet),
            true };
    else if (notJudged > 0)
        part.notes << SheetCell {
            u"结论：已判断的 %1 项均满足要求，%2 项未判断"_s.arg(all - notJudged).arg(notJudged),
            true
        };
    else
        part.notes << plainCell(u"结论：全部满足要求"_s);
    part.notes << basis;
    for (const QString& note : figures.notes)
        part.notes << plainCell(u"注意："_s + note);
    return part;
}
