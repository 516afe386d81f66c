#pragma once

#include "fault.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

// How a calculator's design checks judged its fields.

enum class Verdict {
    Met,
    NotMet,
    NotJudged, // the inputs give nothing to judge: an impossible size, an unknown grade
};

// One check as judged. Texts are UTF-8; a symbol writes subscripts as
// "f_{v}" and superscripts as "f_{t}^{w}".
struct JudgedCheck {
    Verdict verdict = Verdict::NotJudged;
    std::string value; // the figure judged, as shown: a field's text, "7.92"
    std::string limit; // what it is judged against: "f_{t}^{w} = 175"
    std::string source; // where the limit comes from, with the thickness group
    std::string ratio; // value ÷ limit (limit ÷ value for a minimum), two decimals
    std::string note; // what the verdict means beyond the row, if anything (no markup)
};

struct Verdicts {
    std::vector<JudgedCheck> checks; // one per check judged, in order
    // What the verdicts leave open, one sentence each: why a check was not
    // judged, where the strengths taken may not hold, what is not checked.
    std::vector<std::string> notes;
    std::optional<Fault> fault; // the field that did not read as a number

    std::size_t count(Verdict verdict) const
    {
        return std::size_t(std::count_if(checks.begin(), checks.end(),
            [&](const JudgedCheck& check) { return check.verdict == verdict; }));
    }
};
