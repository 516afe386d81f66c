#include "optimizecommand.h"

#include "bracketfields.h"
#include "bracketsearch.h"
#include "bracketverdicts.h"
#include "csvtable.h"
#include "searchspace.h"
#include "sectionchecks.h"
#include "sectionfields.h"
#include "sectionsearch.h"

#include <algorithm>

namespace {

CommandOutput wrong(const std::string& why)
{
    return { 2, {}, why };
}

// A reason that quotes what was typed, each quotation cut to a readable
// length.
std::string withShortQuotations(const std::string& why)
{
    constexpr std::string_view open = "“", close = "”";
    std::string shown;
    std::size_t at = 0;
    for (std::size_t start; (start = why.find(open, at)) != std::string::npos;) {
        const std::size_t end = why.find(close, start + open.size());
        if (end == std::string::npos)
            break;
        shown += why.substr(at, start + open.size() - at)
            + echoed(std::string_view(why).substr(start + open.size(), end - start - open.size()))
            + std::string(close);
        at = end + close.size();
    }
    return shown + why.substr(at);
}

// The member of the space an id's sizes go to, or nullptr for an input the
// search does not size.
std::vector<std::string>* sizesOf(BracketSearchSpace& space, std::string_view id)
{
    constexpr std::array<std::string_view, 7> ids { "bf1", "bf2", "t1", "t2", "ts", "hw", "hf" };
    std::vector<std::string>* members[]
        = { &space.bf1, &space.bf2, &space.t1, &space.t2, &space.ts, &space.hw, &space.hf };
    const auto found = std::find(ids.begin(), ids.end(), id);
    return found == ids.end() ? nullptr : members[found - ids.begin()];
}

// The detailing options by their ids, each 1 (on) or 0 (off).
bool* optionOf(BracketSearchSpace& space, std::string_view id)
{
    if (id == "flange-ge-web")
        return &space.flangesAtLeastWeb;
    if (id == "tension-outstand")
        return &space.tensionOutstand;
    if (id == "symmetric")
        return &space.symmetric;
    return nullptr;
}

// The sizes an id takes: a range "from:to:step" or a list "6,8,10"; empty
// with the reason in `problem` when they do not read.
SizesRead sizesWritten(const std::string& written, NumberFormat format)
{
    if (written.find(':') == std::string::npos)
        return sizesInList(written, format);
    const std::size_t first = written.find(':'), second = written.find(':', first + 1);
    if (second == std::string::npos || written.find(':', second + 1) != std::string::npos)
        return { {}, "范围写作 始值:终值:步长" };
    return sizesInRange(written.substr(0, first), written.substr(first + 1, second - first - 1),
        written.substr(second + 1), format);
}

// The header and records of the ten, and the status when none passes.
template <typename Candidate>
CommandOutput tenAsCsv(std::vector<std::string> header, const std::vector<Candidate>& best,
    const CheckTable& checks, std::size_t candidates, std::optional<std::size_t> mostFailed,
    std::string_view noneKept)
{
    CommandOutput output;
    output.out = std::string(utf8ByteOrderMark) + csvRecord(header);
    for (const Candidate& candidate : best) {
        std::vector<std::string> line(candidate.sizes.begin(), candidate.sizes.end());
        line.push_back(candidate.areaText);
        line.emplace_back(checks[candidate.governing].caption);
        line.push_back(candidate.ratioText);
        output.out += csvRecord(line);
    }
    if (best.empty()) {
        output.status = 1;
        output.error = "搜索的 " + std::to_string(candidates) + " 个截面中没有一个满足全部验算"
            + (candidates == 0 ? std::string(noneKept) : std::string())
            + (mostFailed ? "；最常不满足的一项：" + std::string(checks[*mostFailed].caption)
                          : std::string());
    }
    return output;
}

} // namespace

