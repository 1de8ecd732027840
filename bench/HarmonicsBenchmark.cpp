// One run of the harmonic analysis as it follows every read while the test acquires: a new
// record of a 50 Hz line current at 50 ms/div is transformed, enters the max-hold and the
// average, and its 40 harmonics are judged against class A. And a redraw without a new record,
// which judges the same accumulation again.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "Fastest.h"
#include "HarmonicsRig.h"

using namespace ql;

namespace {

using ql::bench::fastest;
#define QL_BENCHMARK(fn) \
    BENCHMARK(fn)->Unit(benchmark::kMicrosecond)->Repetitions(12)->ComputeStatistics("min", fastest)

struct Rig {
    ProgramState s = test::harmonicsState();
    test::MemoryLimits limits;
    HarmonicsResult result;
    Rig()
    {
        limits.definitions["Test"] = test::classA();
        test::fillLineCurrent(s, 50.0, {{1, 60.0}, {3, 12.0}, {5, 6.0}, {7, 3.0}});
    }
};

void analysisOfANewRecord(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state) {
        ++rig.s.waves.generation;
        benchmark::DoNotOptimize(analyzeHarmonics(rig.s, rig.limits, rig.result, '.'));
    }
    if (rig.result.rows.size() != 40) state.SkipWithError("not 40 rows");
}
QL_BENCHMARK(analysisOfANewRecord);

void analysisOfTheSameRecord(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state)
        benchmark::DoNotOptimize(analyzeHarmonics(rig.s, rig.limits, rig.result, '.'));
    if (rig.result.rows.size() != 40) state.SkipWithError("not 40 rows");
}
QL_BENCHMARK(analysisOfTheSameRecord);

}  // namespace
