#include "checkcommand.h"

#include "csvtable.h"
#include "orderedbatches.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Rows clicked by one thread at a time: enough to keep a thread busy for a
// few milliseconds, few enough that the first row goes out at once.
constexpr std::size_t batchRows = 256;

std::string place(std::size_t line, std::size_t column, std::string_view unit = "列")
{
    return "第 " + std::to_string(line) + " 行"
        + (column ? "第 " + std::to_string(column) + " " + std::string(unit) : std::string())
        + "：";
}

// What the table's columns are and how each output row is made.
class RowChecker {
public:
    RowChecker(const CalculatorEntry& calculator, const FaultWords& faultWords)
        : m_calculator(calculator)
        , m_fields(calculator.fields())
        , m_checks(calculator.checks ? calculator.checks() : CheckTable {})
        , m_faultWords(faultWords)
        , m_designTexts(designTimeTexts(m_fields))
    {
        for (const FieldFacts& facts : m_fields) {
            if (facts.isStored())
                m_inputs.push_back(&facts);
            else if (facts.role == FieldRole::Result)
                m_results.push_back(&facts);
        }
    }

    // The columns the header names; an error text where it is not a header.
    std::string readHeader(const CsvRecord& header)
    {
        for (std::size_t n = 0; n < header.fields.size(); ++n) {
            const std::string& id = header.fields[n];
            const auto named = std::find_if(m_inputs.begin(), m_inputs.end(),
                [&](const FieldFacts* facts) { return facts->id == id; });
            if (named == m_inputs.end()) {
                std::string known;
                for (const FieldFacts* facts : m_inputs)
                    known += (known.empty() ? "" : ", ") + std::string(facts->id);
                return place(header.line, n + 1) + "未知的列“" + echoed(id) + "”（"
                    + std::string(m_calculator.id) + " 的输入为 " + known + "）";
            }
            const std::string control(named[0]->control);
            if (std::find(m_columns.begin(), m_columns.end(), control) != m_columns.end())
                return place(header.line, n + 1) + "列“" + echoed(id) + "”出现了两次";
            m_columns.push_back(control);
        }
        return {};
    }

    std::size_t columns() const { return m_columns.size(); }

    std::vector<std::string> heading() const
    {
        std::vector<std::string> heading;
        for (const FieldFacts* facts : m_inputs)
            heading.emplace_back(facts->id);
        for (const FieldFacts* facts : m_results)
            heading.emplace_back(facts->id);
        for (const DesignCheck& check : m_checks)
            heading.emplace_back(check.caption);
        heading.emplace_back("fault");
        heading.emplace_back("notes");
        return heading;
    }

    // The texts of one window, kept by a batch of rows: each row starts
    // from the design-time texts without a map of its own.
    struct Window {
        FieldTexts texts;
        std::string notes;
        // Where each column's, input's and result's text is in `texts`: a
        // map's nodes stay in place.
        std::vector<FieldTexts::iterator> columns, inputs, results;
    };

    // A fresh window: every field at its design-time text, then the row's,
    // and a click.
    void appendRow(const CsvRecord& record, Window& window, std::string& out) const
    {
        if (record.fields.empty()) {
            out += "\r\n";
            return;
        }
        FieldTexts& texts = window.texts;
        if (texts.size() == m_designTexts.size()) {
            auto design = m_designTexts.begin();
            for (auto& [control, text] : texts)
                text.assign((design++)->second);
        } else {
            texts = m_designTexts;
            const auto at = [&](std::string_view control) { return texts.find(control); };
            window.columns.clear(), window.inputs.clear(), window.results.clear();
            for (const std::string& control : m_columns)
                window.columns.push_back(at(control));
            for (const FieldFacts* facts : m_inputs)
                window.inputs.push_back(at(facts->control));
            for (const FieldFacts* facts : m_results)
                window.results.push_back(at(facts->control));
        }
        for (std::size_t n = 0; n < m_columns.size(); ++n)
            window.columns[n]->second = record.fields[n];
        // A value a closed choice does not offer could not stand in the
        // window: the row is not clicked, and says which value it is.
        std::optional<std::string> refusedChoice;
        for (std::size_t n = 0; n < m_inputs.size() && !refusedChoice; ++n)
            refusedChoice
                = choiceProblem(*m_inputs[n], m_inputs[n]->name, window.inputs[n]->second);
        const NumberFormat format {};
        std::optional<Fault> fault;
        if (!refusedChoice)
            fault = m_calculator.calculate(texts, format);

        auto field = [&, first = true](std::string_view text) mutable {
            if (!first)
                out += ',';
            first = false;
            appendCsvField(out, text);
        };
        for (const auto input : window.inputs)
            field(input->second);
        for (const auto result : window.results)
            field(result->second);
        window.notes.clear();
        if (!fault && !refusedChoice && m_calculator.judge) {
            const Verdicts judged = m_calculator.judge(texts, format);
            for (std::size_t n = 0; n < m_checks.size(); ++n)
                field(n < judged.checks.size() ? verdictText(m_checks[n], judged.checks[n])
                                               : std::string_view());
            fault = judged.fault;
            // The verdict window shows the notes of a judgement that ran through.
            if (!fault)
                for (const std::string& note : judged.notes)
                    window.notes
                        += (window.notes.empty() || window.notes.ends_with("。") ? "" : "；")
                        + note;
        } else {
            for (std::size_t n = 0; n < m_checks.size(); ++n)
                field({});
        }
        if (refusedChoice) {
            field(*refusedChoice);
        } else if (fault) {
            const FieldFacts* facts = findField(m_fields, fault->field);
            field(m_faultWords(*fault,
                facts && m_calculator.spokenName ? m_calculator.spokenName(*facts) : fault->field));
        } else {
            field({});
        }
        field(window.notes);
        out += "\r\n";
    }

private:
    const CalculatorEntry& m_calculator;
    FieldTable m_fields;
    CheckTable m_checks;
    const FaultWords& m_faultWords;
    FieldTexts m_designTexts;
    std::vector<const FieldFacts*> m_inputs, m_results;
    std::vector<std::string> m_columns; // the control of each column of the table
};

} // namespace

