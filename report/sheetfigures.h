#pragma once

#include <QChar>
#include <QHash>
#include <QList>
#include <QString>

// The sheet's only way into the numeric core and the bracket verdicts: every
// call into them is in sheetfigures.cpp. The sheet shows field texts as they
// are; the figures below are the only ones it works out itself.

enum class CheckVerdict { Met, NotMet, NotJudged };

// One design check of the bracket, as the verdict window judges it.
struct CheckFigures {
    QString field; // the stress field judged
    QString strength; // design strength, N/mm², as written on the sheet
    QString ratio; // |stress| ÷ strength to two decimals; empty when not judged
    CheckVerdict verdict = CheckVerdict::NotJudged;
};

// The six checks in the verdict window's order, for the bracket window's texts
// written with `decimalSeparator`.
QList<CheckFigures> bracketCheckFigures(
    const QHash<QString, QString>& texts, QChar decimalSeparator);
