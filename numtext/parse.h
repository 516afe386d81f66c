#pragma once

#include "numberformat.h"

#include <string_view>

// Reading field texts as numbers. The grammar: optional surrounding blanks,
// an optional sign, decimal digits with at most one decimal separator, at
// least one digit, then an optional exponent: E or e, an optional sign, one or
// more digits. The separator is the locale's or the point, which is a decimal
// point in every locale (".45" and "45." are valid; "1.000" is one). Digits,
// signs, the exponent letter and the point may be typed full-width, as a
// Chinese input method does ("４００", "－5", "１Ｅ３", "400．5", and the
// ideographic "400。5"). Nothing else: no digit grouping, no "inf" or "nan",
// no hexadecimal.
//
// The decimal value is rounded once, straight to the target width; a Single is
// never read through a Double. A magnitude too large for the width is out of
// range; a magnitude too small for it rounds to zero (keeping its sign) or a
// subnormal. Both are decided from the true decimal order of the text, however
// many leading zeros or exponent digits it has.

enum class ParseStatus { Ok, NotANumber, OutOfRange };

template <typename T> struct Parsed {
    ParseStatus status = ParseStatus::NotANumber;
    T value = 0;

    explicit operator bool() const { return status == ParseStatus::Ok; }
};

// `text` is UTF-8.
Parsed<float> parseSingle(std::string_view text, NumberFormat format);
Parsed<double> parseDouble(std::string_view text, NumberFormat format);

// The blanks that may surround a number: Unicode's spaces, the ideographic
// space of a full-width input among them.
bool isNumberBlank(char32_t c);
