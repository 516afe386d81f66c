#include "designchecks.h"

#include <cmath>

namespace {

// The ratio of a figure to what it may reach, two decimals; nothing where
// that has no meaning.
std::string ratioText(double numerator, double denominator, NumberFormat format)
{
    if (!(denominator > 0))
        return {};
    return fixedTwoDecimals(numerator / denominator, format);
}

JudgedCheck judged(bool met, std::string shown, std::string ratio, Limit limit)
{
    JudgedCheck check;
    check.verdict = met ? Verdict::Met : Verdict::NotMet;
    check.value = std::move(shown);
    check.ratio = std::move(ratio);
    check.limit = std::move(limit.text);
    check.source = std::move(limit.source);
    return check;
}

} // namespace

bool meetsLimit(double stress, double limit)
{
    return std::fabs(stress) < limit;
}

std::string_view verdictText(const DesignCheck& check, Verdict verdict)
{
    switch (verdict) {
    case Verdict::Met:
        return "满足要求";
    case Verdict::NotMet:
        return check.notMet;
    case Verdict::NotApplicable:
        return "不适用";
    case Verdict::NotJudged:
        break;
    }
    return "未判断";
}

std::string_view verdictText(const DesignCheck& check, const JudgedCheck& judged)
{
    return judged.verdict == Verdict::Met && !judged.metAs.empty()
        ? judged.metAs
        : verdictText(check, judged.verdict);
}

JudgedCheck stressBelow(std::string shown, double stress, Limit limit, NumberFormat format)
{
    const bool met = meetsLimit(stress, limit.value);
    std::string ratio = ratioText(std::fabs(stress), limit.value, format);
    return judged(met, std::move(shown), std::move(ratio), std::move(limit));
}

JudgedCheck stressFieldBelow(const FieldReader& fields, FieldName stress, Limit limit)
{
    const double value = fields.readDouble(stress).value;
    return stressBelow(fields.text(stress), value, std::move(limit), fields.format());
}

JudgedCheck figureWithin(
    std::string shown, double figure, Limit limit, Bound bound, NumberFormat format)
{
    // For a minimum, what the figure must reach over what it is: at most 1
    // when it is met, as for every other ratio.
    const bool atLeast = bound == Bound::AtLeast;
    const bool met = atLeast ? figure >= limit.value : figure <= limit.value;
    std::string ratio
        = atLeast ? ratioText(limit.value, figure, format) : ratioText(figure, limit.value, format);
    return judged(met, std::move(shown), std::move(ratio), std::move(limit));
}

std::string limitNumber(double value, NumberFormat format)
{
    return value == std::trunc(value) ? generalText(value, format)
                                      : fixedTwoDecimals(value, format);
}

std::vector<JudgedCheck> notJudged(CheckTable checks, const FieldReader& fields)
{
    std::vector<JudgedCheck> rows;
    for (const DesignCheck& check : checks) {
        JudgedCheck row;
        row.value = fields.text(check.field);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string withoutMarkup(std::string_view marked)
{
    std::string plain;
    plain.reserve(marked.size());
    std::size_t at = 0;
    while (at < marked.size()) {
        const std::size_t open = marked.find_first_of("_^", at);
        if (open == std::string_view::npos || open + 1 >= marked.size() || marked[open + 1] != '{') {
            const std::size_t end = open == std::string_view::npos ? marked.size() : open + 1;
            plain.append(marked.substr(at, end - at));
            at = end;
            continue;
        }
        const std::size_t close = marked.find('}', open + 2);
        if (close == std::string_view::npos) {
            plain.append(marked.substr(at));
            break;
        }
        plain.append(marked.substr(at, open - at));
        if (marked[open] == '^')
            plain += '^';
        plain.append(marked.substr(open + 2, close - open - 2));
        at = close + 1;
    }
    return plain;
}
