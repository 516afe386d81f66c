#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The comma-separated tables engineers export from a spreadsheet: fields
// separated by commas or (where the comma is the decimal separator)
// semicolons, quoted with '"' where they hold one, line ends of any system.
// The text is UTF-8; tabletext.h reads it from the file's bytes.

struct CsvRecord {
    std::size_t line; // where it begins in the file, from 1
    std::vector<std::string> fields; // none for a blank line
};

struct CsvProblem {
    std::size_t line;
    std::size_t column; // from 1; 0 when no column is to blame
    std::string what; // in Chinese, without the line and column
};

// Reads records as the text arrives, in pieces cut anywhere. The separator
// is the one of ',' and ';' the first record holds more of, so nothing is
// handed on before that record has ended.
class CsvParser {
public:
    // A record longer than `longest` bytes is a problem, not a record: a
    // file without line ends would otherwise take all memory.
    explicit CsvParser(std::size_t longest = std::size_t(1) << 20)
        : m_longest(longest)
    {
    }

    // Appends to `records` every record the text completes, a blank line as
    // a record without fields. After a problem the rest is ignored.
    void feed(std::string_view text, std::vector<CsvRecord>& records);
    // The end of the text: its last record, or an unclosed quote.
    void finish(std::vector<CsvRecord>& records);

    const std::optional<CsvProblem>& problem() const { return m_problem; }
    char separator() const { return m_separator; }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted, AfterCarriageReturn };

    void parse(std::string_view text, std::vector<CsvRecord>& records);
    void endField();
    void endRecord(std::vector<CsvRecord>& records);
    void fail(std::string what);

    std::size_t m_longest;
    std::string m_firstRecord; // held until the separator is known
    bool m_firstQuoted = false;
    char m_separator = 0;
    State m_state = State::FieldStart;
    bool m_carriageReturnInQuotes = false;
    std::size_t m_line = 1;
    std::size_t m_quoteLine = 1;
    std::size_t m_recordBytes = 0;
    bool m_fieldQuoted = false;
    CsvRecord m_record { 1, {} };
    std::string m_field;
    std::optional<CsvProblem> m_problem;
};

struct CsvTable {
    std::vector<CsvRecord> records; // blank lines left out
    char separator = ',';
    std::optional<CsvProblem> problem; // the first thing that is not CSV
};

// A whole table at once; a byte order mark at its start is skipped.
CsvTable readCsv(std::string_view text);

// Appends one field as a spreadsheet reads it back: quoted where it must be.
void appendCsvField(std::string& out, std::string_view field);
// Appends one record so, ended by CR LF.
void appendCsvRecord(std::string& out, const std::vector<std::string>& fields);
std::string csvRecord(const std::vector<std::string>& fields);

inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";
