#include "format.h"

#include "parse.h"
#include "utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int singleDigits = 7;
constexpr int doubleDigits = 15;

std::string toFieldText(const char* begin, const char* end, NumberFormat format)
{
    std::string text;
    text.reserve(std::size_t(end - begin) + 2);
    for (const char* p = begin; p != end; ++p) {
        if (*p == '.')
            text += encodeUtf8(format.decimalSeparator);
        else if (*p == 'e')
            text += 'E';
        else
            text += *p;
    }
    return text;
}

template <typename T> std::string general(T value, int digits, NumberFormat format)
{
    if (value == 0)
        return "0";
    char buffer[64];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return toFieldText(buffer, result.ptr, format);
}

// The decimal digits of `value` at `digits` significant digits, rounded to two
// decimals half away from zero.
template <typename T> std::string twoDecimals(T value, int digits, NumberFormat format)
{
    // An infinity or a NaN has no decimals to round: it keeps the text it has
    // ("inf", "-inf", "nan"), as any text that is not a number does.
    if (!std::isfinite(value))
        return general(value, digits, format);
    char buffer[64];
    const auto result = std::to_chars(
        buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1);
    const std::string_view text(buffer, result.ptr - buffer);
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string significand;
    for (char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
        if (c != '.')
            significand += c;
    long exponent = 0;
    const char* exponentStart = text.data() + e + 1;
    if (*exponentStart == '+')
        ++exponentStart;
    std::from_chars(exponentStart, text.data() + text.size(), exponent);

    // Lay the significand out around the decimal point: `whole` holds the
    // integer digits, `fraction` at least three decimals.
    const long pointAt = exponent + 1; // digits before the point
    std::string whole;
    std::string fraction;
    if (pointAt <= 0) {
        whole = "0";
        fraction = std::string(std::size_t(-pointAt), '0') + significand;
    } else if (pointAt >= long(significand.size())) {
        whole = significand + std::string(std::size_t(pointAt) - significand.size(), '0');
    } else {
        whole = significand.substr(0, std::size_t(pointAt));
        fraction = significand.substr(std::size_t(pointAt));
    }
    fraction.resize(std::max<std::size_t>(fraction.size(), 3), '0');

    std::string kept = whole + fraction.substr(0, 2);
    if (fraction[2] >= '5') {
        std::size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9')
            kept[--i] = '0';
        if (i == 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i - 1];
    }
    const bool zero = kept.find_first_not_of('0') == std::string::npos;

    std::string out;
    out.reserve(kept.size() + 4);
    if (negative && !zero)
        out += '-';
    out.append(kept, 0, kept.size() - 2);
    out += encodeUtf8(format.decimalSeparator);
    out.append(kept, kept.size() - 2, 2);
    return out;
}

} // namespace

std::string generalText(float single, NumberFormat format)
{
    return general(single, singleDigits, format);
}

std::string generalText(double value, NumberFormat format)
{
    return general(value, doubleDigits, format);
}

std::string fixedTwoDecimals(float single, NumberFormat format)
{
    return twoDecimals(single, singleDigits, format);
}

std::string fixedTwoDecimals(double value, NumberFormat format)
{
    return twoDecimals(value, doubleDigits, format);
}

std::string fixedTwoDecimals(std::string_view text, NumberFormat format)
{
    const Parsed<double> parsed = parseDouble(text, format);
    return parsed ? fixedTwoDecimals(parsed.value, format) : std::string(text);
}
