#pragma once

#include "designchecks.h"
#include "parse.h"

#include <algorithm>
#include <string>
#include <vector>

// How 截面优选 reads a click's verdicts, the same for every calculator.

// Whether the candidate stands: no row not met and none not judged. A row
// not for this member (不适用, the bracket's stiffener where there is none)
// holds it back no more than one it meets. Counts in `notMet` each row that
// holds it back.
inline bool passesEveryRow(const Verdicts& verdicts, std::vector<std::size_t>* notMet)
{
    const auto holdsBack = [](const JudgedCheck& check) {
        return check.verdict == Verdict::NotMet || check.verdict == Verdict::NotJudged;
    };
    if (!verdicts.fault && std::none_of(verdicts.checks.begin(), verdicts.checks.end(), holdsBack))
        return true;
    for (std::size_t row = 0; notMet && row < verdicts.checks.size(); ++row)
        (*notMet)[row] += holdsBack(verdicts.checks[row]);
    return false;
}

// The row with the highest ratio, as shown; ratio −1 where no row has one.
struct GoverningRow {
    std::size_t row = 0;
    double ratio = -1;
    std::string text;
};

inline GoverningRow governingRow(const Verdicts& verdicts, NumberFormat format)
{
    GoverningRow governing;
    for (std::size_t row = 0; row < verdicts.checks.size(); ++row) {
        const Parsed<double> ratio = parseDouble(verdicts.checks[row].ratio, format);
        if (ratio && ratio.value > governing.ratio)
            governing = { row, ratio.value, verdicts.checks[row].ratio };
    }
    return governing;
}
