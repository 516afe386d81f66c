#include "numberformat.h"

#include <QLocale>

NumberFormat NumberFormat::fromLocale(const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    // A locale whose separator is not a single character (none ship today) keeps '.'.
    return NumberFormat { point.size() == 1 ? char32_t(point.front().unicode()) : U'.' };
}
