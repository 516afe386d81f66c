#pragma once

#include "fault.h"
#include "format.h"
#include "mixedwidth.h"
#include "numberformat.h"

#include <QHash>
#include <QString>

#include <optional>

// The texts of a window's fields, by control name ("Text1" … ).
using FieldTexts = QHash<QString, QString>;

// A calculation's view of its window: it reads numbers from field texts and
// writes each result back as text the moment it is computed, so that a later
// step reads the digits the engineer sees. Every read and every step throws a
// Fault naming its field; run() turns that into the calculation's outcome.
class FieldSheet {
public:
    FieldSheet(FieldTexts& texts, NumberFormat format)
        : m_texts(texts)
        , m_format(format)
    {
    }

    Single readSingle(const QString& field) const;
    Double readDouble(const QString& field) const;

    QString text(const QString& field) const { return m_texts.value(field); }
    void setText(const QString& field, const QString& text) { m_texts.insert(field, text); }
    NumberFormat format() const { return m_format; }

    // One step: compute the field's result and write it as general text at
    // its own width (7 digits for a Single, 15 for a Double).
    template <typename Compute> void writeGeneral(const QString& field, Compute compute)
    {
        setText(field, generalText(resultFor(field, compute).value, m_format));
    }

    // One step whose result is written as fixed two-decimal text.
    template <typename Compute> void writeTwoDecimals(const QString& field, Compute compute)
    {
        setText(field, fixedTwoDecimals(resultFor(field, compute).value, m_format));
    }

    // Runs `compute` on behalf of `field`: an arithmetic fault inside it, which
    // knows no field of its own, is charged to this one.
    template <typename Compute>
    static auto resultFor(const QString& field, Compute compute) -> decltype(compute())
    {
        try {
            return compute();
        } catch (Fault& fault) {
            if (fault.field.isEmpty())
                fault.field = field;
            throw;
        }
    }

private:
    FieldTexts& m_texts;
    NumberFormat m_format;
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
