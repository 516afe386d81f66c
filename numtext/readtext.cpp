#include "readtext.h"

#include "parse.h"
#include "utf8.h"

namespace {

// The ASCII character a full-width one stands for; 0 for none.
char32_t ascii(char32_t c)
{
    if (c >= U'０' && c <= U'９')
        return U'0' + (c - U'０');
    switch (c) {
    case U'＋':
        return U'+';
    case U'－':
        return U'-';
    case U'Ｅ':
        return U'E';
    case U'ｅ':
        return U'e';
    default:
        return c < 0x80 ? c : 0;
    }
}

} // namespace

std::string textAsRead(std::string_view text, NumberFormat format)
{
    if (parseDouble(text, format).status == ParseStatus::NotANumber)
        return std::string(text);
    const std::u32string chars = decodeUtf8(text);
    std::size_t begin = 0, end = chars.size();
    while (begin < end && isNumberBlank(chars[begin]))
        ++begin;
    while (end > begin && isNumberBlank(chars[end - 1]))
        --end;

    std::string read;
    bool digitSeen = false;
    for (std::size_t i = begin; i < end; ++i) {
        const char32_t c = chars[i];
        if (c == U'.' || c == U'．' || c == U'。' || c == format.decimalSeparator) {
            if (!digitSeen)
                read += '0';
            read += encodeUtf8(format.decimalSeparator);
            continue;
        }
        const char32_t plain = ascii(c);
        // The grammar admits nothing else; anything left is kept as typed.
        read += plain ? encodeUtf8(plain) : encodeUtf8(c);
        digitSeen = digitSeen || (plain >= U'0' && plain <= U'9');
    }
    return read;
}
