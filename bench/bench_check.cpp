// `stelvana check bracket` over a table of 200 000 brackets, on one thread
// and on two: read in pieces as from a file, every row clicked and judged,
// the output taken as a pipe would take it. Peak memory is the process's;
// run one thread count at a time (--benchmark_filter=/1/) to see each alone.

#include "calculators.h"
#include "checkcommand.h"
#include "terminalcommands.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#ifdef __unix__
#include <sys/resource.h>
#endif

namespace {

constexpr int rows = 200000;

// Brackets of every kind the window sees: sizes across the default search
// space, loads short and long, the usual grades, and a typing slip in one
// row of a thousand.
std::string bracketTable()
{
    std::string table = "bf1,bf2,t1,t2,ts,hw,F,e,steelGrade,hf\n";
    std::uint32_t state = 12345;
    const auto pick = [&](std::uint32_t count) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % count;
    };
    constexpr const char* plates[] = { "8", "10", "12", "14", "16", "20" };
    constexpr const char* eccentricities[] = { "0.08", ".45", "0.3" };
    constexpr const char* grades[] = { "Q235B", "Q345B", "Q355" };
    for (int row = 0; row < rows; ++row) {
        table += std::to_string(150 + 10 * pick(26)) + ',' + std::to_string(150 + 10 * pick(26))
            + ',' + plates[pick(6)] + ',' + plates[pick(6)] + ',' + plates[pick(4)] + ','
            + std::to_string(300 + 50 * pick(11)) + ','
            + (row % 1000 == 999 ? std::string("四百") : std::to_string(200 + 50 * pick(21))) + ','
            + eccentricities[pick(3)] + ',' + grades[pick(3)] + ','
            + std::to_string(6 + 2 * pick(4)) + '\n';
    }
    return table;
}

double peakMegabytes()
{
#ifdef __unix__
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
#else
    return 0;
#endif
}

void checkBrackets(benchmark::State& state)
{
    static const std::string table = bracketTable();
    const CalculatorEntry& bracket = *findCalculator("bracket");
    std::size_t bytes = 0;
    std::uint32_t hash = 2166136261u; // FNV-1a of the output: the same for every thread count
    for (auto _ : state) {
        std::size_t at = 0;
        bytes = 0;
        hash = 2166136261u;
        const CheckRun run = checkTable(
            bracket,
            [&](char* into, std::size_t most) -> std::optional<std::size_t> {
                const std::size_t size = std::min(most, table.size() - at);
                std::memcpy(into, table.data() + at, size);
                at += size;
                return size;
            },
            [&](std::string_view out) {
                bytes += out.size();
                for (const char c : out)
                    hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
                return true;
            },
            terminalFaultWords, unsigned(state.range(0)));
        if (run.outcome != CheckRun::Done)
            state.SkipWithError(run.error.c_str());
    }
    state.counters["rows/s"]
        = benchmark::Counter(double(rows), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["out_MB"] = double(bytes) / 1e6;
    state.counters["hash"] = double(hash);
    state.counters["peak_MB"] = peakMegabytes();
}

} // namespace

BENCHMARK(checkBrackets)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
