#include "parse.h"

#include "utf8.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace {

// What a character means in a number, whether typed on a plain keyboard or by
// a Chinese input method in full-width or Chinese punctuation mode.
int digitValue(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return int(c - U'0');
    if (c >= U'０' && c <= U'９')
        return int(c - U'０');
    return -1;
}

bool isPlus(char32_t c)
{
    return c == U'+' || c == U'＋';
}

bool isMinus(char32_t c)
{
    return c == U'-' || c == U'－';
}

bool isExponentLetter(char32_t c)
{
    return c == U'E' || c == U'e' || c == U'Ｅ' || c == U'ｅ';
}

// The point is a decimal point in every locale, besides the locale's own
// separator: no digit grouping is read, so "1.000" can only mean 1. An input
// method writes it as the full-width '．' or the ideographic full stop '。'.
bool isDecimalSeparator(char32_t c, char32_t localeSeparator)
{
    return c == localeSeparator || c == U'.' || c == U'．' || c == U'。';
}

// The blanks that may surround a number: Unicode's spaces, the ideographic
// space of a full-width input among them.
bool isBlank(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F
        || c == 0x3000;
}

// Beyond this decimal order no width holds a value, nor anything but zero
// below its negative: the order is decided here and from_chars never sees an
// exponent it could overflow.
constexpr std::int64_t orderBeyondEveryWidth = 100'000;
// Saturation bound for the exponent as typed: far beyond any order that
// matters, yet small enough that one more digit and a text's length added
// cannot overflow.
constexpr std::int64_t exponentSaturation = 100'000'000'000'000'000;

// The number as the text writes it, normalised: sign, the significant digits
// (from the first non-zero one) and the true decimal order of the first of
// them, whatever the number of leading zeros or exponent digits.
struct Scanned {
    bool negative = false;
    std::string digits; // empty for zero
    std::int64_t order = 0; // value = 0.d1d2d3… × 10^(order + 1)
};

std::optional<Scanned> scan(std::u32string_view text, char32_t separator)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const std::u32string_view t = text.substr(begin, end - begin);

    Scanned out;
    std::size_t i = 0;
    if (i < t.size() && (isPlus(t[i]) || isMinus(t[i]))) {
        out.negative = isMinus(t[i]);
        ++i;
    }

    std::int64_t digitCount = 0;
    std::int64_t integerDigits = 0; // before the separator, leading zeros included
    std::int64_t leadingZeros = 0; // zeros before the first non-zero digit
    bool seenSeparator = false;
    for (; i < t.size(); ++i) {
        const int d = digitValue(t[i]);
        if (d >= 0) {
            ++digitCount;
            if (!seenSeparator)
                ++integerDigits;
            if (out.digits.empty() && d == 0)
                ++leadingZeros;
            else
                out.digits += char('0' + d);
        } else if (!seenSeparator && isDecimalSeparator(t[i], separator)) {
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (digitCount == 0)
        return std::nullopt;

    std::int64_t exponent = 0;
    if (i < t.size() && isExponentLetter(t[i])) {
        ++i;
        bool negative = false;
        if (i < t.size() && (isPlus(t[i]) || isMinus(t[i]))) {
            negative = isMinus(t[i]);
            ++i;
        }
        const std::size_t exponentStart = i;
        for (int d; i < t.size() && (d = digitValue(t[i])) >= 0; ++i)
            if (exponent < exponentSaturation)
                exponent = exponent * 10 + d;
        if (i == exponentStart)
            return std::nullopt;
        if (negative)
            exponent = -exponent;
    }
    if (i != t.size())
        return std::nullopt;

    // The first significant digit stands at order integerDigits − 1 − leadingZeros.
    out.order = integerDigits - 1 - leadingZeros + exponent;
    while (!out.digits.empty() && out.digits.back() == '0')
        out.digits.pop_back();
    return out;
}

template <typename T> Parsed<T> parseAs(std::u32string_view text, NumberFormat format)
{
    const std::optional<Scanned> scanned = scan(text, format.decimalSeparator);
    if (!scanned)
        return { ParseStatus::NotANumber, T(0) };
    const T signedZero = scanned->negative ? -T(0) : T(0);
    if (scanned->digits.empty())
        return { ParseStatus::Ok, signedZero };
    if (scanned->order > orderBeyondEveryWidth)
        return { ParseStatus::OutOfRange, T(0) };
    if (scanned->order < -orderBeyondEveryWidth)
        return { ParseStatus::Ok, signedZero };

    // "-d.ddde±N", the form std::from_chars reads; the decimal value is rounded
    // once, straight to the target width.
    std::string s;
    s.reserve(scanned->digits.size() + 12);
    if (scanned->negative)
        s += '-';
    s += scanned->digits.front();
    if (scanned->digits.size() > 1) {
        s += '.';
        s.append(scanned->digits, 1);
    }
    s += 'e';
    s += std::to_string(scanned->order);

    T value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error == std::errc::result_out_of_range)
        // Too large for the width, or so small that the nearest value is zero.
        return scanned->order >= 0 ? Parsed<T> { ParseStatus::OutOfRange, T(0) }
                                   : Parsed<T> { ParseStatus::Ok, signedZero };
    if (error != std::errc() || end != s.data() + s.size())
        return { ParseStatus::NotANumber, T(0) };
    return { ParseStatus::Ok, value };
}

} // namespace

bool isNumberBlank(char32_t c)
{
    return isBlank(c);
}

Parsed<float> parseSingle(std::string_view text, NumberFormat format)
{
    return parseAs<float>(decodeUtf8(text), format);
}

Parsed<double> parseDouble(std::string_view text, NumberFormat format)
{
    return parseAs<double>(decodeUtf8(text), format);
}
