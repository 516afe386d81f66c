#include "csvtable.h"

#include <algorithm>

namespace {

// The separator, from the commas and semicolons outside quotes.
char separatorOf(std::string_view record)
{
    std::size_t commas = 0, semicolons = 0;
    bool quoted = false;
    for (const char c : record) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted)
            commas += c == ',', semicolons += c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

// Whether a byte is one of ",;\"\r\n", which end a plain run or make a
// field quoted: a test per byte rather than a search per needle character.
bool special(char c)
{
    return c == ',' || c == ';' || c == '"' || c == '\r' || c == '\n';
}

std::size_t firstSpecial(std::string_view text, std::size_t from)
{
    while (from < text.size() && !special(text[from]))
        ++from;
    return from;
}

} // namespace

void CsvParser::feed(std::string_view text, std::vector<CsvRecord>& records)
{
    if (m_problem)
        return;
    if (m_separator) {
        parse(text, records);
        return;
    }
    // The first record with something in it decides the separator; blank
    // lines before it do not.
    const std::size_t before = m_firstRecord.size();
    m_firstRecord.append(text);
    bool content = m_firstRecord.find_first_not_of("\r\n") < before;
    for (std::size_t at = before; at < m_firstRecord.size(); ++at) {
        const char c = m_firstRecord[at];
        if (c == '"')
            m_firstQuoted = !m_firstQuoted;
        if (c != '\r' && c != '\n')
            content = true;
        else if (content && !m_firstQuoted) {
            m_separator = separatorOf(m_firstRecord.substr(0, at));
            std::string held = std::move(m_firstRecord);
            m_firstRecord = {};
            parse(held, records);
            return;
        }
    }
    if (m_firstRecord.size() > m_longest)
        fail(m_firstQuoted ? "引号内的文字超过 1 MB，引号可能没有闭合"
                           : "这一行超过 1 MB，不是表格中的一行");
}

void CsvParser::finish(std::vector<CsvRecord>& records)
{
    if (m_problem)
        return;
    if (!m_separator) {
        m_separator = separatorOf(m_firstRecord);
        std::string held = std::move(m_firstRecord);
        m_firstRecord = {};
        parse(held, records);
        if (m_problem)
            return;
    }
    switch (m_state) {
    case State::Quoted:
        m_problem = { m_quoteLine, m_record.fields.size() + 1, "引号没有闭合" };
        return;
    case State::AfterCarriageReturn:
        return;
    case State::FieldStart:
        if (m_record.fields.empty() && !m_fieldQuoted)
            return; // the text ended with its last line end
        [[fallthrough]];
    case State::Unquoted:
    case State::QuoteInQuoted:
        endRecord(records);
        return;
    }
}

void CsvParser::fail(std::string what)
{
    m_problem = { m_record.line, 0, std::move(what) };
}

void CsvParser::endField()
{
    m_record.fields.push_back(std::move(m_field));
    m_field.clear();
    m_fieldQuoted = false;
}

void CsvParser::endRecord(std::vector<CsvRecord>& records)
{
    const bool blank = m_record.fields.empty() && m_field.empty() && !m_fieldQuoted;
    if (!blank)
        endField();
    records.push_back(std::move(m_record));
    ++m_line;
    m_record = { m_line, {} };
    m_recordBytes = 0;
    m_fieldQuoted = false;
}

void CsvParser::parse(std::string_view text, std::vector<CsvRecord>& records)
{
    const char separator = m_separator;
    for (std::size_t at = 0; at < text.size() && !m_problem;) {
        const char c = text[at];
        if (m_state == State::AfterCarriageReturn) {
            m_state = State::FieldStart;
            if (c == '\n') {
                ++at;
                continue;
            }
        }
        if (++m_recordBytes > m_longest) {
            fail(m_state == State::Quoted ? "引号内的文字超过 1 MB，引号可能没有闭合"
                                          : "这一行超过 1 MB，不是表格中的一行");
            return;
        }
        switch (m_state) {
        case State::FieldStart:
        case State::Unquoted:
            if (c == separator) {
                endField();
                m_state = State::FieldStart;
            } else if (c == '\r' || c == '\n') {
                endRecord(records);
                m_state = c == '\r' ? State::AfterCarriageReturn : State::FieldStart;
            } else if (c == '"' && m_state == State::FieldStart && !m_fieldQuoted) {
                m_fieldQuoted = true;
                m_quoteLine = m_line;
                m_state = State::Quoted;
            } else if (c == '"') {
                m_problem = { m_line, m_record.fields.size() + 1, "未加引号的字段中有引号" };
                return;
            } else {
                // The plain run up to the next special character at once;
                // the other separator is one too, and its run goes on after it.
                const std::size_t end = firstSpecial(text, at + 1);
                m_field.append(text.substr(at, end - at));
                m_recordBytes += end - at - 1;
                m_state = State::Unquoted;
                at = end;
                if (m_recordBytes > m_longest)
                    fail("这一行超过 1 MB，不是表格中的一行");
                continue;
            }
            break;
        case State::Quoted:
            if (c == '"') {
                m_state = State::QuoteInQuoted;
            } else {
                // A line break inside quotes belongs to the field; CR LF is
                // one line end.
                if (c == '\n' && !m_carriageReturnInQuotes)
                    ++m_line;
                else if (c == '\r')
                    ++m_line;
                m_carriageReturnInQuotes = c == '\r';
                m_field += c;
            }
            break;
        case State::QuoteInQuoted:
            m_carriageReturnInQuotes = false;
            if (c == '"') {
                m_field += '"';
                m_state = State::Quoted;
            } else if (c == separator) {
                endField();
                m_state = State::FieldStart;
            } else if (c == '\r' || c == '\n') {
                endRecord(records);
                m_state = c == '\r' ? State::AfterCarriageReturn : State::FieldStart;
            } else {
                m_problem = { m_line, m_record.fields.size() + 1, "右引号后还有文字" };
                return;
            }
            break;
        case State::AfterCarriageReturn:
            break;
        }
        ++at;
    }
}

CsvTable readCsv(std::string_view text)
{
    if (text.starts_with(utf8ByteOrderMark))
        text.remove_prefix(utf8ByteOrderMark.size());
    CsvParser parser(text.size() + 1);
    std::vector<CsvRecord> records;
    parser.feed(text, records);
    parser.finish(records);
    CsvTable table { {}, parser.separator(), parser.problem() };
    for (CsvRecord& record : records)
        if (!record.fields.empty())
            table.records.push_back(std::move(record));
    return table;
}

void appendCsvField(std::string& out, std::string_view field)
{
    // Leading or trailing spaces stay as they are inside quotes.
    const bool quote = firstSpecial(field, 0) < field.size()
        || (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quote) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendCsvRecord(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t n = 0; n < fields.size(); ++n) {
        if (n > 0)
            out += ',';
        appendCsvField(out, fields[n]);
    }
    out += "\r\n";
}

std::string csvRecord(const std::vector<std::string>& fields)
{
    std::string record;
    appendCsvRecord(record, fields);
    return record;
}
