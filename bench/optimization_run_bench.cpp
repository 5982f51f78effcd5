// The optimization run at scale: about a million cases through the real input panel
// and calculation action, the result grid filled and numbered, beside the baseline
// loop that computes the same cases and writes the same texts into one buffer. Each
// benchmark runs once per process by default, so that the first run is measured as a
// user meets it (fresh memory); run the program several times for repeated figures:
//   for i in 1 2 3; do bench/optimization_run_bench; done
// "peak_MB" is the growth of the resident set during the benchmark (Linux only).

#include "bench/baseline_run.h"
#include "bench/optimization_fixture.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

// Kilobytes of one line of /proc/self/status, or -1.
double statusKilobytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').front().toDouble();
    }
    return -1;
}

// Peak growth of the resident set from here on.
class PeakMemory {
public:
    PeakMemory()
    {
        // Resets the high-water mark to the current resident set.
        QFile reset(QStringLiteral("/proc/self/clear_refs"));
        if (reset.open(QIODevice::WriteOnly))
            reset.write("5");
        m_start = statusKilobytes("VmRSS:");
    }
    double growthMB() const { return (statusKilobytes("VmHWM:") - m_start) / 1024; }

private:
    double m_start = 0;
};

void BM_OptimizationRun(benchmark::State& state)
{
    OptimizationBenchForm bench;
    int rows = 0;
    const PeakMemory memory;
    for (auto _ : state) {
        rows = bench.run();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["peak_MB"] = memory.growthMB();
    if (!bench.errors.isEmpty())
        state.SkipWithError(bench.errors.front().toUtf8().constData());
    state.counters["rows"] = rows;
}

void BM_BaselineRun(benchmark::State& state)
{
    OptimizationBenchForm bench;
    const auto ranges = bench.ranges();
    BaselineRows rows;
    const PeakMemory memory;
    for (auto _ : state) {
        BaselineRun(ranges, bench.precision(), bench.form->decimalSeparator(), rows);
        benchmark::DoNotOptimize(rows.chars.get());
    }
    state.counters["peak_MB"] = memory.growthMB();
    state.counters["rows"] = double(rows.rows);
}

} // namespace

BENCHMARK(BM_OptimizationRun)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_BaselineRun)->Unit(benchmark::kMillisecond)->Iterations(1);
// A second run in the same process, where the first run's memory is there to reuse.
BENCHMARK(BM_OptimizationRun)
    ->Name("BM_OptimizationRun/again")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

BENCHMARK_MAIN();
