#pragma once

#include "designfile.h"

#include <QList>
#include <QString>
#include <QStringList>

struct CalculatorEntry;

// The trials of one calculator as a table to compare: the time, each stored
// input and each key result a column, one row a trial, oldest first.
struct TrialTable {
    QStringList keys; // "time", then field ids as in the design file
    QStringList headers; // "时间", "B (mm)", "σe (N/mm²)", "满足项"
    QList<QStringList> rows;
    QList<bool> differs; // a column whose text is not the same in every row

    // For a spreadsheet: the headers, then the rows; a text holding a tab, a
    // line break or a leading quote is quoted.
    QString tabSeparated() const;
};

TrialTable trialTable(const CalculatorEntry& calculator, const QList<DesignTrial>& trials);
