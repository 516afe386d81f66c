// One whole calculation of each calculator on its design-time texts, texts in
// and texts out, as a click of "确定输入" runs it, with its design checks.

#include "calculators.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const NumberFormat point { U'.' };

void clickOnDefaults(benchmark::State& state, const CalculatorEntry* calculator)
{
    const FieldTexts opened = designTimeTexts(calculator->fields());
    for (auto _ : state) {
        FieldTexts fields = opened;
        benchmark::DoNotOptimize(calculator->calculate(fields, point));
        if (calculator->judge)
            benchmark::DoNotOptimize(calculator->judge(fields, point));
        benchmark::DoNotOptimize(fields);
    }
}

} // namespace

int main(int argc, char** argv)
{
    for (const CalculatorEntry& calculator : calculators())
        benchmark::RegisterBenchmark(
            (std::string(calculator.id) + "OnDefaults").c_str(), clickOnDefaults, &calculator);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
