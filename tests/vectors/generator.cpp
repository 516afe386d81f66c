#include "generator.h"


#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace {

// splitmix64: small, fast, and defined entirely by its integer operations.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }

    // Uniform in [0, n): draws below 2^64 mod n are rejected so that every
    // residue is equally likely.
    std::uint64_t below(std::uint64_t n)
    {
        const std::uint64_t threshold = (0 - n) % n;
        std::uint64_t r;
        do
            r = next();
        while (r < threshold);
        return r % n;
    }

    std::int64_t between(std::int64_t lo, std::int64_t hi)
    {
        return lo + std::int64_t(below(std::uint64_t(hi - lo) + 1));
    }

    bool percent(int p) { return below(100) < std::uint64_t(p); }

    template <typename T, std::size_t N> const T& pick(const std::array<T, N>& items)
    {
        return items[below(N)];
    }

private:
    std::uint64_t m_state;
};

struct Input {
    FieldName field;
    TypicalValues range;
};

// The calculator's inputs in its table's order, each with the values an
// engineer would type there.
std::vector<Input> inputsOf(Calculator calculator)
{
    std::vector<Input> inputs;
    for (const FieldFacts& facts : calculator->fields())
        if (facts.role == FieldRole::Input)
            inputs.push_back({ facts.control, facts.typical });
    return inputs;
}

class StepWriter {
public:
    StepWriter(Calculator calculator, std::uint64_t seed)
        : m_random(seed)
        , m_calculator(calculator)
        , m_inputs(inputsOf(calculator))
    {
        m_abnormal.assign(m_inputs.size(), false);
    }

    Step next();

private:
    // Texts of numbers -----------------------------------------------------

    std::string separator() const { return utf8Of(m_separator); }

    std::string randomDigits(std::size_t count, bool leadingNonZero)
    {
        std::string digits;
        digits.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            digits += char(
                '0' + ((i == 0 && leadingNonZero) ? 1 + m_random.below(9) : m_random.below(10)));
        return digits;
    }

    std::string exponentText(std::int64_t exponent)
    {
        std::string text = m_random.percent(80) ? "E" : "e";
        const bool negative = exponent < 0;
        const std::uint64_t magnitude = std::uint64_t(negative ? -exponent : exponent);
        if (negative)
            text += '-';
        else if (m_random.percent(50))
            text += '+';
        std::string digits = std::to_string(magnitude);
        // C's %E writes at least two exponent digits.
        if (digits.size() < 2 && m_random.percent(50))
            digits.insert(0, 1, '0');
        return text + digits;
    }

    // The value digits × 10^scale, written in fixed notation.
    std::string fixedText(const std::string& digits, std::int64_t scale)
    {
        if (scale >= 0)
            return digits + std::string(std::size_t(scale), '0');
        const std::int64_t whole = std::int64_t(digits.size()) + scale;
        if (whole > 0)
            return digits.substr(0, std::size_t(whole)) + separator()
                + digits.substr(std::size_t(whole));
        return std::string("0") + separator() + std::string(std::size_t(-whole), '0') + digits;
    }

    // The same value in scientific notation: one digit before the separator.
    std::string scientificText(const std::string& digits, std::int64_t scale)
    {
        std::string text(1, digits[0]);
        if (digits.size() > 1)
            text += separator() + digits.substr(1);
        return text + exponentText(scale + std::int64_t(digits.size()) - 1);
    }

    std::string signed_(std::string text, bool negative)
    {
        if (negative)
            return text.insert(0, 1, '-');
        return m_random.percent(3) ? text.insert(0, 1, '+') : text;
    }

