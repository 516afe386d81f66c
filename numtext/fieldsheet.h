#pragma once

#include "fault.h"
#include "format.h"
#include "mixedwidth.h"
#include "numberformat.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// A field's control name ("Text1" … ); each calculation names its fields once,
// as constants in a header of its own.
using FieldName = std::string_view;

// The texts of a window's fields (UTF-8), by control name.
using FieldTexts = std::map<std::string, std::string, std::less<>>;

// Reads numbers from a window's field texts without changing them, as the
// design checks and the calculation sheet do. A text that does not read as a
// number throws a Fault naming its field.
class FieldReader {
public:
    FieldReader(const FieldTexts& texts, NumberFormat format)
        : m_texts(texts)
        , m_format(format)
    {
    }

    Single readSingle(FieldName field) const;
    Double readDouble(FieldName field) const;

    // The field's text; empty for a field the window does not have.
    std::string text(FieldName field) const;
    NumberFormat format() const { return m_format; }

private:
    const FieldTexts& m_texts;
    NumberFormat m_format;
};

// A calculation's view of its window: it reads numbers from field texts and
// writes each result back as text the moment it is computed, so that a later
// step reads the digits the engineer sees. Every read and every step throws a
// Fault naming its field; runSteps() turns that into the calculation's outcome.
class FieldSheet : public FieldReader {
public:
    FieldSheet(FieldTexts& texts, NumberFormat format)
        : FieldReader(texts, format)
        , m_texts(texts)
    {
    }

    void setText(FieldName field, std::string text);

    // A field a step has just written. A later step that needs its result
    // reads it back from here, from the text just written, so it cannot read
    // another field by mistake.
    class Written {
    public:
        Single readSingle() const { return m_sheet.readSingle(m_field); }
        Double readDouble() const { return m_sheet.readDouble(m_field); }

    private:
        friend class FieldSheet;
        Written(const FieldSheet& sheet, FieldName field)
            : m_sheet(sheet)
            , m_field(field)
        {
        }
        const FieldSheet& m_sheet;
        FieldName m_field;
    };

    // One step: compute the field's result and write it as general text at
    // its own width (7 digits for a Single, 15 for a Double).
    template <typename Compute> Written writeGeneral(FieldName field, Compute compute)
    {
        setText(field, generalText(resultFor(field, compute).value, format()));
        return Written(*this, field);
    }

    // One step whose result is written as fixed two-decimal text.
    template <typename Compute> Written writeTwoDecimals(FieldName field, Compute compute)
    {
        setText(field, fixedTwoDecimals(resultFor(field, compute).value, format()));
        return Written(*this, field);
    }

    // Runs `compute` on behalf of `field`: an arithmetic fault inside it, which
    // knows no field of its own, is charged to this one.
    template <typename Compute>
    static auto resultFor(FieldName field, Compute compute) -> decltype(compute())
    {
        try {
            return compute();
        } catch (Fault& fault) {
            if (fault.field.empty())
                fault.field = field;
            throw;
        }
    }

private:
    FieldTexts& m_texts;
};

// Runs a calculation's steps; the fault that stopped them, if any. Fields the
// steps wrote before the fault keep their new texts.
template <typename Steps> std::optional<Fault> runSteps(Steps steps)
{
    try {
        steps();
        return std::nullopt;
    } catch (const Fault& fault) {
        return fault;
    }
}
