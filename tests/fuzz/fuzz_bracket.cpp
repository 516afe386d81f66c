// Arbitrary texts in every input of the bracket window, then the verdicts.

#include "bracketcalculation.h"
#include "bracketfields.h"
#include "bracketverdicts.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace BracketField;
    static const FieldList inputs { bf1, bf2, t1, t2, ts, hw, F, e, hf };
    static const FieldList outputs(results.begin(), results.end());
    NumberFormat format;
    const auto [texts, fault]
        = runFuzzedCalculation(data, size, inputs, outputs, format, calculateBracket);
    if (!fault) {
        const BracketVerdicts verdicts = judgeBracket(texts, format);
        FUZZ_CHECK(!verdicts.fault && verdicts.met.size() == 6, "a complete check was not judged");
    }
    return 0;
}
