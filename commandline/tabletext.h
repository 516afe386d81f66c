#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The text of a table as its file's bytes arrive, a few whole lines at a
// time, so that memory does not grow with the file. The file is UTF-8, with
// or without a byte order mark; a file that is not (Excel on a Chinese
// Windows saves "CSV (逗号分隔)" in GBK) is read as GB18030, which holds GBK.
// The choice is made at the first byte beyond ASCII, on what follows it: 16
// characters beyond ASCII, or 64 KiB of the file, whichever ends first.

// Fills `into` with at most `most` bytes of the file: how many, 0 at its
// end, nothing when reading failed (the caller knows why).
using ReadBytes = std::function<std::optional<std::size_t>(char* into, std::size_t most)>;

struct TextProblem {
    std::size_t line; // from 1
    std::size_t byte; // in that line, from 1; 0 when no byte is to blame
    std::string what; // in Chinese, without the line and byte
};

class TableText {
public:
    enum class Encoding { Ascii, Utf8, Gb18030 }; // Ascii: nothing beyond it yet

    // A line longer than `longestLine` bytes is a problem: a file without
    // line ends (/dev/zero, a binary file) would otherwise take all memory.
    explicit TableText(ReadBytes read, std::size_t longestLine = std::size_t(1) << 20);

    enum class Piece { Text, End, Problem, ReadFailed };
    // The next lines of the table as UTF-8 into `text`, its line ends as
    // they were; the last line may have none. A problem comes after the
    // lines before it.
    Piece next(std::string& text);

    const std::optional<TextProblem>& problem() const { return m_problem; }
    Encoding encoding() const { return m_encoding; }

private:
    bool readMore();
    // Decodes `bytes`, whole lines, into `text`: false at a problem, with
    // the lines before it decoded.
    bool decode(std::string_view bytes, std::string& text);
    void failAt(std::string_view bytes, std::size_t at, std::string what);
    void countLines(std::string_view bytes);

    ReadBytes m_read;
    std::size_t m_longestLine;
    std::string m_raw; // bytes read and not yet decoded start at m_at
    std::size_t m_at = 0;
    bool m_ended = false;
    bool m_started = false;
    bool m_anyText = false;
    bool m_readFailed = false;
    Encoding m_encoding = Encoding::Ascii;
    std::size_t m_line = 1; // of the byte at m_at
    bool m_afterCarriageReturn = false;
    std::optional<TextProblem> m_problem;
};

// The length of the longest prefix of `bytes` that is UTF-8; `cutShort` says
// whether what follows it is a character cut off by the end of `bytes`.
std::size_t utf8Prefix(std::string_view bytes, bool* cutShort = nullptr);