    // A value an engineer would type into this input.
    std::string ordinary(const Input& input)
    {
        std::int64_t thousandths = m_random.between(input.range.low, input.range.high);
        const int decimals = int(m_random.below(std::uint64_t(input.range.decimals) + 1));
        std::int64_t unit = 1;
        for (int i = decimals; i < 3; ++i)
            unit *= 10;
        thousandths -= thousandths % unit;
        const bool negative = thousandths < 0;
        // The decimals typed are kept, trailing zeros included: "12.50".
        const std::string digits = std::to_string((negative ? -thousandths : thousandths) / unit);

        std::string text;
        const std::uint64_t style = m_random.below(100);
        const std::size_t significant = digits.find_last_not_of('0');
        if (style < 3 && significant != std::string::npos) {
            text = scientificText(digits.substr(0, significant + 1),
                std::int64_t(digits.size() - significant - 1) - decimals);
        } else if (style < 5 && decimals == 0) {
            text = digits + separator(); // "45."
        } else if (style < 7) {
            text = fixedText(digits, -decimals).insert(0, "00");
        } else {
            text = fixedText(digits, -decimals);
            if (text.starts_with(std::string("0") + separator()) && m_random.percent(50))
                text.erase(0, 1); // ".45"
        }
        text = signed_(text, negative);
        if (m_random.percent(3)) {
            std::string padded = blanks();
            padded += text;
            padded += blanks();
            text = padded;
        }
        return text;
    }

    // An ordinary value of the other sign: a reversed load, a negative plate.
    std::string reversed(const Input& input)
    {
        std::string text = ordinary(input);
        const std::size_t at = text.find_first_not_of(" \t");
        if (text[at] == '-')
            text.erase(at, 1);
        else if (text[at] == '+')
            text[at] = '-';
        else
            text.insert(at, 1, '-');
        return text;
    }

    // A text written with '.' for the decimal separator, in this locale.
    std::string localised(std::string_view text)
    {
        std::string out;
        for (char c : text)
            out += c == '.' ? separator() : std::string(1, c);
        return out;
    }

    std::string blanks()
    {
        static constexpr std::array<std::string_view, 4> kinds { " ", "\t", "  ", " \t" };
        return std::string(m_random.pick(kinds));
    }

    // Any magnitude from far below a Single's subnormals to past DBL_MAX.
    std::string magnitude()
    {
        const std::size_t count
            = m_random.percent(90) ? 1 + m_random.below(9) : 10 + m_random.below(30);
        const std::string digits = randomDigits(count, true);
        std::int64_t order; // decimal order of the leading digit
        const std::uint64_t range = m_random.below(100);
        if (range < 60)
            order = m_random.between(-47, 46); // a Single's range and a little past it
        else if (range < 85)
            order = m_random.between(-326, 309); // a Double's
        else
            order = m_random.between(-12, 12);
        const std::int64_t scale = order - std::int64_t(count) + 1;
        const bool fixed = order > -50 && order < 50 && m_random.percent(40);
        std::string text = fixed ? fixedText(digits, scale) : scientificText(digits, scale);
        if (fixed && order < 0 && m_random.percent(20))
            text.erase(0, 1); // ".000123"
        return signed_(text, m_random.percent(25));
    }

    // Digits at and around the edges of the two widths: the largest finite
    // values and where overflow begins, the smallest normals, the subnormals
    // and the ties at half the smallest subnormal.
    std::string edge()
    {
        struct Edge {
            std::string_view digits;
            int order;
        };
        static constexpr std::array<Edge, 14> edges { {
            { "340282346638528859811704183484516925440", 38 }, // FLT_MAX
            { "34028235677973366", 38 }, // FLT_MAX plus half an ulp: a Single overflows
            { "117549435082228750797", -38 }, // FLT_MIN
            { "117549421069244107548", -38 }, // largest Single subnormal
            { "1401298464324817", -45 }, // smallest Single subnormal
            { "70064923216240853546", -46 }, // half of it: ties to zero
            { "2802596928649634", -45 }, // twice the smallest
            { "17976931348623157", 308 }, // DBL_MAX
            { "17976931348623158079", 308 }, // DBL_MAX plus half an ulp
            { "22250738585072014", -308 }, // DBL_MIN
            { "22250738585072009", -308 }, // largest Double subnormal
            { "49406564584124654", -324 }, // smallest Double subnormal
            { "24703282292062327208828", -324 }, // half of it
            { "1", 39 }, // past a Single, well within a Double
        } };
        const Edge& e = m_random.pick(edges);
        std::string digits(e.digits);
        // Cut, nudge the last digit or extend: either side of the edge.
        const std::uint64_t change = m_random.below(4);
        if (change == 1 && digits.size() > 2) {
            digits.resize(2 + m_random.below(digits.size() - 1));
        } else if (change == 2) {
            char& last = digits.back();
            last = char('0' + (last - '0' + 1 + m_random.below(9)) % 10);
        } else if (change == 3) {
            digits += randomDigits(1 + m_random.below(6), false);
        }
        if (digits[0] == '0')
            digits[0] = '1';
        const std::int64_t scale = e.order - std::int64_t(digits.size()) + 1;
        const bool fixed = e.order > -50 && e.order < 50 && m_random.percent(30);
        const std::string text = fixed ? fixedText(digits, scale) : scientificText(digits, scale);
        return signed_(text, m_random.percent(25));
    }

