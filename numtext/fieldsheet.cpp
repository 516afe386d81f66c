#include "fieldsheet.h"

#include "parse.h"

namespace {

template <typename T>
T valueOrFault(const Parsed<T>& parsed, const QString& field, const QString& text)
{
    switch (parsed.status) {
    case ParseStatus::Ok:
        return parsed.value;
    case ParseStatus::OutOfRange:
        throw Fault { FaultKind::OutOfRange, field, text };
    case ParseStatus::NotANumber:
        break;
    }
    throw Fault { FaultKind::NotANumber, field, text };
}

} // namespace

Single FieldSheet::readSingle(const QString& field) const
{
    const QString t = text(field);
    return { valueOrFault(parseSingle(t, m_format), field, t) };
}

Double FieldSheet::readDouble(const QString& field) const
{
    const QString t = text(field);
    return { valueOrFault(parseDouble(t, m_format), field, t) };
}
