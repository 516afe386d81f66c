#pragma once


class QLocale;

// The one locale-dependent fact the numeric texts need: the decimal separator.
// It is passed in as a value so that every conversion is reproducible and
// never depends on the C library's global locale.
struct NumberFormat {
    char32_t decimalSeparator = U'.';

    static NumberFormat fromLocale(const QLocale& locale);
};
