// One whole calculation on the design-time inputs, texts in and texts out,
// as a click of "确定输入" runs it.

#include "bracketcalculation.h"
#include "bracketverdicts.h"
#include "sectioncalculation.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const NumberFormat point { u'.' };

void sectionOnDefaults(benchmark::State& state)
{
    const FieldTexts inputs { { u"Text1"_s, u"400"_s }, { u"Text2"_s, u"300"_s },
        { u"Text3"_s, u"6"_s }, { u"Text4"_s, u"8"_s }, { u"Text12"_s, u"150"_s },
        { u"Text13"_s, u"118"_s }, { u"Text16"_s, u"10000"_s }, { u"Text20"_s, u"1"_s } };
    for (auto _ : state) {
        FieldTexts fields = inputs;
        benchmark::DoNotOptimize(calculateSection(fields, point));
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(sectionOnDefaults);

void bracketOnDefaults(benchmark::State& state)
{
    const FieldTexts inputs { { u"Text1"_s, u"200"_s }, { u"Text2"_s, u"200"_s },
        { u"Text3"_s, u"12"_s }, { u"Text4"_s, u"12"_s }, { u"Text5"_s, u"10"_s },
        { u"Text6"_s, u"500"_s }, { u"Text7"_s, u"400"_s }, { u"Text8"_s, u".45"_s },
        { u"Text12"_s, u"10"_s } };
    for (auto _ : state) {
        FieldTexts fields = inputs;
        benchmark::DoNotOptimize(calculateBracket(fields, point));
        benchmark::DoNotOptimize(judgeBracket(fields, point));
    }
}
BENCHMARK(bracketOnDefaults);

} // namespace

BENCHMARK_MAIN();
