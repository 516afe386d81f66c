#pragma once

#include "calculatorentry.h"

#include <QChar>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The sheet's way into a calculator's design checks: each check as the
// verdict window judges it, in the sheet's notation.

struct CheckFigures {
    QString field; // the result field judged; empty for a figure the check works out
    QString caption; // the verdict window's row
    QString group; // the heading it stands under; empty for the first checks
    QString value; // the figure judged, as shown
    QString limit; // what it may reach, as written on the sheet: "f_{v} = 120"
    QString source; // where the limit comes from, with the thickness group
    QString clause; // the clause the check is made by
    QString ratio; // value ÷ limit to two decimals; empty when not judged
    Verdict verdict = Verdict::NotJudged;
    QString verdictText; // as the verdict window says it
};

struct JudgedFigures {
    QList<CheckFigures> checks; // every check in the verdict window's order
    QStringList notes; // what the verdicts leave open, one sentence each
};

// The calculator's checks for its window's texts written with `decimalSeparator`.
JudgedFigures checkFigures(const CalculatorEntry& calculator, const QHash<QString, QString>& texts,
    QChar decimalSeparator);
