#pragma once

// Turning a fuzzer's bytes into field texts, and the checks every
// calculation must pass whatever those texts are.

#include "fieldsheet.h"
#include "parse.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Stops the run with a message the fuzzer keeps beside the crashing input.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s\n", what);                                      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The bytes as UTF-8 text, split at newlines into one text per field in turn;
// fields beyond the last piece get an empty text. The first byte picks the
// decimal separator, so both kinds of locale are explored.
inline FieldTexts fieldTextsFrom(
    const std::uint8_t* data, std::size_t size, const QStringList& inputs, NumberFormat& format)
{
    format = NumberFormat { size > 0 && (data[0] & 1) ? U',' : U'.' };
    const QString all = QString::fromUtf8(
        reinterpret_cast<const char*>(data) + (size > 0), qsizetype(size > 0 ? size - 1 : 0));
    const QStringList pieces = all.split(u'\n');
    FieldTexts texts;
    for (qsizetype i = 0; i < inputs.size(); ++i)
        texts.insert(inputs[i], i < pieces.size() ? pieces[i] : QString());
    return texts;
}

// After a run: outputs written are a prefix of the step order, each a number
// text; the rest still hold the old text. A fault names a field.
inline void checkOutcome(const FieldTexts& texts, const QStringList& outputsInOrder,
    const QString& oldText, const std::optional<Fault>& fault, NumberFormat format)
{
    bool stillOld = false;
    for (const QString& output : outputsInOrder) {
        const QString text = texts.value(output);
        if (text == oldText) {
            stillOld = true;
            continue;
        }
        FUZZ_CHECK(!stillOld, "an output after an unwritten one was written");
        FUZZ_CHECK(bool(parseDouble(text, format)), "an output is not a number text");
        FUZZ_CHECK(!text.contains(QStringLiteral("nan"), Qt::CaseInsensitive)
                && !text.contains(QStringLiteral("inf"), Qt::CaseInsensitive),
            "an output holds a NaN or an infinity");
    }
    if (fault)
        FUZZ_CHECK(!fault->field.isEmpty(), "a fault names no field");
    else
        FUZZ_CHECK(!stillOld, "a complete run left an output unwritten");
}
