#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The comma-separated tables engineers export from a spreadsheet: UTF-8,
// with or without a byte order mark, fields separated by commas or (where
// the comma is the decimal separator) semicolons, quoted with '"' where they
// hold one, line ends of any system.

struct CsvRecord {
    std::size_t line; // where it begins in the file, from 1
    std::vector<std::string> fields;
};

struct CsvProblem {
    std::size_t line;
    std::size_t column; // from 1; 0 when no column is to blame
    std::string what;
};

struct CsvTable {
    std::vector<CsvRecord> records; // blank lines left out
    char separator = ',';
    std::optional<CsvProblem> problem; // the first thing that is not CSV
};

// The separator is the one of ',' and ';' the first record holds more of.
CsvTable readCsv(std::string_view text);

// One record as a spreadsheet reads it back: quoted where it must be, ended
// by CR LF.
std::string csvRecord(const std::vector<std::string>& fields);

inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";
