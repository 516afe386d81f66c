#pragma once

#include "numberformat.h"

#include <string>
#include <string_view>

// A number's text as the program read it, for the calculation sheet: what an
// input method typed, in plain digits. Full-width digits, signs and exponent
// letters become ASCII; every decimal separator the reading accepts (the
// point, '．', '。' and the locale's own) becomes the locale's; a separator
// that leads the digits gets a 0 before it; the surrounding blanks go. The
// digits stay as typed: nothing is rounded, no zero is added or dropped
// elsewhere, an exponent stays an exponent. "１２。５" reads 12.5, ".45" 0.45.
//
// A text that does not read as a number comes back as it is. Texts are UTF-8.
std::string textAsRead(std::string_view text, NumberFormat format);
