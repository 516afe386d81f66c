// Arbitrary bytes as a design file: the reader either refuses them with a
// reason or returns a design that holds every calculator, no text over the
// limit, and writes and reads back to the same design.

#include "calculators.h"
#include "designfile.h"
#include "fuzzinput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const DesignReading read = parseDesign(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), calculators());
    if (!read.design) {
        FUZZ_CHECK(!read.problem.isEmpty(), "a refused file says why");
        return 0;
    }
    FUZZ_CHECK(read.problem.isEmpty(), "an accepted file has no problem");
    const Design& design = *read.design;
    const Design empty = designTimeDesign(calculators());
    FUZZ_CHECK(design.calculators.keys() == empty.calculators.keys(), "every calculator, no other");
    for (const CalculatorDesign& calculator : design.calculators) {
        FUZZ_CHECK(calculator.trials.size() <= maxTrials, "at most 200 trials");
        for (const QString& text : calculator.inputs)
            FUZZ_CHECK(text.size() <= maxDesignText, "an input within the limit");
        for (const QString& text : calculator.titleBlock)
            FUZZ_CHECK(text.size() <= maxDesignText, "a title block text within the limit");
    }
    const DesignReading again = parseDesign(designBytes(design), calculators());
    FUZZ_CHECK(again.design && *again.design == design, "written and read back the same");
    return 0;
}
