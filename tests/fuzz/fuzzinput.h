#pragma once

// Turning a fuzzer's bytes into field texts, and the checks every
// calculation must pass whatever those texts are.

#include "fieldsheet.h"
#include "parse.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// Stops the run with a message the fuzzer keeps beside the crashing input.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s\n", what);                                      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

using FieldList = std::vector<FieldName>;

// The bytes as text, split at newlines into one text per field in turn;
// fields beyond the last piece get an empty text. The first byte's lowest bit
// picks the decimal separator, so both kinds of locale are explored; its other
// bits are the target's to use.
inline FieldTexts fieldTextsFrom(
    const std::uint8_t* data, std::size_t size, const FieldList& inputs, NumberFormat& format)
{
    format = NumberFormat { size > 0 && (data[0] & 1) ? U',' : U'.' };
    std::string_view rest(
        reinterpret_cast<const char*>(data) + (size > 0), size > 0 ? size - 1 : 0);
    FieldTexts texts;
    for (const FieldName input : inputs) {
        const std::size_t end = rest.find('\n');
        texts.insert_or_assign(std::string(input), std::string(rest.substr(0, end)));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return texts;
}

// Runs a calculation on texts from the fuzzer's bytes, its outputs holding an
// old text, and checks the outcome: outputs written are a prefix of the step
// order, each a number text; the rest still hold the old text; a fault names
// a field. Returns the texts and the fault for further checks.
template <typename Calculate>
std::pair<FieldTexts, std::optional<Fault>> runFuzzedCalculation(const std::uint8_t* data,
    std::size_t size, const FieldList& inputs, const FieldList& outputsInOrder,
    NumberFormat& format, Calculate calculate)
{
    const std::string oldText = "old";
    FieldTexts texts = fieldTextsFrom(data, size, inputs, format);
    for (const FieldName output : outputsInOrder)
        texts.insert_or_assign(std::string(output), oldText);
    const std::optional<Fault> fault = calculate(texts, format);

    bool stillOld = false;
    for (const FieldName output : outputsInOrder) {
        const std::string& text = texts.find(output)->second;
        if (text == oldText) {
            stillOld = true;
            continue;
        }
        FUZZ_CHECK(!stillOld, "an output after an unwritten one was written");
        FUZZ_CHECK(bool(parseDouble(text, format)), "an output is not a number text");
        FUZZ_CHECK(text.find("nan") == std::string::npos && text.find("inf") == std::string::npos,
            "an output holds a NaN or an infinity");
    }
    if (fault)
        FUZZ_CHECK(!fault->field.empty(), "a fault names no field");
    else
        FUZZ_CHECK(!stillOld, "a complete run left an output unwritten");
    return { std::move(texts), fault };
}