    // A value whose digits end in a 5 just past the second decimal, in a
    // field whose result is written to two decimals directly or doubled (L0 =
    // 2L): 2.675, 1.005, 0.125 (exact in binary), 1.0025 (doubles to a tie).
    std::string tie()
    {
        const std::int64_t whole
            = m_random.percent(50) ? m_random.between(0, 9) : m_random.between(0, 99'999);
        std::string digits = std::to_string(whole);
        std::string fraction;
        const std::uint64_t kind = m_random.below(4);
        if (kind == 0) {
            static constexpr std::array<std::string_view, 4> eighths { "125", "375", "625", "875" };
            fraction = std::string(m_random.pick(eighths));
        } else if (kind == 1) {
            fraction = randomDigits(2, false);
            fraction += m_random.percent(50) ? "25" : "75";
        } else {
            fraction = randomDigits(2, false) + "5";
        }
        if (m_random.percent(10))
            fraction += "0";
        const std::string text = digits + separator() + fraction;
        return signed_(text, m_random.percent(20));
    }

    std::string zero()
    {
        static constexpr std::array<std::string_view, 12> zeros { "0", "0.0", "-0", "+0", ".0",
            "0.", "00", "0E0", "0e+99", "-0.000", "0E-999", "-0e400" };
        return localised(m_random.pick(zeros));
    }

    // Texts that are not numbers, or that only a lenient reader would take
    // for one, and a few valid numbers in unusual dress. Each draw is a
    // statement of its own: the operands of one expression are evaluated in
    // an order the compiler chooses.
    std::string odd()
    {
        const std::string sep = separator();
        const std::string other = m_separator == U'.' ? "," : ".";
        std::string text;
        switch (m_random.below(16)) {
        case 0:
            return text;
        case 1: {
            static constexpr std::array<std::string_view, 6> blankTexts { " ", "\t", "  ",
                "\xE3\x80\x80", "\xC2\xA0", "\n" };
            return std::string(m_random.pick(blankTexts));
        }
        case 2: {
            static constexpr std::array<std::string_view, 16> words { "abc", "x", "e", "E5", "inf",
                "-inf", "nan", "NaN", "infinity", "1x", "x1", "0x10", "1_000", "0x1p3",
                "\xE5\x9B\x9B\xE7\x99\xBE", "\xE4\xB8\x80" };
            return std::string(m_random.pick(words));
        }
        case 3: // two separators
            text += randomDigits(1 + m_random.below(3), false);
            text += sep;
            text += randomDigits(1 + m_random.below(3), false);
            text += sep;
            text += randomDigits(m_random.below(3), false);
            return text;
        case 4: // the other locale's separator, or digit grouping
            if (m_random.percent(50)) {
                text += randomDigits(1 + m_random.below(3), true);
                text += other;
                text += randomDigits(2, false);
                return text;
            }
            return "1" + other + "000" + sep + "5";
        case 5: {
            static constexpr std::array<std::string_view, 10> signs { "+", "-", "+-1", "-+1", "--1",
                "++1", "- 1", "+.", "-.", "-e5" };
            return std::string(m_random.pick(signs));
        }
        case 6: { // exponent without digits
            static constexpr std::array<std::string_view, 6> tails { "e", "E", "e+", "E-", "e+-5",
                "e 5" };
            text += randomDigits(1 + m_random.below(3), true);
            if (m_random.percent(50))
                text += sep + "5";
            text += m_random.pick(tails);
            return text;
        }
        case 7: { // a number typed, in part or whole, with a Chinese input method
            std::string ascii = randomDigits(1 + m_random.below(4), true);
            if (m_random.percent(50)) {
                ascii += sep;
                ascii += randomDigits(1 + m_random.below(3), false);
            }
            if (m_random.percent(30)) {
                ascii += m_random.percent(50) ? "E" : "e";
                ascii += m_random.percent(50) ? "-" : "+";
                ascii += randomDigits(1, true);
            }
            if (m_random.percent(30))
                ascii.insert(0, 1, m_random.percent(50) ? '-' : '+');
            return fullWidth(ascii);
        }
        case 8: { // a valid number with Unicode blanks around it
            static constexpr std::array<std::string_view, 7> around { "\xE3\x80\x80", "\xC2\xA0",
                "\xE2\x80\x83", "\xEF\xBB\xBF", "\x0B", "\x0C", "\r\n" };
            const std::string_view pad = m_random.pick(around);
            text += pad;
            text += "12" + sep + "5";
            if (m_random.percent(50))
                text += pad;
            return text;
        }
        case 9: // a blank inside
            text += randomDigits(1, true);
            text += m_random.percent(50) ? " " : "\t";
            text += randomDigits(3, false);
            return text;
        case 10: // a long digit run
            return randomDigits(300 + m_random.below(1200), true);
        case 11: { // many digits brought back into range by the exponent
            const std::size_t n = 200 + m_random.below(800);
            text += randomDigits(n, true);
            text += "E-";
            text += std::to_string(n - 1 - m_random.below(3));
            return text;
        }
        case 12: // far below any width, in fixed notation
            text += "0" + sep;
            text += std::string(50 + m_random.below(400), '0');
            text += randomDigits(3, true);
            return text;
        case 13: // exponents with many digits
            text += "1" + sep + "5E";
            if (m_random.percent(50))
                text += '-';
            text += std::string(10 + m_random.below(10), '0');
            text += randomDigits(1 + m_random.below(12), true);
            return text;
        case 14:
            return sep;
        default: { // a digit and a combining mark, or an Arabic-Indic digit
            static constexpr std::array<std::string_view, 3> marks { "1\xCC\x81", "\xD9\xA1",
                "2\xE2\x80\x8B" };
            return std::string(m_random.pick(marks));
        }
        }
    }

    // Each character of `ascii` mostly in its full-width form; the point
    // sometimes as the ideographic full stop.
    std::string fullWidth(std::string_view ascii)
    {
        std::string text;
        for (char c : ascii) {
            if (std::uint8_t(c) >= 0x80 || !m_random.percent(80)) {
                text += c;
            } else if (c == '.' && m_random.percent(30)) {
                text += "\xE3\x80\x82"; // 。
            } else if (c > ' ' && c < 0x7F) {
                text += utf8Of(char32_t(0xFF01 + (c - '!'))); // ！ … ～
            } else {
                text += c;
            }
        }
        return text;
    }

    // A paste of some ten thousand characters.
    std::string paste()
    {
        const std::size_t n = 9'000 + m_random.below(2'000);
        switch (m_random.below(3)) {
        case 0:
            return randomDigits(n, true);
        case 1: {
            std::string text;
            for (std::size_t i = 0; i < n; ++i)
                text += utf8Of(char32_t(0xFF10 + m_random.below(10)));
            return text;
        }
        default:
            return std::string("0") + separator() + randomDigits(n, false);
        }
    }

