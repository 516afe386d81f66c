#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// GB18030, the Chinese national encoding that holds GBK and GB2312: what
// Excel on a Chinese Windows saves "CSV (逗号分隔)" in. Converted with what
// the platform has (iconv, or Windows' code page 54936), not a table of our
// own.

struct Gb18030Converted {
    std::size_t bytes = 0; // how many of the bytes were converted
    bool converterMissing = false; // the platform has no GB18030 converter
};

// Appends the UTF-8 of `bytes` to `out`, up to the first byte that does not
// begin a GB18030 character (or cuts one short at the end of `bytes`).
Gb18030Converted appendGb18030AsUtf8(std::string_view bytes, std::string& out);
