#include "fieldfacts.h"

#include <algorithm>

const FieldFacts* findField(FieldTable table, FieldName control)
{
    const auto found = std::find_if(table.begin(), table.end(),
        [&](const FieldFacts& facts) { return facts.control == control; });
    return found == table.end() ? nullptr : &*found;
}

std::vector<FieldName> fieldsWith(FieldTable table, FieldRole role)
{
    std::vector<FieldName> controls;
    for (const FieldFacts& facts : table)
        if (facts.role == role)
            controls.push_back(facts.control);
    return controls;
}

FieldTexts designTimeTexts(FieldTable table, FieldControls controls)
{
    FieldTexts texts;
    for (const FieldFacts& facts : table)
        if (controls == FieldControls::All || !facts.choice)
            texts.insert_or_assign(std::string(facts.control), std::string(facts.designText));
    return texts;
}

std::string typedUnit(std::string_view printed)
{
    static constexpr std::pair<std::string_view, std::string_view> typed[] { { "·", "." },
        { "²", "2" }, { "³", "3" }, { "⁴", "4" } };
    std::string unit(printed);
    for (const auto& [from, to] : typed)
        for (std::size_t at = unit.find(from); at != std::string::npos; at = unit.find(from, at))
            unit.replace(at, from.size(), to);
    return unit;
}

std::string captionOnOneLine(std::string_view caption)
{
    std::string line;
    bool blank = false;
    for (const char c : caption) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t')
            blank = !line.empty();
        else {
            if (blank)
                line += ' ';
            line += c;
            blank = false;
        }
    }
    return line;
}
