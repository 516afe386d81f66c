#include "searchspace.h"

#include "format.h"
#include "parse.h"
#include "utf8.h"

#include <algorithm>
#include <cmath>

namespace {

// A size as the calculation will read it: a Single, above zero.
bool readsAsSize(const std::string& text, NumberFormat format)
{
    const Parsed<float> read = parseSingle(text, format);
    return read && read.value > 0 && std::isfinite(read.value);
}

std::string quoted(std::string_view text)
{
    return "“" + std::string(text) + "”";
}

// Each size once, as it was first written: "6" and "6.0" are one plate to
// the calculation, so the space counts and lists its sections once.
SizesRead once(SizesRead read, NumberFormat format)
{
    std::vector<float> seen;
    std::vector<std::string> sizes;
    for (std::string& size : read.sizes) {
        const float value = parseSingle(size, format).value;
        if (std::find(seen.begin(), seen.end(), value) == seen.end()) {
            seen.push_back(value);
            sizes.push_back(std::move(size));
        }
    }
    read.sizes = std::move(sizes);
    return read;
}

} // namespace

SizesRead sizesInRange(
    std::string_view from, std::string_view to, std::string_view step, NumberFormat format)
{
    const Parsed<double> first = parseDouble(std::string(from), format);
    const Parsed<double> last = parseDouble(std::string(to), format);
    const Parsed<double> by = parseDouble(std::string(step), format);
    for (const auto& [read, text] : { std::pair(first, from), std::pair(last, to) })
        if (!read || !(read.value > 0) || !std::isfinite(read.value))
            return { {}, quoted(text) + "不是大于零的尺寸。" };
    if (!(last.value >= first.value))
        return { {}, "范围的终值" + quoted(to) + "小于始值" + quoted(from) + "。" };
    if (!by || !(by.value > 0) || !std::isfinite(by.value))
        return { {}, "步长" + quoted(step) + "不是大于零的数。" };
    // The count of steps, with a millionth of a step to spare for the
    // rounding of decimal steps.
    const double steps = std::floor(((last.value - first.value) / by.value) + 1e-6);
    if (steps >= 10000)
        return { {}, "范围内的尺寸多于一万个。" };
    SizesRead read;
    for (double n = 0; n <= steps; ++n)
        read.sizes.push_back(generalText(first.value + (n * by.value), format));
    for (const std::string& size : read.sizes)
        if (!readsAsSize(size, format))
            return { {}, quoted(size) + "不是可计算的尺寸。" };
    return once(std::move(read), format);
}

SizesRead sizesInList(std::string_view list, NumberFormat format)
{
    SizesRead read;
    std::string size;
    const auto close = [&] {
        if (!size.empty())
            read.sizes.push_back(size);
        size.clear();
    };
    for (const char32_t c : decodeUtf8(list)) {
        const bool comma = (c == U',' && format.decimalSeparator != U',') || c == U'，';
        if (comma || c == U'、' || c == U';' || c == U'；' || c == U' ' || c == U'\t'
            || c == U'\u3000')
            close();
        else
            size += encodeUtf8(c);
    }
    close();
    if (read.sizes.empty())
        return { {}, "没有尺寸。" };
    for (const std::string& text : read.sizes)
        if (!readsAsSize(text, format))
            return { {}, quoted(text) + "不是大于零的尺寸。" };
    return once(std::move(read), format);
}

std::optional<std::string> searchSpaceProblem(const BracketSearchSpace& space)
{
    const std::vector<std::string>* lists[]
        = { &space.bf1, &space.bf2, &space.t1, &space.t2, &space.ts, &space.hw, &space.hf };
    for (const std::vector<std::string>* list : lists)
        if (list->empty())
            return "有一项尺寸没有取值。";
    // The product, stopped before it could overflow.
    std::size_t sections = 1;
    for (const std::vector<std::string>* list : lists)
        sections = sections > largestSearch ? sections : sections * list->size();
    if (sections > largestSearch)
        return "搜索范围的截面多于 " + std::to_string(largestSearch / 10000)
            + " 万个：请缩小范围或加大步长。";
    return std::nullopt;
}
