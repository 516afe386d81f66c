#pragma once

// Floating-point expectations compared exactly. QCOMPARE on float or double
// values is fuzzy (one unit in the last place apart passes, 1e-40 equals 0),
// so the tests compare the hexadecimal text of the value instead: it names
// every bit, tells +0 from −0 and shows both values when they differ.

#include <QString>

#include <charconv>

template <typename T> QString hexFloat(T value)
{
    char buffer[64];
    const auto end
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::hex).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}
