// Working with a result list of about a million rows: filtering it, saving it, and
// sorting or reversing it by d or [P] from keys in ascending, descending, random and run
// order. The list is computed once; each benchmark arranges the rows it needs first,
// outside the timing.

#include "bench/optimization_fixture.h"

#include "core/numbers.h"
#include "report/resultfile.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

OptimizationBenchForm& bench()
{
    static OptimizationBenchForm form;
    static const int rows = form.run();
    (void)rows;
    return form;
}

ui::StringGrid& fullList()
{
    return bench().form->Grid2_Youhuajieguo;
}

// AfterFilter: the filtered list of every row, which shares the full list's rows and
// starts in run order.
enum Shape { RunOrder, Ascending, Descending, Random, AfterFilter };

std::vector<double> keysOf(const ui::StringGrid& grid, int column)
{
    std::vector<double> keys(static_cast<size_t>(grid.rowCount()));
    for (int row = 0; row < grid.rowCount(); ++row)
        keys[static_cast<size_t>(row)]
            = core::ParseLenient(grid.cellView(column, row), QLatin1Char('.'));
    return keys;
}

std::vector<quint32> orderBy(const std::vector<double>& keys)
{
    std::vector<quint32> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(
        order.begin(), order.end(), [&](quint32 a, quint32 b) { return keys[a] < keys[b]; });
    return order;
}

// Puts the full list into the given order of its keys in `column`.
void arrange(Shape shape, int column)
{
    ui::StringGrid& grid = fullList();
    // Back to the order of the run: the pile numbers are the positions of the run.
    std::vector<double> numbers(static_cast<size_t>(grid.rowCount()));
    for (int row = 0; row < grid.rowCount(); ++row)
        numbers[static_cast<size_t>(row)]
            = core::ParseLenient(grid.cellView(0, row).mid(3), QLatin1Char('.'));
    grid.reorderRows(orderBy(numbers));
    if (shape == Ascending || shape == Descending) {
        std::vector<quint32> order = orderBy(keysOf(grid, column));
        if (shape == Descending)
            std::reverse(order.begin(), order.end());
        grid.reorderRows(order);
    } else if (shape == Random) {
        std::vector<quint32> order(static_cast<size_t>(grid.rowCount()));
        std::iota(order.begin(), order.end(), 0u);
        std::shuffle(order.begin(), order.end(), std::mt19937(7));
        grid.reorderRows(order);
    }
}

void BM_Sort(benchmark::State& state)
{
    const auto shape = static_cast<Shape>(state.range(0));
    const int column = static_cast<int>(state.range(1));
    auto& form = *bench().form;
    ui::StringGrid& grid = shape == AfterFilter ? form.Grid3_Youhuasaixuan : fullList();
    for (auto _ : state) {
        state.PauseTiming();
        arrange(shape == AfterFilter ? RunOrder : shape, column);
        if (shape == AfterFilter) {
            form.Grid1_Youhuaxuanxiang.editCell(1, 11, QStringLiteral("0"));
            form.Grid1_Youhuaxuanxiang.editCell(2, 11, QStringLiteral("0"));
            form.cbt_YHsaixuan.setEnabled(true);
            form.cbt_YHsaixuan.click();
        }
        form.DSortOrder = 0;
        form.PSortOrder = 0;
        state.ResumeTiming();
        grid.clickHeader(column);
    }
    state.counters["rows"] = grid.rowCount();
    form.Grid2_Youhuajieguo.setVisible(true);
    form.Grid3_Youhuasaixuan.setVisible(false);
}

void BM_Reverse(benchmark::State& state)
{
    auto& form = *bench().form;
    for (auto _ : state) {
        state.PauseTiming();
        form.DSortOrder = 0;
        form.PSortOrder = 1;
        state.ResumeTiming();
        fullList().clickHeader(4);
    }
    state.counters["rows"] = fullList().rowCount();
}

void BM_Filter(benchmark::State& state)
{
    auto& form = *bench().form;
    const bool everything = state.range(0) != 0;
    form.Grid1_Youhuaxuanxiang.editCell(
        1, 11, everything ? QStringLiteral("0") : QStringLiteral("10000"));
    form.Grid1_Youhuaxuanxiang.editCell(
        2, 11, everything ? QStringLiteral("0") : QStringLiteral("11000"));
    for (auto _ : state) {
        state.PauseTiming();
        form.cbt_YHsaixuan.setEnabled(true);
        state.ResumeTiming();
        form.cbt_YHsaixuan.click();
    }
    state.counters["rows"] = form.Grid2_Youhuajieguo.rowCount();
    state.counters["copied"] = form.Grid3_Youhuasaixuan.rowCount();
    // Back to the full list for the other benchmarks.
    form.Grid2_Youhuajieguo.setVisible(true);
    form.Grid3_Youhuasaixuan.setVisible(false);
}

void BM_Save(benchmark::State& state)
{
    auto& form = *bench().form;
    for (auto _ : state) {
        state.PauseTiming();
        form.Grid2_Youhuajieguo.setVisible(true);
        form.Grid3_Youhuasaixuan.setVisible(false);
        form.cbt_YHsave.setEnabled(true);
        state.ResumeTiming();
        form.cbt_YHsave.click();
    }
    if (!bench().errors.isEmpty())
        state.SkipWithError(bench().errors.front().toUtf8().constData());
    const QFileInfo file(
        bench().documents.filePath(report::ResultFileName(report::ResultFile::OptimizationList)));
    state.counters["rows"] = form.Grid2_Youhuajieguo.rowCount();
    state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}

// The yardstick of saving: the bytes of the saved list written with fwrite into a new
// file, flushed to the disk with fsync and renamed over the old one, as a save file
// does at the least.
void BM_SaveBaseline(benchmark::State& state)
{
    auto& form = *bench().form;
    form.Grid2_Youhuajieguo.setVisible(true);
    form.Grid3_Youhuasaixuan.setVisible(false);
    form.cbt_YHsave.setEnabled(true);
    form.cbt_YHsave.click();
    const QString path
        = bench().documents.filePath(report::ResultFileName(report::ResultFile::OptimizationList));
    QFile saved(path);
    if (!saved.open(QIODevice::ReadOnly)) {
        state.SkipWithError("no saved list");
        return;
    }
    const QByteArray bytes = saved.readAll();
    const QByteArray temporary = QFile::encodeName(path + QStringLiteral(".baseline"));
    const QByteArray target = QFile::encodeName(path + QStringLiteral(".renamed"));
    for (auto _ : state) {
        FILE* file = std::fopen(temporary.constData(), "wb");
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
        std::fflush(file);
        ::fsync(::fileno(file));
        std::fclose(file);
        std::rename(temporary.constData(), target.constData());
    }
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

} // namespace

BENCHMARK(BM_SaveBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Filter)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("everything")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort)
    ->ArgsProduct({{RunOrder, Ascending, Descending, Random, AfterFilter}, {4, 2}})
    ->ArgNames({"shape", "column"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_Reverse)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
