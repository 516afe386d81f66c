// One whole calculation on the design-time inputs, texts in and texts out,
// as a click of "确定输入" runs it.

#include "bracketcalculation.h"
#include "bracketverdicts.h"
#include "sectioncalculation.h"

#include <benchmark/benchmark.h>

namespace {

const NumberFormat point { U'.' };

void sectionOnDefaults(benchmark::State& state)
{
    const FieldTexts inputs { { "Text1", "400" }, { "Text2", "300" }, { "Text3", "6" },
        { "Text4", "8" }, { "Text12", "150" }, { "Text13", "118" }, { "Text16", "10000" },
        { "Text20", "1" } };
    for (auto _ : state) {
        FieldTexts fields = inputs;
        benchmark::DoNotOptimize(calculateSection(fields, point));
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(sectionOnDefaults);

void bracketOnDefaults(benchmark::State& state)
{
    const FieldTexts inputs { { "Text1", "200" }, { "Text2", "200" }, { "Text3", "12" },
        { "Text4", "12" }, { "Text5", "10" }, { "Text6", "500" }, { "Text7", "400" },
        { "Text8", ".45" }, { "Text12", "10" } };
    for (auto _ : state) {
        FieldTexts fields = inputs;
        benchmark::DoNotOptimize(calculateBracket(fields, point));
        benchmark::DoNotOptimize(judgeBracket(fields, point));
    }
}
BENCHMARK(bracketOnDefaults);

} // namespace

BENCHMARK_MAIN();
