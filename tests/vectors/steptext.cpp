#include "steptext.h"

#include "utf8.h"

#include <cstdint>

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

void appendHex(std::string& out, std::uint32_t value, int minDigits)
{
    char digits[8];
    int n = 0;
    do {
        digits[n++] = hexDigits[value & 0xF];
        value >>= 4;
    } while (value != 0 || n < minDigits);
    while (n > 0)
        out += digits[--n];
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1; // capitals only, so that each text has one escaped form
}

// The scalar value of the UTF-8 sequence at `text`'s front and its length, or
// length 0 when the bytes there are not a well-formed sequence (overlong forms,
// surrogates and values past U+10FFFF are not).
struct Decoded {
    char32_t value = 0;
    std::size_t length = 0;
};

Decoded decodeOne(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return std::uint8_t(text[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        least = 0x10000;
    } else {
        return {};
    }
    if (text.size() < length)
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {};
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {};
    return { value, length };
}

std::optional<char32_t> singleCharacter(std::string_view text)
{
    if (text.size() == 1 && std::uint8_t(text[0]) < 0x80)
        return char32_t(text[0]);
    if (text.empty())
        return std::nullopt;
    const Decoded d = decodeOne(text);
    if (d.length == 0 || d.length != text.size())
        return std::nullopt;
    return d.value;
}

std::vector<std::string_view> splitBlanks(std::string_view line)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = line.find(' ', start);
        parts.push_back(line.substr(start, blank - start));
        if (blank == std::string_view::npos)
            return parts;
        start = blank + 1;
    }
}

} // namespace

std::string utf8Of(char32_t c)
{
    std::string out;
    out += encodeUtf8(c);
    return out;
}

std::string escapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const auto u = std::uint8_t(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == ' ') {
            out += "\\s";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (u > 0x20 && u < 0x7F) {
            out += c;
        } else if (u >= 0x80) {
            const Decoded d = decodeOne(text.substr(i));
            if (d.length != 0) {
                out += "\\u{";
                appendHex(out, d.value, 4);
                out += '}';
                i += d.length;
                continue;
            }
            out += "\\x";
            appendHex(out, u, 2);
        } else {
            out += "\\x";
            appendHex(out, u, 2);
        }
        ++i;
    }
    return out;
}

std::optional<std::string> unescapeText(std::string_view escaped)
{
    std::string out;
    out.reserve(escaped.size());
    std::size_t i = 0;
    while (i < escaped.size()) {
        const char c = escaped[i++];
        const auto u = std::uint8_t(c);
        if (c != '\\') {
            if (u <= 0x20 || u >= 0x7F)
                return std::nullopt;
            out += c;
            continue;
        }
        if (i == escaped.size())
            return std::nullopt;
        const char kind = escaped[i++];
        switch (kind) {
        case '\\':
            out += '\\';
            break;
        case 's':
            out += ' ';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 'x': {
            if (i + 2 > escaped.size())
                return std::nullopt;
            const int high = hexValue(escaped[i]);
            const int low = hexValue(escaped[i + 1]);
            if (high < 0 || low < 0)
                return std::nullopt;
            out += char(high * 16 + low);
            i += 2;
            break;
        }
        case 'u': {
            if (i == escaped.size() || escaped[i] != '{')
                return std::nullopt;
            const std::size_t close = escaped.find('}', i);
            if (close == std::string_view::npos || close - i - 1 < 1 || close - i - 1 > 6)
                return std::nullopt;
            char32_t value = 0;
            for (std::size_t k = i + 1; k < close; ++k) {
                const int digit = hexValue(escaped[k]);
                if (digit < 0)
                    return std::nullopt;
                value = value * 16 + char32_t(digit);
            }
            if (value < 0x80 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
                return std::nullopt;
            out += encodeUtf8(value);
            i = close + 1;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::string_view calculatorName(Calculator calculator)
{
    return calculator->id;
}

std::string calculatorIds(std::string_view between)
{
    std::string ids;
    for (const CalculatorEntry& entry : calculators()) {
        if (!ids.empty())
            ids += between;
        ids += entry.id;
    }
    return ids;
}

bool controlOrder(const std::string& a, const std::string& b)
{
    // Names are letters followed by a number: compare the letters, then the
    // number by its length and digits.
    const auto split = [](const std::string& s) {
        std::size_t digits = s.size();
        while (digits > 0 && s[digits - 1] >= '0' && s[digits - 1] <= '9')
            --digits;
        return std::pair { std::string_view(s).substr(0, digits),
            std::string_view(s).substr(digits) };
    };
    const auto [wordA, numberA] = split(a);
    const auto [wordB, numberB] = split(b);
    if (wordA != wordB)
        return wordA < wordB;
    if (numberA.size() != numberB.size())
        return numberA.size() < numberB.size();
    return numberA < numberB;
}

std::string formatStep(const Step& step)
{
    std::string line(calculatorName(step.calculator));
    line += ' ';
    line += escapeText(utf8Of(step.separator));
    if (step.newWindow)
        line += " new";
    for (const auto& [field, text] : step.typed) {
        line += ' ';
        line += field;
        line += '=';
        line += escapeText(text);
    }
    return line;
}

StepParse parseStep(std::string_view line)
{
    const std::vector<std::string_view> parts = splitBlanks(line);
    Step step;
    step.calculator = findCalculator(parts[0]);
    if (!step.calculator)
        return { std::nullopt, "the calculator is none of " + calculatorIds(", ") };

    if (parts.size() < 2)
        return { std::nullopt, "no decimal separator" };
    const std::optional<std::string> separator = unescapeText(parts[1]);
    const std::optional<char32_t> character
        = separator ? singleCharacter(*separator) : std::nullopt;
    if (!character)
        return { std::nullopt, "the decimal separator is not one character" };
    step.separator = *character;

    std::size_t next = 2;
    if (next < parts.size() && parts[next] == "new") {
        step.newWindow = true;
        ++next;
    }
    for (; next < parts.size(); ++next) {
        const std::string_view part = parts[next];
        const std::size_t equals = part.find('=');
        if (equals == 0 || equals == std::string_view::npos)
            return { std::nullopt, "a typed field is not Name=text" };
        const std::optional<std::string> text = unescapeText(part.substr(equals + 1));
        if (!text)
            return { std::nullopt,
                "the text typed into " + std::string(part.substr(0, equals))
                    + " is not well escaped" };
        step.typed.emplace_back(std::string(part.substr(0, equals)), *text);
    }
    return { std::move(step), {} };
}
