#pragma once

// How the calculation tests write a row of verdicts: one sign a check,
// "+" met, "-" not met, "?" not judged, "n" not applicable.

#include "designchecks.h"

#include <QString>

inline QString verdictSigns(const Verdicts& judged)
{
    QString signs;
    for (const JudgedCheck& check : judged.checks)
        signs += check.verdict == Verdict::Met    ? u'+'
            : check.verdict == Verdict::NotMet    ? u'-'
            : check.verdict == Verdict::NotJudged ? u'?'
                                                  : u'n';
    return signs;
}
