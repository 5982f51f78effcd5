// The optimization run at scale: about a million cases through the real input panel
// and calculation action, the result grid filled and numbered.

#include "bench/optimization_fixture.h"

#include <benchmark/benchmark.h>

static void BM_OptimizationRun(benchmark::State& state)
{
    OptimizationBenchForm bench;
    int rows = 0;
    for (auto _ : state) {
        rows = bench.run();
        benchmark::DoNotOptimize(rows);
    }
    if (!bench.errors.isEmpty())
        state.SkipWithError(bench.errors.front().toUtf8().constData());
    state.counters["rows"] = rows;
}
BENCHMARK(BM_OptimizationRun)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
