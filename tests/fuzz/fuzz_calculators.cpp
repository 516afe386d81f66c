// Arbitrary texts in every input of a calculator's window, then its design
// checks, for each calculator of the registry. The first byte picks the
// calculator (its upper bits) and the decimal separator (its lowest bit): a
// seed written for calculator k begins with 2k or 2k + 1, and stays that
// calculator's as others are added.

#include "calculators.h"
#include "fuzzinput.h"

#include <algorithm>
#include <vector>

namespace {

struct Target {
    FieldList inputs;
    FieldList outputs; // in the order the steps write them
    std::size_t checks = 0; // the verdicts a complete calculation is judged on
};

// What each calculator's table says, and how many checks its design-time
// texts are judged on: every complete calculation is judged on as many.
std::vector<Target> targets()
{
    std::vector<Target> all;
    for (const CalculatorEntry& entry : calculators()) {
        const FieldTable table = entry.fields();
        Target target { fieldsWith(table, FieldRole::Input), fieldsWith(table, FieldRole::Result) };
        if (entry.judge) {
            const NumberFormat point { U'.' };
            FieldTexts texts = designTimeTexts(table);
            FUZZ_CHECK(!entry.calculate(texts, point), "the design-time texts do not calculate");
            const Verdicts verdicts = entry.judge(texts, point);
            FUZZ_CHECK(!verdicts.fault && !verdicts.checks.empty(),
                "the design-time texts are not judged");
            target.checks = verdicts.checks.size();
        }
        all.push_back(std::move(target));
    }
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<Target> all = targets();
    const std::size_t pick = (size > 0 ? data[0] >> 1 : 0) % all.size();
    const CalculatorEntry& entry = calculators()[pick];
    const Target& target = all[pick];
    NumberFormat format;
    const auto [texts, fault]
        = runFuzzedCalculation(data, size, target.inputs, target.outputs, format, entry.calculate);
    if (!fault && entry.judge) {
        const Verdicts verdicts = entry.judge(texts, format);
        // The checks may read inputs the calculation does not (the bracket's
        // stiffener and column): a text there that is no number stops them,
        // and nothing else may.
        const bool unreadInput = verdicts.fault
            && (verdicts.fault->kind == FaultKind::NotANumber
                || verdicts.fault->kind == FaultKind::OutOfRange)
            && std::find(target.inputs.begin(), target.inputs.end(), verdicts.fault->field)
                != target.inputs.end();
        FUZZ_CHECK(unreadInput || (!verdicts.fault && verdicts.checks.size() == target.checks),
            "a complete calculation was not judged on every check");
    }
    return 0;
}
