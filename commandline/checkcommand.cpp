#include "checkcommand.h"

#include "csvtable.h"

#include <algorithm>
#include <map>

namespace {

std::string lineAndColumn(std::size_t line, std::size_t column)
{
    return "line " + std::to_string(line)
        + (column ? ", column " + std::to_string(column) : std::string());
}

CommandOutput malformed(std::size_t line, std::size_t column, const std::string& what)
{
    return { 2, {}, lineAndColumn(line, column) + ": " + what };
}

} // namespace

CommandOutput checkTable(
    const CalculatorEntry& calculator, std::string_view csv, const FaultWords& faultWords)
{
    const CsvTable table = readCsv(csv);
    if (table.problem)
        return malformed(table.problem->line, table.problem->column, table.problem->what);
    if (table.records.empty())
        return malformed(1, 0, "no header naming the inputs");

    const FieldTable fields = calculator.fields();
    std::vector<const FieldFacts*> inputs, results;
    for (const FieldFacts& facts : fields) {
        if (facts.isStored())
            inputs.push_back(&facts);
        else if (facts.role == FieldRole::Result)
            results.push_back(&facts);
    }

    // The header: every column an input's id, each once.
    const CsvRecord& header = table.records.front();
    std::vector<const FieldFacts*> columns;
    for (std::size_t n = 0; n < header.fields.size(); ++n) {
        const std::string& id = header.fields[n];
        const auto named = std::find_if(
            inputs.begin(), inputs.end(), [&](const FieldFacts* facts) { return facts->id == id; });
        if (named == inputs.end()) {
            std::string known;
            for (const FieldFacts* facts : inputs)
                known += (known.empty() ? "" : ", ") + std::string(facts->id);
            return malformed(header.line, n + 1,
                "unknown column \"" + id + "\" (the inputs of " + std::string(calculator.id)
                    + " are " + known + ")");
        }
        if (std::find(columns.begin(), columns.end(), *named) != columns.end())
            return malformed(header.line, n + 1, "column \"" + id + "\" named twice");
        columns.push_back(*named);
    }
    for (std::size_t row = 1; row < table.records.size(); ++row) {
        const CsvRecord& record = table.records[row];
        if (record.fields.size() != columns.size())
            return malformed(record.line, std::min(record.fields.size(), columns.size()) + 1,
                std::to_string(record.fields.size()) + " fields where the header names "
                    + std::to_string(columns.size()));
    }

    std::vector<std::string> heading;
    for (const FieldFacts* facts : inputs)
        heading.emplace_back(facts->id);
    for (const FieldFacts* facts : results)
        heading.emplace_back(facts->id);
    const CheckTable checks = calculator.checks ? calculator.checks() : CheckTable {};
    for (const DesignCheck& check : checks)
        heading.emplace_back(check.caption);
    heading.emplace_back("fault");

    CommandOutput output;
    output.out = std::string(utf8ByteOrderMark) + csvRecord(heading);
    const NumberFormat format {};
    for (std::size_t row = 1; row < table.records.size(); ++row) {
        // A fresh window: every field at its design-time text, then the row's.
        FieldTexts texts = designTimeTexts(fields);
        for (std::size_t n = 0; n < columns.size(); ++n)
            texts.insert_or_assign(std::string(columns[n]->control), table.records[row].fields[n]);
        std::optional<Fault> fault = calculator.calculate(texts, format);
        std::vector<std::string> verdicts(checks.size());
        if (!fault && calculator.judge) {
            const Verdicts judged = calculator.judge(texts, format);
            for (std::size_t n = 0; n < judged.checks.size() && n < checks.size(); ++n)
                verdicts[n] = verdictText(checks[n], judged.checks[n].verdict);
            fault = judged.fault;
        }

        std::vector<std::string> line;
        for (const FieldFacts* facts : inputs)
            line.push_back(texts.at(std::string(facts->control)));
        for (const FieldFacts* facts : results)
            line.push_back(texts.at(std::string(facts->control)));
        line.insert(line.end(), verdicts.begin(), verdicts.end());
        std::string faultText;
        if (fault) {
            const FieldFacts* facts = findField(fields, fault->field);
            faultText = faultWords(*fault,
                facts && calculator.spokenName ? calculator.spokenName(*facts) : fault->field);
        }
        line.push_back(faultText);
        output.out += csvRecord(line);
    }
    return output;
}
