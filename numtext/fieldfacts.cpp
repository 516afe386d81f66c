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
        if (controls == FieldControls::All || !facts.isChoice())
            texts.insert_or_assign(std::string(facts.control), std::string(facts.designText));
    return texts;
}

std::optional<std::string> choiceProblem(
    const FieldFacts& facts, std::string_view name, std::string_view value)
{
    if (!facts.isChoice() || facts.open
        || std::find(facts.choices.begin(), facts.choices.end(), value) != facts.choices.end())
        return std::nullopt;
    std::string offered;
    for (const std::string_view choice : facts.choices)
        offered += (offered.empty() ? "" : "、") + std::string(choice);
    return "“" + std::string(value) + "”不是" + std::string(name) + "的可选值（" + offered + "）";
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