std::string echoed(std::string_view text, std::size_t most)
{
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if ((byte & 0xC0) != 0x80 && ++characters > most)
            return shown + "…";
        shown += byte < 0x20 || byte == 0x7F ? '?' : char(byte);
    }
    return shown;
}

CheckRun checkTable(const CalculatorEntry& calculator, const ReadBytes& read,
    const WriteBytes& write, const FaultWords& faultWords, unsigned threads)
{
    RowChecker checker(calculator, faultWords);
    TableText text(read);
    CsvParser parser;
    bool headed = false;
    std::size_t blanksBefore = 0; // blank lines before the header
    OrderedBatches batches(
        threads,
        [&](const std::vector<CsvRecord>& records, std::string& out) {
            RowChecker::Window window;
            for (const CsvRecord& record : records)
                checker.appendRow(record, window, out);
        },
        write);
    std::vector<CsvRecord> batch, records;
    std::string piece;
    // Where the table stops: the rows before are written first.
    const auto stop = [&](CheckRun::Outcome outcome, std::string error) {
        if (!batch.empty())
            batches.add(std::move(batch));
        const bool written = batches.finish();
        return written || outcome == CheckRun::TableWrong ? CheckRun { outcome, std::move(error) }
                                                          : CheckRun { CheckRun::WriteFailed, {} };
    };

    for (;;) {
        const TableText::Piece got = text.next(piece);
        if (got == TableText::Piece::Text)
            parser.feed(piece, records);
        else if (got == TableText::Piece::End)
            parser.finish(records);
        for (CsvRecord& record : records) {
            if (!headed) {
                if (record.fields.empty()) {
                    ++blanksBefore;
                    continue;
                }
                if (std::string wrong = checker.readHeader(record); !wrong.empty())
                    return stop(CheckRun::TableWrong, std::move(wrong));
                std::string heading(utf8ByteOrderMark);
                for (; blanksBefore > 0; --blanksBefore)
                    heading += "\r\n";
                appendCsvRecord(heading, checker.heading());
                if (!write(heading))
                    return stop(CheckRun::WriteFailed, {});
                headed = true;
                continue;
            }
            if (!record.fields.empty() && record.fields.size() != checker.columns())
                return stop(CheckRun::TableWrong,
                    place(record.line, std::min(record.fields.size(), checker.columns()) + 1)
                        + "这一行有 " + std::to_string(record.fields.size()) + " 个字段，表头有 "
                        + std::to_string(checker.columns()) + " 个");
            batch.push_back(std::move(record));
            if (batch.size() == batchRows && !batches.add(std::exchange(batch, {})))
                return stop(CheckRun::WriteFailed, {});
        }
        records.clear();
        if (const auto& problem = parser.problem())
            return stop(
                CheckRun::TableWrong, place(problem->line, problem->column) + problem->what);
        if (got == TableText::Piece::Problem) {
            const TextProblem& problem = *text.problem();
            return stop(
                CheckRun::TableWrong, place(problem.line, problem.byte, "字节") + problem.what);
        }
        if (got == TableText::Piece::ReadFailed)
            return stop(CheckRun::ReadFailed, {});
        if (got == TableText::Piece::End)
            break;
        // What has been read goes on before the next read may wait.
        if (!batch.empty() && !batches.add(std::exchange(batch, {})))
            return stop(CheckRun::WriteFailed, {});
    }
    if (!headed)
        return stop(CheckRun::TableWrong, place(1, 0) + "没有列出输入的表头");
    return stop(CheckRun::Done, {});
}

CommandOutput checkTable(const CalculatorEntry& calculator, std::string_view csv,
    const FaultWords& faultWords, unsigned threads)
{
    std::size_t at = 0;
    const ReadBytes read = [&](char* into, std::size_t most) -> std::optional<std::size_t> {
        const std::size_t size = std::min(most, csv.size() - at);
        std::memcpy(into, csv.data() + at, size);
        at += size;
        return size;
    };
    CommandOutput output;
    const CheckRun run = checkTable(
        calculator, read,
        [&](std::string_view bytes) {
            output.out.append(bytes);
            return true;
        },
        faultWords, threads);
    output.status = run.outcome == CheckRun::Done ? 0 : 2;
    output.error = run.error;
    return output;
}
