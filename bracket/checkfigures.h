#pragma once

#include <QChar>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The sheet's only way into the bracket's design checks: every
// call into them is in checkfigures.cpp. The sheet shows field texts as they
// are; the figures below are the only ones it works out itself.

enum class CheckVerdict { Met, NotMet, NotJudged };

// One design check of the bracket, as the verdict window judges it.
struct CheckFigures {
    QString field; // the stress field judged
    QString caption; // the verdict window's row
    QString strength; // design strength, N/mm², as written on the sheet: "f_{v} = 125"
    QString source; // where the strength comes from
    QString clause; // the clause the check is made by
    QString ratio; // |stress| ÷ strength to two decimals; empty when not judged
    CheckVerdict verdict = CheckVerdict::NotJudged;
};

// The six checks in the verdict window's order, for the bracket window's texts
// written with `decimalSeparator`.
QList<CheckFigures> bracketCheckFigures(
    const QHash<QString, QString>& texts, QChar decimalSeparator);

// The sentences saying where the fixed strengths do not hold for the bracket
// window's inputs (thick plates, another steel grade); none when they hold.
QStringList bracketStrengthCaveats(const QHash<QString, QString>& texts, QChar decimalSeparator);
