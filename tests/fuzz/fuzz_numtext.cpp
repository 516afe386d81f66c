// Arbitrary text read at both widths: whatever reads as a number must write
// texts that read back, two decimals exactly, and general texts that are
// stable once read back (for normal values).

#include "format.h"
#include "fuzzinput.h"
#include "parse.h"

#include <cmath>
#include <limits>

namespace {

bool hasTwoDecimals(const QString& text, QChar separator)
{
    const qsizetype at = text.indexOf(separator);
    return at > 0 && text.size() - at - 1 == 2 && text.count(separator) == 1;
}

template <typename T> void checkWidth(const Parsed<T>& parsed, NumberFormat format)
{
    if (!parsed)
        return;
    const T value = parsed.value;
    const QString general = generalText(value, format);
    const Parsed<T> back = [&] {
        if constexpr (std::is_same_v<T, float>)
            return parseSingle(general, format);
        else
            return parseDouble(general, format);
    }();
    FUZZ_CHECK(bool(back), "a general text does not read back");
    // A subnormal carries fewer significant bits than its text has digits, so
    // its text need not survive a read-back; every normal value's does.
    if (std::fabs(value) >= std::numeric_limits<T>::min())
        FUZZ_CHECK(generalText(back.value, format) == general, "a general text is not stable");
    if constexpr (std::is_same_v<T, double>) {
        const Parsed<double> again = parseDouble(generalText(back.value, format), format);
        FUZZ_CHECK(again.value == back.value, "a Double read from its general text changed");
    }

    const QString fixed = fixedTwoDecimals(value, format);
    FUZZ_CHECK(hasTwoDecimals(fixed, format.decimalSeparator), "not exactly two decimals");
    const Parsed<double> fixedBack = parseDouble(fixed, format);
    FUZZ_CHECK(bool(fixedBack), "a two-decimal text does not read back");
    FUZZ_CHECK(fixedTwoDecimals(QStringView(fixed), format) == fixed,
        "two decimals of a two-decimal text changed it");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NumberFormat format;
    const FieldTexts texts = fieldTextsFrom(data, size, { QStringLiteral("text") }, format);
    const QString text = texts.value(QStringLiteral("text"));
    checkWidth(parseSingle(text, format), format);
    checkWidth(parseDouble(text, format), format);
    // Text that is not a number comes back unchanged.
    if (!parseDouble(text, format))
        FUZZ_CHECK(fixedTwoDecimals(QStringView(text), format) == text, "a non-number changed");
    return 0;
}
