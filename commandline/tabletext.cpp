#include "tabletext.h"

#include "csvtable.h"
#include "gb18030.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t readSize = std::size_t(64) << 10;
// How much of the file after its first byte beyond ASCII decides its
// encoding: 16 characters beyond ASCII, or 64 KiB, whichever ends first.
// A GBK character reads as UTF-8 by chance about one time in six, sixteen
// in a row never; and a slow pipe's first rows need not wait for 64 KiB.
constexpr std::size_t encodingSample = std::size_t(64) << 10;
constexpr std::size_t decidingCharacters = 16;

// Whether `sample`, from the first byte beyond ASCII, is UTF-8; nothing
// while more of the file must come to say. `toTheEnd`: the file ends with it.
std::optional<bool> isUtf8(std::string_view sample, bool toTheEnd)
{
    std::size_t at = 0, characters = 0;
    while (at < sample.size() && characters < decidingCharacters) {
        const auto lead = static_cast<unsigned char>(sample[at]);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2
            : lead >= 0xE0 && lead <= 0xEF                      ? 3
            : lead >= 0xF0 && lead <= 0xF4                      ? 4
                                                                : 0;
        bool cutShort = false;
        if (length > 0 && utf8Prefix(sample.substr(at, length), &cutShort) == length) {
            at += length;
            ++characters;
            continue;
        }
        if (!cutShort || toTheEnd)
            return false;
        // A character cut by the sample's end is no sign against UTF-8.
        return sample.size() >= encodingSample ? std::optional(true) : std::nullopt;
    }
    if (characters >= decidingCharacters || sample.size() >= encodingSample || toTheEnd)
        return true;
    return std::nullopt;
}

std::size_t firstBeyondAscii(std::string_view bytes)
{
    const auto found = std::find_if(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return found == bytes.end() ? std::string_view::npos : std::size_t(found - bytes.begin());
}

} // namespace

std::size_t utf8Prefix(std::string_view bytes, bool* cutShort)
{
    const std::size_t size = bytes.size();
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    std::size_t at = 0;
    if (cutShort)
        *cutShort = false;
    while (at < size) {
        // ASCII eight bytes at a time.
        if (at + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + at, 8);
            if ((word & 0x8080808080808080u) == 0) {
                at += 8;
                continue;
            }
        }
        const unsigned char lead = byte(at);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        // The second byte's range rules out overlong forms, surrogates and
        // characters beyond U+10FFFF.
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        else
            return at;
        for (std::size_t n = 1; n < length; ++n) {
            if (at + n >= size) {
                if (cutShort)
                    *cutShort = true;
                return at;
            }
            const unsigned char next = byte(at + n);
            if (next < (n == 1 ? low : 0x80) || next > (n == 1 ? high : 0xBF))
                return at;
        }
        at += length;
    }
    return size;
}

TableText::TableText(ReadBytes read, std::size_t longestLine)
    : m_read(std::move(read))
    , m_longestLine(longestLine)
{
}

bool TableText::readMore()
{
    if (m_at > 0) {
        m_raw.erase(0, m_at);
        m_at = 0;
    }
    const std::size_t before = m_raw.size();
    m_raw.resize(before + readSize);
    const std::optional<std::size_t> got = m_read(m_raw.data() + before, readSize);
    m_raw.resize(before + (got ? std::min(*got, readSize) : 0));
    m_readFailed = !got;
    m_ended = got && *got == 0;
    return got.has_value();
}

void TableText::countLines(std::string_view bytes)
{
    for (const char c : bytes) {
        if (c == '\n' && !m_afterCarriageReturn)
            ++m_line;
        else if (c == '\r')
            ++m_line;
        m_afterCarriageReturn = c == '\r';
    }
}

void TableText::failAt(std::string_view bytes, std::size_t at, std::string what)
{
    countLines(bytes.substr(0, at));
    const std::size_t lineEnd = bytes.substr(0, at).find_last_of("\r\n");
    const std::size_t byte = at - (lineEnd == std::string_view::npos ? 0 : lineEnd + 1) + 1;
    m_problem = { m_line, byte, std::move(what) };
}

