// stelvana_vectors: drives every calculator from a file of steps and writes
// every field text, the fault and the verdicts of each step, so that builds on
// different compilers, libraries and processors can be compared byte for byte.
//
//   stelvana_vectors generate --calculator section|bracket --seed N --steps N OUT
//   stelvana_vectors run IN OUT [IN OUT ...]
//   stelvana_vectors calculators        the calculators' ids, one a line
//
// Files are read and written in binary mode: the same bytes on every system.

#include "click.h"
#include "generator.h"
#include "steptext.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int usageError = 2;

void usage()
{
    std::cerr << "usage: stelvana_vectors generate --calculator " << calculatorIds("|")
              << " --seed N --steps N OUT\n"
                 "       stelvana_vectors run IN OUT [IN OUT ...]\n"
                 "       stelvana_vectors calculators\n";
}

bool readFile(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), std::streamsize(content.size()));
    out.close();
    return bool(out);
}

void appendFault(std::string& out, const FaultSeen& fault)
{
    out += "fault ";
    out += fault.field;
    out += ' ';
    out += fault.kind;
    out += " text=";
    out += escapeText(fault.text);
}

void appendRecord(std::string& out, std::size_t number, const Step& step, const WindowTexts& texts,
    const ClickOutcome& outcome)
{
    out += "step " + std::to_string(number) + ' ';
    out += calculatorName(step.calculator);
    out += ' ';
    out += escapeText(utf8Of(step.separator));
    out += '\n';

    std::vector<std::string> names;
    for (const auto& entry : texts)
        names.push_back(entry.first);
    std::sort(names.begin(), names.end(), controlOrder);
    for (const std::string& name : names) {
        out += name;
        out += '=';
        out += escapeText(texts.at(name));
        out += '\n';
    }

    if (outcome.fault)
        appendFault(out, *outcome.fault);
    else
        out += "fault none";
    out += '\n';
    if (outcome.verdicts) {
        out += "verdicts ";
        // 1 met, 0 not met, - not judged, n not applicable
        for (const Verdict verdict : *outcome.verdicts)
            out += verdict == Verdict::Met      ? '1'
                : verdict == Verdict::NotMet    ? '0'
                : verdict == Verdict::NotJudged ? '-'
                                                : 'n';
        if (outcome.verdictFault) {
            out += ' ';
            appendFault(out, *outcome.verdictFault);
        }
        out += '\n';
    }
}

// Runs the steps of one file; false with a message on a malformed line.
bool runSteps(const std::string& in, const std::string& outPath)
{
    std::string content;
    if (!readFile(in, content)) {
        std::cerr << in << ": cannot read\n";
        return false;
    }
    // Each window keeps its texts from click to click, results included.
    std::map<Calculator, WindowTexts> windows;
    std::string out;
    out.reserve(content.size() * 8);
    std::size_t lineNumber = 0;
    std::size_t stepNumber = 0;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string_view line(content.data() + start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') // a file checked out with Windows line ends
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;

        const StepParse parsed = parseStep(line);
        if (!parsed.step) {
            std::cerr << in << ':' << lineNumber << ": " << parsed.error << '\n';
            return false;
        }
        const Step& step = *parsed.step;
        auto window = windows.find(step.calculator);
        if (window == windows.end())
            window = windows.emplace(step.calculator, windowAsOpened(step.calculator)).first;
        else if (step.newWindow)
            window->second = windowAsOpened(step.calculator);
        WindowTexts& texts = window->second;
        for (const auto& [field, text] : step.typed) {
            if (!texts.contains(field)) {
                std::cerr << in << ':' << lineNumber << ": the window has no field " << field
                          << '\n';
                return false;
            }
            texts[field] = text;
        }
        const ClickOutcome outcome = click(step.calculator, texts, step.separator);
        appendRecord(out, ++stepNumber, step, texts, outcome);
    }
    if (!writeFile(outPath, out)) {
        std::cerr << outPath << ": cannot write\n";
        return false;
    }
    return true;
}

bool readCount(std::string_view text, std::uint64_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

int generate(const std::vector<std::string_view>& args)
{
    Calculator calculator = nullptr;
    std::uint64_t seed = 0;
    std::uint64_t steps = 0;
    std::string outPath;
    bool seedGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--calculator" && hasValue) {
            calculator = findCalculator(args[++i]);
        } else if (arg == "--seed" && hasValue) {
            seedGiven = readCount(args[++i], seed);
        } else if (arg == "--steps" && hasValue) {
            if (!readCount(args[++i], steps))
                steps = 0;
        } else if (outPath.empty() && !arg.starts_with("--")) {
            outPath = arg;
        } else {
            usage();
            return usageError;
        }
    }
    if (!calculator || !seedGiven || steps == 0 || outPath.empty()) {
        usage();
        return usageError;
    }

    std::string out = "# Stelvana steps: ";
    out += calculatorName(calculator);
    out += ", seed " + std::to_string(seed) + ", " + std::to_string(steps) + " steps\n";
    for (const Step& step : generateSteps(calculator, seed, std::size_t(steps))) {
        out += formatStep(step);
        out += '\n';
    }
    if (!writeFile(outPath, out)) {
        std::cerr << outPath << ": cannot write\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "calculators") {
        std::cout << calculatorIds("\n") << '\n';
        return 0;
    }
    if (!args.empty() && args[0] == "generate")
        return generate({ args.begin() + 1, args.end() });
    if (args.size() >= 3 && args[0] == "run" && args.size() % 2 == 1) {
        for (std::size_t i = 1; i < args.size(); i += 2)
            if (!runSteps(std::string(args[i]), std::string(args[i + 1])))
                return 1;
        return 0;
    }
    usage();
    return usageError;
}
