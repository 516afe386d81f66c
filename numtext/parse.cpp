#include "parse.h"

#include <charconv>
#include <optional>
#include <string>
#include <system_error>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A text that follows the grammar, rewritten in the form std::from_chars reads
// ("-0.45e+3"), and whether its magnitude is at least 1: that tells an overflow
// from an underflow when the target width cannot hold the value.
struct Scanned {
    std::string ascii;
    bool atLeastOne = false;
};

std::optional<Scanned> scan(QStringView text, QChar separator)
{
    const QStringView t = text.trimmed();
    Scanned out;
    out.ascii.reserve(std::size_t(t.size()) + 2);
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            out.ascii += '-';
        ++i;
    }

    long integerDigits = 0;
    long fractionDigits = 0;
    long leadingOrder = 0; // decimal order of the first non-zero digit
    bool nonZero = false;
    bool seenSeparator = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isDigit(c)) {
            if (seenSeparator)
                ++fractionDigits;
            else
                ++integerDigits;
            if (c != u'0' && !nonZero) {
                nonZero = true;
                // For an integer digit this counts from the left and is fixed
                // once the number of integer digits is known.
                leadingOrder = seenSeparator ? -fractionDigits : integerDigits;
            }
            out.ascii += char(c.unicode());
        } else if (c == separator && !seenSeparator) {
            if (integerDigits == 0)
                out.ascii += '0';
            seenSeparator = true;
            out.ascii += '.';
        } else {
            break;
        }
    }
    if (integerDigits + fractionDigits == 0)
        return std::nullopt;
    if (nonZero && leadingOrder > 0)
        leadingOrder = integerDigits - leadingOrder;

    long exponent = 0;
    if (i < t.size() && (t[i] == u'E' || t[i] == u'e')) {
        out.ascii += 'e';
        ++i;
        bool negative = false;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
            negative = t[i] == u'-';
            out.ascii += char(t[i].unicode());
            ++i;
        }
        const qsizetype exponentStart = i;
        for (; i < t.size() && isDigit(t[i]); ++i) {
            // Saturate: far beyond any width's range the exact figure is moot.
            if (exponent < 1'000'000)
                exponent = exponent * 10 + (t[i].unicode() - u'0');
            out.ascii += char(t[i].unicode());
        }
        if (i == exponentStart)
            return std::nullopt;
        if (negative)
            exponent = -exponent;
    }
    if (i != t.size())
        return std::nullopt;

    out.atLeastOne = nonZero && leadingOrder + exponent >= 0;
    return out;
}

template <typename T> Parsed<T> parseAs(QStringView text, NumberFormat format)
{
    const std::optional<Scanned> scanned = scan(text, format.decimalSeparator);
    if (!scanned)
        return { ParseStatus::NotANumber, T(0) };
    const std::string& s = scanned->ascii;
    T value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (scanned->atLeastOne)
            return { ParseStatus::OutOfRange, T(0) };
        // Too small for the width: the nearest value is a zero of the same sign.
        return { ParseStatus::Ok, s.front() == '-' ? -T(0) : T(0) };
    }
    if (error != std::errc() || end != s.data() + s.size())
        return { ParseStatus::NotANumber, T(0) };
    return { ParseStatus::Ok, value };
}

} // namespace

Parsed<float> parseSingle(QStringView text, NumberFormat format)
{
    return parseAs<float>(text, format);
}

Parsed<double> parseDouble(QStringView text, NumberFormat format)
{
    return parseAs<double>(text, format);
}
