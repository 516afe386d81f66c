// The lightest bracket over the default search space: the window's own load
// and a short heavy one on a bearing stiffener sized for it, on one thread
// and on two; and the lightest welded I-section over its default space for a
// 6 m Q345 member.

#include "bracketfields.h"
#include "bracketsearch.h"
#include "sectionfields.h"
#include "sectionsearch.h"

#include <benchmark/benchmark.h>

namespace {

void lightestBracket(
    benchmark::State& state, const char* F, const char* e, const char* bs, const char* tst)
{
    FieldTexts window = designTimeTexts(bracketFields());
    window[std::string(BracketField::F)] = F;
    window[std::string(BracketField::e)] = e;
    window[std::string(BracketField::bs)] = bs;
    window[std::string(BracketField::tst)] = tst;
    const BracketSearchSpace space = defaultBracketSearchSpace(window);
    const BracketSearchControl control { .threads = unsigned(state.range(0)) };
    BracketSearch search;
    for (auto _ : state) {
        search = searchLightestBracket(window, space, NumberFormat {}, control);
        benchmark::DoNotOptimize(search.best.data());
    }
    // Sections of the space settled per second, by the screen or a click.
    state.counters["sections/s"] = benchmark::Counter(
        double(search.candidates), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["clicked"] = double(search.clicked);
    state.counters["clicks/s"]
        = benchmark::Counter(double(search.clicked), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["found"] = double(search.best.size());
}

void lightestSection(
    benchmark::State& state, const char* N, const char* M, const char* L, const char* grade)
{
    FieldTexts window = designTimeTexts(sectionFields());
    window[std::string(SectionField::N)] = N;
    window[std::string(SectionField::M)] = M;
    window[std::string(SectionField::L)] = L;
    window[std::string(SectionField::steelGrade)] = grade;
    const SectionSearchSpace space = defaultSectionSearchSpace();
    const SearchControl control { .threads = unsigned(state.range(0)) };
    SectionSearch search;
    for (auto _ : state) {
        search = searchLightestSection(window, space, NumberFormat {}, control);
        benchmark::DoNotOptimize(search.best.data());
    }
    state.counters["sections/s"] = benchmark::Counter(
        double(search.candidates), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["clicked"] = double(search.clicked);
    state.counters["found"] = double(search.best.size());
}

} // namespace

BENCHMARK_CAPTURE(lightestSection, N1500_M300_L6000_Q345, "1500", "300", "6000", "Q345B")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(lightestBracket, defaults, "400", ".45", "95", "10")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(lightestBracket, F1050_e0_08, "1050", "0.08", "140", "16")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
