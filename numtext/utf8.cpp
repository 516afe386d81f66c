#include "utf8.h"

namespace {

constexpr char32_t replacement = 0xFFFD;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::u32string decodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t c = 0;
        char32_t least = 0; // the smallest character that needs this many bytes
        if (lead < 0x80) {
            out += char32_t(lead);
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, c = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, c = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, c = lead & 0x07, least = 0x10000;
        } else {
            out += replacement;
            ++i;
            continue;
        }
        int taken = 1;
        while (taken < length && i + std::size_t(taken) < text.size()
            && isContinuation(static_cast<unsigned char>(text[i + std::size_t(taken)]))) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + std::size_t(taken)]) & 0x3F);
            ++taken;
        }
        const bool valid
            = taken == length && c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        out += valid ? c : replacement;
        i += std::size_t(taken);
    }
    return out;
}

std::string encodeUtf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    return out;
}