CommandOutput optimizeBracket(
    const std::vector<std::string>& arguments, const FaultWords& faultWords)
{
    const FieldTable fields = bracketFields();
    const NumberFormat format {};
    FieldTexts window = designTimeTexts(fields);
    std::vector<std::pair<std::string, std::string>> sizes; // id, as written
    BracketSearchSpace options; // the options given, the others as the dialog opens

    for (const std::string& argument : arguments) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos || equals == 0)
            return wrong("“" + echoed(argument) + "”不是 id=值 的形式");
        const std::string id = argument.substr(0, equals), value = argument.substr(equals + 1);
        if (bool* option = optionOf(options, id)) {
            if (value != "0" && value != "1")
                return wrong(id + "=" + echoed(value) + "：取值为 1（是）或 0（否）");
            *option = value == "1";
            continue;
        }
        const auto named = std::find_if(fields.begin(), fields.end(), [&](const FieldFacts& facts) {
            return facts.id == id && facts.isStored();
        });
        if (named == fields.end())
            return wrong("“" + echoed(id) + "”不是牛腿 bracket 的输入");
        BracketSearchSpace probe;
        if (sizesOf(probe, id))
            sizes.emplace_back(id, value);
        else
            window.insert_or_assign(std::string(named->control), value);
    }

    // The window's hw unless a size or range is given for it.
    BracketSearchSpace space = defaultBracketSearchSpace(window);
    space.flangesAtLeastWeb = options.flangesAtLeastWeb;
    space.tensionOutstand = options.tensionOutstand;
    space.symmetric = options.symmetric;
    for (const auto& [id, written] : sizes) {
        SizesRead read = sizesWritten(written, format);
        if (read.sizes.empty())
            return wrong(id + "=" + echoed(written) + "：" + withShortQuotations(read.problem));
        *sizesOf(space, id) = std::move(read.sizes);
    }
    if (const std::optional<std::string> problem = searchSpaceProblem(space))
        return wrong(withShortQuotations(*problem));

    const BracketSearch found = searchLightestBracket(window, space, format);
    if (found.refused)
        return wrong(*found.refused);
    if (found.fault) {
        const FieldFacts* facts = findField(fields, found.fault->field);
        return wrong(withShortQuotations(
            faultWords(*found.fault, facts ? bracketSpokenName(*facts) : found.fault->field)));
    }
    return tenAsCsv({ "bf1", "bf2", "t1", "t2", "ts", "hw", "hf", "An", "governing", "ratio" },
        found.best, bracketDesignChecks(), found.candidates, found.mostFailed,
        "（构造选项排除了搜索范围内的全部截面）");
}

CommandOutput optimizeSection(
    const std::vector<std::string>& arguments, const FaultWords& faultWords)
{
    const FieldTable fields = sectionFields();
    const NumberFormat format {};
    FieldTexts window = designTimeTexts(fields);
    SectionSearchSpace space = defaultSectionSearchSpace();
    const auto sizesOfId = [&](std::string_view id) -> std::vector<std::string>* {
        return id == "B" ? &space.B
            : id == "H"  ? &space.H
            : id == "tw" ? &space.tw
            : id == "t"  ? &space.t
                         : nullptr;
    };
    for (const std::string& argument : arguments) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos || equals == 0)
            return wrong("“" + echoed(argument) + "”不是 id=值 的形式");
        const std::string id = argument.substr(0, equals), value = argument.substr(equals + 1);
        const auto named = std::find_if(fields.begin(), fields.end(), [&](const FieldFacts& facts) {
            return facts.id == id && facts.isStored();
        });
        if (named == fields.end())
            return wrong("“" + echoed(id) + "”不是工字型截面 section 的输入");
        if (std::vector<std::string>* sizes = sizesOfId(id)) {
            SizesRead read = sizesWritten(value, format);
            if (read.sizes.empty())
                return wrong(id + "=" + echoed(value) + "：" + withShortQuotations(read.problem));
            *sizes = std::move(read.sizes);
        } else {
            window.insert_or_assign(std::string(named->control), value);
        }
    }
    if (const std::optional<std::string> problem = sectionSearchSpaceProblem(space))
        return wrong(withShortQuotations(*problem));

    const SectionSearch found = searchLightestSection(window, space, format);
    if (found.refused)
        return wrong(*found.refused);
    if (found.fault) {
        const FieldFacts* facts = findField(fields, found.fault->field);
        return wrong(withShortQuotations(
            faultWords(*found.fault, facts ? sectionSpokenName(*facts) : found.fault->field)));
    }
    return tenAsCsv({ "B", "H", "tw", "t", "A", "governing", "ratio" }, found.best,
        sectionChecks(), found.candidates, found.mostFailed, "");
}
