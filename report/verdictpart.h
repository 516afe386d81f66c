#pragma once

#include "calculationsheet.h"
#include "calculatorentry.h"

// 三、验算结论 of a calculator with design checks: one table of every check,
// a heading row where a group of checks begins, kept on one page; the
// conclusion in red when a check is not met or not judged; then the
// calculator's own notes on how its checks were made (`basis`) and, as
// "注意：", what the verdicts leave open.
SheetPart verdictPart(const SheetSnapshot& snapshot, const CalculatorEntry& calculator,
    const QList<SheetCell>& basis);
