#include "csvtable.h"

namespace {

// The separator, from the first line's commas and semicolons outside quotes.
char separatorOf(std::string_view text)
{
    std::size_t commas = 0, semicolons = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            commas += c == ',', semicolons += c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

} // namespace

CsvTable readCsv(std::string_view text)
{
    CsvTable table;
    if (text.starts_with(utf8ByteOrderMark))
        text.remove_prefix(utf8ByteOrderMark.size());
    table.separator = separatorOf(text);

    std::size_t line = 1;
    std::size_t at = 0;
    while (at < text.size()) {
        CsvRecord record { line, {} };
        std::string field;
        bool ended = false;
        bool fieldQuoted = false;
        while (!ended) {
            if (at < text.size() && text[at] == '"' && field.empty() && !fieldQuoted) {
                // A quoted field: "" is one quote; it may span lines.
                const std::size_t opened = line;
                fieldQuoted = true;
                ++at;
                for (;;) {
                    if (at >= text.size()) {
                        table.problem = { opened, record.fields.size() + 1, "unclosed quote" };
                        return table;
                    }
                    if (text[at] == '"') {
                        if (at + 1 < text.size() && text[at + 1] == '"') {
                            field += '"';
                            at += 2;
                            continue;
                        }
                        ++at;
                        break;
                    }
                    if (text[at] == '\n' || (text[at] == '\r' && text.substr(at, 2) != "\r\n"))
                        ++line;
                    field += text[at++];
                }
                if (at < text.size() && text[at] != table.separator && text[at] != '\r'
                    && text[at] != '\n') {
                    table.problem
                        = { line, record.fields.size() + 1, "text after a closing quote" };
                    return table;
                }
                continue;
            }
            if (at >= text.size() || text[at] == '\r' || text[at] == '\n') {
                record.fields.push_back(std::move(field));
                if (at < text.size())
                    at += text.substr(at, 2) == "\r\n" ? 2 : 1;
                ++line;
                ended = true;
            } else if (text[at] == table.separator) {
                record.fields.push_back(std::move(field));
                field.clear();
                fieldQuoted = false;
                ++at;
            } else if (text[at] == '"' && !fieldQuoted) {
                table.problem
                    = { line, record.fields.size() + 1, "a quote inside an unquoted field" };
                return table;
            } else {
                field += text[at++];
            }
        }
        const bool blank
            = record.fields.size() == 1 && record.fields.front().empty() && !fieldQuoted;
        if (!blank)
            table.records.push_back(std::move(record));
    }
    return table;
}

std::string csvRecord(const std::vector<std::string>& fields)
{
    std::string record;
    for (std::size_t n = 0; n < fields.size(); ++n) {
        const std::string& field = fields[n];
        if (n > 0)
            record += ',';
        // Leading or trailing spaces stay as they are inside quotes.
        const bool quote = field.find_first_of(",;\"\r\n") != std::string::npos
            || (!field.empty() && (field.front() == ' ' || field.back() == ' '));
        if (!quote) {
            record += field;
            continue;
        }
        record += '"';
        for (const char c : field)
            record += c == '"' ? std::string("\"\"") : std::string(1, c);
        record += '"';
    }
    return record + "\r\n";
}
