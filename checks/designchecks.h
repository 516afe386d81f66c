#pragma once

#include "fieldsheet.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The design checks that follow a calculator's complete calculation: which
// there are, how each was judged, and the ways of judging they share. Texts
// are UTF-8; a symbol writes subscripts as "f_{v}" and superscripts as
// "f_{t}^{w}".

// One check as its calculator declares it, in the verdict window's order.
struct DesignCheck {
    std::string_view caption; // the verdict window's row
    FieldName field; // the result field judged; empty for a figure worked out by the check
    std::string_view clause; // the clause of GB 50017-2017 the check is made by
    std::string_view notMet = "不满足要求"; // the verdict when it is not met
    std::string_view group = {}; // the heading it stands under; none for the first checks
};

using CheckTable = std::span<const DesignCheck>;

enum class Verdict {
    Met,
    NotMet,
    NotJudged, // the inputs give nothing to judge: an impossible size, an unknown grade
    NotApplicable, // the check is not for what was calculated: a compression limit, a member in
                   // tension
};

// The verdict window's words for a check's verdict: "满足要求", the check's
// own not-met words, "不适用" or "未判断".
std::string_view verdictText(const DesignCheck& check, Verdict verdict);

// One check as judged.
struct JudgedCheck {
    Verdict verdict = Verdict::NotJudged;
    std::string value; // the figure judged, as shown: a field's text, "7.92"
    std::string limit; // what it is judged against: "f_{t}^{w} = 175"
    std::string source; // where the limit comes from, with the thickness group
    std::string ratio; // value ÷ limit (limit ÷ value for a minimum), two decimals
    std::string note; // what the verdict means beyond the row, if anything (no markup)
    std::string_view metAs; // the words of a check met its own way ("按有效截面"); empty: 满足要求
};

// The words for a check as judged: verdictText(), or its own words when met.
std::string_view verdictText(const DesignCheck& check, const JudgedCheck& judged);

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

// What a figure is judged against: its value, and as the sheet writes it.
struct Limit {
    double value;
    std::string text; // "f_{v} = 120"
    std::string source; // "表4.4.1，Q235，16 < t_{2} = 20 ≤ 40 mm"
};

// A stress check is met while the stress's magnitude stays strictly below
// its limit; a compressive stress is judged by its size like a tensile one.
bool meetsLimit(double stress, double limit);

// A stress, as shown and as read, against its limit.
JudgedCheck stressBelow(std::string shown, double stress, Limit limit, NumberFormat format);

// A stress field against its limit, as the verdict window reads it: the
// field's two-decimal text, parsed as a Double. A text that is no number
// throws the Fault that names the field.
JudgedCheck stressFieldBelow(const FieldReader& fields, FieldName stress, Limit limit);

// A figure the check works out against a limit it may reach: at most it, or
// (a minimum) at least it.
enum class Bound { AtMost, AtLeast };
JudgedCheck figureWithin(
    std::string shown, double figure, Limit limit, Bound bound, NumberFormat format);

// A limit as written: whole strengths as the tables print them, factored
// ones to two decimals.
std::string limitNumber(double value, NumberFormat format);

// Every check not judged, each showing its field's text as it stands.
std::vector<JudgedCheck> notJudged(CheckTable checks, const FieldReader& fields);

// A text in the sheet's notation as a window says it, the marks dropped:
// "f_{t}^{w}" reads "ft^w", "α_{0}^{1.5}" "α0^1.5".
std::string withoutMarkup(std::string_view marked);