TableText::Piece TableText::next(std::string& text)
{
    text.clear();
    if (m_problem)
        return Piece::Problem;
    if (m_readFailed)
        return Piece::ReadFailed;
    for (;;) {
        const std::string_view rest(m_raw.data() + m_at, m_raw.size() - m_at);
        if (!m_started) {
            if (rest.size() < 4 && !m_ended) {
                if (!readMore())
                    return Piece::ReadFailed;
                continue;
            }
            m_started = true;
            if (rest.starts_with(utf8ByteOrderMark)) {
                m_at += utf8ByteOrderMark.size();
                continue;
            }
            if (rest.starts_with("\xFF\xFE") || rest.starts_with("\xFE\xFF")) {
                m_problem = { 1, 1, "文件是 UTF-16 编码的文字：请另存为 UTF-8 或 GBK 编码的 CSV" };
                return Piece::Problem;
            }
        }
        if (m_encoding == Encoding::Ascii) {
            if (const std::size_t beyond = firstBeyondAscii(rest);
                beyond != std::string_view::npos) {
                const std::optional<bool> utf8 = isUtf8(rest.substr(beyond, encodingSample),
                    m_ended && beyond + encodingSample >= rest.size());
                if (!utf8) {
                    if (!readMore())
                        return Piece::ReadFailed;
                    continue;
                }
                m_encoding = *utf8 ? Encoding::Utf8 : Encoding::Gb18030;
            }
        }

        const std::size_t lastLineEnd = rest.find_last_of("\r\n");
        const std::string_view lines = m_ended      ? rest
            : lastLineEnd == std::string_view::npos ? std::string_view()
                                                    : rest.substr(0, lastLineEnd + 1);
        if (lines.empty()) {
            if (m_ended)
                return Piece::End;
            // A line not ended yet: what is in it already may say enough.
            if (const std::size_t nul = rest.find('\0'); nul != std::string_view::npos) {
                failAt(rest, nul, "含有空字节（NUL），这不是文字表格");
                return Piece::Problem;
            }
            if (rest.size() > m_longestLine) {
                failAt(rest, 0, "这一行超过 1 MB 仍未结束，这不是表格中的一行");
                m_problem->byte = 0;
                return Piece::Problem;
            }
            if (!readMore())
                return Piece::ReadFailed;
            continue;
        }
        m_at += lines.size();
        if (decode(lines, text))
            countLines(lines);
        // GB18030's own byte order mark, 84 31 95 33, is U+FEFF too.
        if (!m_anyText && text.starts_with(utf8ByteOrderMark))
            text.erase(0, utf8ByteOrderMark.size());
        m_anyText = m_anyText || !text.empty();
        return text.empty() && m_problem ? Piece::Problem : Piece::Text;
    }
}

bool TableText::decode(std::string_view bytes, std::string& text)
{
    const std::size_t nul = std::min(bytes.find('\0'), bytes.size());
    const std::string_view before = bytes.substr(0, nul);
    std::size_t good = before.size();
    bool converterMissing = false;
    switch (m_encoding) {
    case Encoding::Ascii:
        text.append(before);
        break;
    case Encoding::Utf8:
        good = utf8Prefix(before);
        text.append(before.substr(0, good));
        break;
    case Encoding::Gb18030: {
        const Gb18030Converted converted = appendGb18030AsUtf8(before, text);
        good = converted.bytes;
        converterMissing = converted.converterMissing;
        break;
    }
    }
    if (good == bytes.size())
        return true;

    // Only the whole lines before the one at fault go on.
    const std::size_t lineStart = [&] {
        const std::size_t end = bytes.substr(0, good).find_last_of("\r\n");
        return end == std::string_view::npos ? 0 : end + 1;
    }();
    text.clear();
    if (m_encoding == Encoding::Gb18030)
        appendGb18030AsUtf8(bytes.substr(0, lineStart), text);
    else
        text.append(bytes.substr(0, lineStart));
    if (good == nul)
        failAt(bytes, good, "含有空字节（NUL），这不是文字表格");
    else if (converterMissing)
        failAt(bytes, good, "文件不是 UTF-8 编码，本机又没有 GB18030 的转换程序");
    else if (m_encoding == Encoding::Utf8)
        failAt(bytes, good, "不是 UTF-8 编码的文字（文件前面的部分按 UTF-8 读取）");
    else
        failAt(bytes, good, "既不是 UTF-8 也不是 GB18030（GBK）编码的文字");
    return false;
}
