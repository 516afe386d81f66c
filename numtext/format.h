#pragma once

#include "numberformat.h"

#include <string>
#include <string_view>

// Writing numbers into fields, as UTF-8 texts.
//
// General text, as C's %G: 7 significant digits for a Single, 15 for a Double,
// no trailing zeros, exponent form ("1.234568E+07", "1E-05") when the decimal
// exponent reaches the digit count or falls below -4. Negative zero writes "0".
std::string generalText(float single, NumberFormat format);
std::string generalText(double value, NumberFormat format);

// Fixed two-decimal text, the format "0.00": the number's own general digits
// (7 for a Single, 15 for a Double) rounded to two decimals, ties away from
// zero, so the Double 2.675 gives "2.68" and the Single read from "1.005"
// gives "1.01". A result that rounds to zero carries no sign. An infinity or
// a NaN has nothing to round and is written "inf", "-inf" or "nan".
std::string fixedTwoDecimals(float single, NumberFormat format);
std::string fixedTwoDecimals(double value, NumberFormat format);

// The same for a text, read as a Double; a text that is not a number comes
// back unchanged.
std::string fixedTwoDecimals(std::string_view text, NumberFormat format);
