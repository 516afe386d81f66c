#pragma once

#include <QChar>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The sheet's only way into the bracket's design checks and weld geometry:
// every call into them is in checkfigures.cpp. The sheet shows field texts
// as they are; the figures below are the only ones it works out itself.

enum class CheckVerdict { Met, NotMet, NotJudged };

// One design check of the bracket, as the verdict window judges it.
struct CheckFigures {
    QString field; // the result field judged; empty for a figure the check works out
    QString caption; // the verdict window's row
    QString value; // the figure judged, as shown
    QString limit; // what it may reach, as written on the sheet: "f_{v} = 120"
    QString source; // where the limit comes from, with the thickness group
    QString clause; // the clause the check is made by
    QString ratio; // value ÷ limit to two decimals; empty when not judged
    CheckVerdict verdict = CheckVerdict::NotJudged;
    QString verdictText; // as the verdict window says it
    bool detailing = false; // under the heading of local stability and detailing
};

struct BracketCheckFigures {
    QList<CheckFigures> checks; // every check in the verdict window's order
    QString detailingHeading;
    QStringList notes; // what the verdicts leave open, one sentence each
};

// The checks for the bracket window's texts written with `decimalSeparator`.
BracketCheckFigures bracketCheckFigures(
    const QHash<QString, QString>& texts, QChar decimalSeparator);

// How the lever arm of the flange couple and the fillet welds' length were
// taken, with the figures the calculation used, in the sheet's notation;
// empty when the inputs are no numbers.
QStringList bracketWeldGeometry(const QHash<QString, QString>& texts, QChar decimalSeparator);
