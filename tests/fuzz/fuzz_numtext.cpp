// Arbitrary text read at both widths: whatever reads as a number must write
// texts that read back, two decimals exactly, Double general texts that are
// stable once read back, and Single ones that read back to seven digits.

#include "format.h"
#include "fuzzinput.h"
#include "parse.h"
#include "utf8.h"

#include <cmath>
#include <limits>

namespace {

bool hasTwoDecimals(const std::string& text, char32_t separator)
{
    const std::string point = encodeUtf8(separator);
    const std::size_t at = text.find(point);
    return at != std::string::npos && at > 0 && text.size() - at - point.size() == 2
        && text.find(point, at + 1) == std::string::npos;
}

template <typename T> void checkWidth(const Parsed<T>& parsed, NumberFormat format)
{
    if (!parsed)
        return;
    const T value = parsed.value;
    const std::string general = generalText(value, format);
    const Parsed<T> back = [&] {
        if constexpr (std::is_same_v<T, float>)
            return parseSingle(general, format);
        else
            return parseDouble(general, format);
    }();
    if (!back) {
        // Rounded to 15 digits, the Doubles from about 1.797693134862315E+308 up
        // to the largest write "1.79769313486232E+308", which lies beyond the
        // Double range: that text rightly reads as out of range. No other
        // general text may fail to read back.
        constexpr bool isDouble = std::is_same_v<T, double>;
        FUZZ_CHECK(isDouble && back.status == ParseStatus::OutOfRange
                && std::fabs(double(value)) > 1.79769313486231e308,
            "a general text does not read back");
        return;
    }
    if constexpr (std::is_same_v<T, double>) {
        // 15 digits never exceed a normal Double's precision: its text survives
        // a read-back, and so does the Double read from it.
        if (std::fabs(value) >= std::numeric_limits<double>::min()) {
            FUZZ_CHECK(generalText(back.value, format) == general, "a general text is not stable");
            const Parsed<double> again = parseDouble(generalText(back.value, format), format);
            FUZZ_CHECK(again.value == back.value, "a Double read from its general text changed");
        }
    } else {
        // 7 digits can exceed a Single's precision (1.00000006E+28 writes
        // "1E+28", which reads back as 9.999999E+27): the read-back agrees to
        // the seventh digit, not always to the letter.
        if (std::fabs(value) >= std::numeric_limits<float>::min())
            FUZZ_CHECK(
                std::fabs(double(back.value) - double(value)) <= std::fabs(double(value)) * 1e-6,
                "a Single's general text reads back too far off");
    }

    const std::string fixed = fixedTwoDecimals(value, format);
    FUZZ_CHECK(hasTwoDecimals(fixed, format.decimalSeparator), "not exactly two decimals");
    const Parsed<double> fixedBack = parseDouble(fixed, format);
    FUZZ_CHECK(bool(fixedBack), "a two-decimal text does not read back");
    FUZZ_CHECK(fixedTwoDecimals(std::string_view(fixed), format) == fixed,
        "two decimals of a two-decimal text changed it");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NumberFormat format;
    const FieldTexts texts = fieldTextsFrom(data, size, { "text" }, format);
    const std::string& text = texts.find("text")->second;
    checkWidth(parseSingle(text, format), format);
    checkWidth(parseDouble(text, format), format);
    // Text that is not a number comes back unchanged.
    if (!parseDouble(text, format))
        FUZZ_CHECK(
            fixedTwoDecimals(std::string_view(text), format) == text, "a non-number changed");
    return 0;
}
