#pragma once

#include <string>
#include <string_view>

// Field texts travel as UTF-8. The numeric texts look at characters, not
// bytes: a full-width digit is one character of three bytes.

// The characters of `text`; a byte sequence that is not UTF-8 reads as
// U+FFFD, which no number contains.
std::u32string decodeUtf8(std::string_view text);

// One character as UTF-8.
std::string encodeUtf8(char32_t c);
