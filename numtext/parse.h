#pragma once

#include "numberformat.h"

#include <QStringView>

// Reading field texts as numbers. The grammar: optional surrounding blanks,
// an optional sign, decimal digits with at most one decimal separator (the
// locale's; ".45" and "45." are valid), at least one digit, then an optional
// exponent: E or e, an optional sign, one or more digits. Nothing else: no
// digit grouping, no "inf" or "nan", no hexadecimal.
//
// The decimal value is rounded once, straight to the target width; a Single is
// never read through a Double. A magnitude too large for the width is out of
// range; a magnitude too small for it rounds to zero or a subnormal.

enum class ParseStatus { Ok, NotANumber, OutOfRange };

template <typename T> struct Parsed {
    ParseStatus status = ParseStatus::NotANumber;
    T value = 0;

    explicit operator bool() const { return status == ParseStatus::Ok; }
};

Parsed<float> parseSingle(QStringView text, NumberFormat format);
Parsed<double> parseDouble(QStringView text, NumberFormat format);
