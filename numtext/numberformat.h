#pragma once

// The one locale-dependent fact the numeric texts need: the decimal separator.
// It is passed in as a value so that every conversion is reproducible and
// never depends on the C library's global locale; the windows take it from
// the user's locale.
struct NumberFormat {
    char32_t decimalSeparator = U'.';
};
