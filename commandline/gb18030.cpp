#include "gb18030.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

#ifdef _WIN32

namespace {

// GB18030 where Windows has it (always, since Vista); elsewhere (Wine) at
// least GBK, its two-byte part, which is what Excel writes.
constexpr UINT gb18030CodePage = 54936, gbkCodePage = 936;

UINT codePage()
{
    static const UINT page = IsValidCodePage(gb18030CodePage) ? gb18030CodePage : gbkCodePage;
    return page;
}

// How many bytes the character at `at` takes by GB18030's shape (one, two
// or four), 0 where no character begins. Only to find where the system's
// converter stopped; the converter decides what a character is.
std::size_t characterLength(std::string_view bytes, std::size_t at)
{
    const auto byte = [&](std::size_t n) {
        return at + n < bytes.size() ? static_cast<unsigned char>(bytes[at + n]) : 0u;
    };
    if (byte(0) < 0x80 && at < bytes.size())
        return 1;
    if (byte(0) < 0x81 || byte(0) > 0xFE)
        return 0;
    if ((byte(1) >= 0x40 && byte(1) <= 0x7E) || (byte(1) >= 0x80 && byte(1) <= 0xFE))
        return 2;
    const bool digits = byte(1) >= 0x30 && byte(1) <= 0x39 && byte(3) >= 0x30 && byte(3) <= 0x39;
    return digits && byte(2) >= 0x81 && byte(2) <= 0xFE ? 4 : 0;
}

bool converts(std::string_view bytes)
{
    return bytes.empty()
        || MultiByteToWideChar(
               codePage(), MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0)
        > 0;
}

} // namespace

Gb18030Converted appendGb18030AsUtf8(std::string_view bytes, std::string& out)
{
    std::size_t good = bytes.size();
    if (!converts(bytes)) {
        good = 0;
        for (std::size_t length;
             (length = characterLength(bytes, good)) > 0 && converts(bytes.substr(good, length));)
            good += length;
    }
    // Without GB18030, a four-byte character is the converter's lack, not the file's.
    const bool missing
        = codePage() != gb18030CodePage && good < bytes.size() && characterLength(bytes, good) == 4;
    if (good == 0)
        return { 0, missing };
    const int wide = MultiByteToWideChar(codePage(), 0, bytes.data(), int(good), nullptr, 0);
    std::wstring text(std::size_t(wide), L'\0');
    MultiByteToWideChar(codePage(), 0, bytes.data(), int(good), text.data(), wide);
    const int narrow
        = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    const std::size_t before = out.size();
    out.resize(before + std::size_t(narrow));
    WideCharToMultiByte(
        CP_UTF8, 0, text.data(), wide, out.data() + before, narrow, nullptr, nullptr);
    return { good, missing };
}

#else

Gb18030Converted appendGb18030AsUtf8(std::string_view bytes, std::string& out)
{
    const iconv_t converter = iconv_open("UTF-8", "GB18030");
    if (converter == iconv_t(-1))
        return { 0, true };
    char* in = const_cast<char*>(bytes.data()); // iconv's type; it only reads
    std::size_t inLeft = bytes.size();
    std::size_t written = out.size();
    while (inLeft > 0) {
        // A GB18030 character of n bytes is at most 2n bytes of UTF-8.
        out.resize(written + 2 * inLeft + 4);
        char* to = out.data() + written;
        std::size_t toLeft = out.size() - written;
        const std::size_t done = iconv(converter, &in, &inLeft, &to, &toLeft);
        written = std::size_t(to - out.data());
        if (done == std::size_t(-1) && errno != E2BIG)
            break; // EILSEQ: not GB18030; EINVAL: cut short at the end
    }
    out.resize(written);
    iconv_close(converter);
    return { std::size_t(in - bytes.data()), false };
}

#endif
