// The list most runs give: the 384 cases of a freshly created form's options, run,
// filtered, sorted, reversed and saved through the screen's own buttons and headers.
// Nothing of the million-row work may make these slower.

#include "ui/ZAV_PAS_DWOR1.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct SmallList {
    QTemporaryDir documents;
    std::unique_ptr<ui::TZAV_FRM_DWOR1> form;

    SmallList()
    {
        ui::Platform platform;
        platform.locale = QLocale(QLocale::Chinese, QLocale::China);
        const QString folder = documents.path();
        platform.documentsFolder = [folder] { return folder; };
        form = std::make_unique<ui::TZAV_FRM_DWOR1>(platform);
        form->cbt_YouHua.click();
        run();
    }
    void run()
    {
        form->cbt_YHcompute.setEnabled(true);
        form->cbt_YHcompute.click();
    }
};

void BM_SmallRun(benchmark::State& state)
{
    SmallList list;
    for (auto _ : state)
        list.run();
    state.counters["rows"] = list.form->Grid2_Youhuajieguo.rowCount();
}

void BM_SmallSortAndReverse(benchmark::State& state)
{
    SmallList list;
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        list.form->DSortOrder = 0;
        list.form->PSortOrder = 0;
        list.form->Grid2_Youhuajieguo.clickHeader(column); // sort
        list.form->Grid2_Youhuajieguo.clickHeader(column); // reverse
    }
}

void BM_SmallFilter(benchmark::State& state)
{
    SmallList list;
    for (auto _ : state) {
        list.form->cbt_YHsaixuan.setEnabled(true);
        list.form->cbt_YHsaixuan.click();
    }
    state.counters["copied"] = list.form->Grid3_Youhuasaixuan.rowCount();
}

void BM_SmallSave(benchmark::State& state)
{
    SmallList list;
    for (auto _ : state) {
        list.form->cbt_YHsave.setEnabled(true);
        list.form->cbt_YHsave.click();
    }
}

} // namespace

BENCHMARK(BM_SmallRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmallSortAndReverse)->Arg(4)->Arg(2)->ArgName("column")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmallFilter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmallSave)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
