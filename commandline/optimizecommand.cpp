#include "optimizecommand.h"

#include "bracketfields.h"
#include "bracketsearch.h"
#include "bracketverdicts.h"
#include "csvtable.h"
#include "searchspace.h"

#include <algorithm>

namespace {

CommandOutput wrong(const std::string& why)
{
    return { 2, {}, why };
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

} // namespace

CommandOutput optimizeBracket(
    const std::vector<std::string>& arguments, const FaultWords& faultWords)
{
    const FieldTable fields = bracketFields();
    const NumberFormat format {};
    FieldTexts window = designTimeTexts(fields);
    std::vector<std::pair<std::string, std::string>> sizes; // id, as written

    for (const std::string& argument : arguments) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos || equals == 0)
            return wrong("\"" + argument + "\" is not id=value");
        const std::string id = argument.substr(0, equals), value = argument.substr(equals + 1);
        const auto named = std::find_if(fields.begin(), fields.end(), [&](const FieldFacts& facts) {
            return facts.id == id && (facts.role == FieldRole::Input || facts.choice);
        });
        if (named == fields.end())
            return wrong("\"" + id + "\" is no input of the bracket");
        BracketSearchSpace probe;
        if (sizesOf(probe, id))
            sizes.emplace_back(id, value);
        else
            window.insert_or_assign(std::string(named->control), value);
    }

    // The window's hw unless a size or range is given for it.
    BracketSearchSpace space = defaultBracketSearchSpace(window);
    for (const auto& [id, written] : sizes) {
        SizesRead read;
        if (written.find(':') != std::string::npos) {
            const std::size_t first = written.find(':'), second = written.find(':', first + 1);
            if (second == std::string::npos || written.find(':', second + 1) != std::string::npos)
                return wrong(id + "=" + written + ": a range is from:to:step");
            read = sizesInRange(written.substr(0, first),
                written.substr(first + 1, second - first - 1), written.substr(second + 1), format);
        } else {
            read = sizesInList(written, format);
        }
        if (read.sizes.empty())
            return wrong(id + "=" + written + ": " + read.problem);
        *sizesOf(space, id) = std::move(read.sizes);
    }
    if (const std::optional<std::string> problem = searchSpaceProblem(space))
        return wrong(*problem);

    const BracketSearch found = searchLightestBracket(window, space, format);
    if (found.refused)
        return wrong(*found.refused);
    if (found.fault) {
        const FieldFacts* facts = findField(fields, found.fault->field);
        return wrong(
            faultWords(*found.fault, facts ? bracketSpokenName(*facts) : found.fault->field));
    }
    CommandOutput output;
    output.out = std::string(utf8ByteOrderMark)
        + csvRecord({ "bf1", "bf2", "t1", "t2", "ts", "hw", "hf", "An", "governing", "ratio" });
    const CheckTable checks = bracketDesignChecks();
    for (const BracketCandidate& candidate : found.best) {
        std::vector<std::string> line(candidate.sizes.begin(), candidate.sizes.end());
        line.push_back(candidate.areaText);
        line.emplace_back(checks[candidate.governing].caption);
        line.push_back(candidate.ratioText);
        output.out += csvRecord(line);
    }
    if (found.best.empty()) {
        output.status = 1;
        output.error = "no section of the " + std::to_string(found.candidates)
            + " searched passes every check"
            + (found.mostFailed ? "; the row failed most often: "
                        + std::string(checks[*found.mostFailed].caption)
                                : std::string());
    }
    return output;
}