    // Any of the above.
    std::string anyText(const Input& input)
    {
        const std::uint64_t kind = m_random.below(100);
        if (kind < 30)
            return ordinary(input);
        if (kind < 55)
            return magnitude();
        if (kind < 65)
            return edge();
        if (kind < 75)
            return tie();
        if (kind < 82)
            return zero();
        return odd();
    }

    // Steps --------------------------------------------------------------

    void type(Step& step, std::size_t input, std::string text, bool abnormal)
    {
        step.typed.emplace_back(std::string(m_inputs[input].field), std::move(text));
        m_abnormal[input] = abnormal;
    }

    void typeOrdinary(Step& step, std::size_t input)
    {
        type(step, input, ordinary(m_inputs[input]), false);
    }

    void typeAll(Step& step)
    {
        std::vector<std::size_t> order(m_inputs.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        for (std::size_t i = order.size() - 1; i > 0; --i)
            std::swap(order[i], order[m_random.below(i + 1)]);
        for (std::size_t i : order)
            typeOrdinary(step, i);
    }

    std::size_t anyInput() { return m_random.below(m_inputs.size()); }

    void switchLocale()
    {
        // Runs of some 100 steps in the point locale and 33 in another: about a
        // quarter of the steps in another locale, mostly a comma one, a few Arabic.
        if (!m_random.percent(m_separator == U'.' ? 1 : 3))
            return;
        if (m_separator != U'.')
            m_separator = U'.';
        else
            m_separator = m_random.percent(88) ? U',' : U'\u066B';
        m_localeChanged = true;
    }

    Random m_random;
    Calculator m_calculator;
    std::vector<Input> m_inputs;
    std::vector<bool> m_abnormal; // holds a text that stops or skews the calculation
    char32_t m_separator = U'.';
    bool m_localeChanged = false;
    std::size_t m_pastedInput = SIZE_MAX;
};

Step StepWriter::next()
{
    switchLocale();
    Step step;
    step.calculator = m_calculator;
    step.separator = m_separator;

    // A paste is not carried on: the next step replaces it.
    if (m_pastedInput != SIZE_MAX) {
        typeOrdinary(step, m_pastedInput);
        m_pastedInput = SIZE_MAX;
    }
    // Texts typed with the comma do not read in the point locale: mostly the
    // design is typed anew.
    if (m_localeChanged) {
        m_localeChanged = false;
        if (m_random.percent(70)) {
            typeAll(step);
            return step;
        }
    }
    // Mostly the engineer mends what stopped the last click.
    for (std::size_t i = 0; i < m_inputs.size(); ++i)
        if (m_abnormal[i] && m_random.percent(50))
            typeOrdinary(step, i);

    const std::uint64_t action = m_random.below(1000);
    if (action < 30) {
        step.newWindow = true;
        step.typed.clear();
        m_abnormal.assign(m_inputs.size(), false);
        if (m_random.percent(50))
            typeAll(step);
    } else if (action < 330) {
        typeAll(step);
    } else if (action < 530) {
        const std::size_t n = 1 + m_random.below(3);
        for (std::size_t i = 0; i < n; ++i)
            typeOrdinary(step, anyInput());
    } else if (action < 560) {
        // nothing typed: the same click again
    } else if (action < 660) {
        const std::size_t n = 2 + m_random.below(3);
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t input = anyInput();
            type(step, input, anyText(m_inputs[input]), true);
        }
    } else if (action < 760) {
        const std::size_t input = anyInput();
        type(step, input, m_random.percent(60) ? magnitude() : edge(), true);
    } else if (action < 830) {
        const std::size_t input = anyInput();
        type(step, input, m_random.percent(75) ? tie() : zero(), true);
    } else if (action < 955) {
        const std::size_t input = anyInput();
        type(step, input, odd(), true);
        // Now and then the slip is seen and typed over before the click.
        if (m_random.percent(5))
            typeOrdinary(step, input);
    } else if (action < 958) {
        m_pastedInput = anyInput();
        type(step, m_pastedInput, paste(), true);
    } else {
        const std::size_t input = anyInput();
        type(step, input, reversed(m_inputs[input]), true);
    }
    return step;
}

} // namespace

std::vector<Step> generateSteps(Calculator calculator, std::uint64_t seed, std::size_t count)
{
    StepWriter writer(calculator, seed);
    std::vector<Step> steps;
    steps.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        steps.push_back(writer.next());
    return steps;
}
