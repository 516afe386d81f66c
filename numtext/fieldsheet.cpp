#include "fieldsheet.h"

#include "parse.h"

namespace {

template <typename T>
T valueOrFault(const Parsed<T>& parsed, FieldName field, const std::string& text)
{
    switch (parsed.status) {
    case ParseStatus::Ok:
        return parsed.value;
    case ParseStatus::OutOfRange:
        throw Fault { FaultKind::OutOfRange, std::string(field), text };
    case ParseStatus::NotANumber:
        break;
    }
    throw Fault { FaultKind::NotANumber, std::string(field), text };
}

} // namespace

std::string FieldReader::text(FieldName field) const
{
    const auto found = m_texts.find(field);
    return found == m_texts.end() ? std::string() : found->second;
}

void FieldSheet::setText(FieldName field, std::string text)
{
    m_texts.insert_or_assign(std::string(field), std::move(text));
}

Single FieldReader::readSingle(FieldName field) const
{
    const std::string t = text(field);
    return { valueOrFault(parseSingle(t, m_format), field, t) };
}

Double FieldReader::readDouble(FieldName field) const
{
    const std::string t = text(field);
    return { valueOrFault(parseDouble(t, m_format), field, t) };
}
