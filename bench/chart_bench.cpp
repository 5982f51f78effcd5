// Drawing the optimization chart of a result list of about a million rows: the points read
// from the grid's cells, laid out and reduced to what the pixels can show, and painted
// with QPainter into a window-sized picture, as the chart window does after a run. Also
// the parts on their own: the reading and layout, and the painting of a finished layout.
// Runs on Qt's offscreen platform.

#include "bench/optimization_fixture.h"

#include "ui/charts.h"
#include "view/chartview.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr QSize ChartSize(760, 480);

OptimizationBenchForm& bench()
{
    static OptimizationBenchForm form;
    static const int rows = form.run();
    (void)rows;
    return form;
}

void BM_DrawMillionRowChart(benchmark::State& state)
{
    ui::TZAV_FRM_DWOR1& form = *bench().form;
    QImage image(ChartSize, QImage::Format_ARGB32_Premultiplied);
    const auto axis = ui::ChartAxis(state.range(0));
    size_t points = 0;
    for (auto _ : state) {
        // A fresh panel each time: nothing read before counts.
        ui::ChartPanel panel(form);
        panel.textWidth = view::ChartTextWidthOn(&image);
        panel.resize(ChartSize);
        panel.pickAxis(axis);
        panel.Open();
        QPainter painter(&image);
        view::PaintChart(painter, panel.layout(), panel.data());
        painter.end();
        points = panel.layout().points.size();
    }
    state.counters["rows"] = double(form.Grid2_Youhuajieguo.rowCount());
    state.counters["points_drawn"] = double(points);
}
BENCHMARK(BM_DrawMillionRowChart)
    ->Arg(int(ui::ChartAxis::Embedment))
    ->Arg(int(ui::ChartAxis::FirstDimension))
    ->Arg(int(ui::ChartAxis::Strength))
    ->Unit(benchmark::kMillisecond);

void BM_PaintLaidOutChart(benchmark::State& state)
{
    ui::TZAV_FRM_DWOR1& form = *bench().form;
    QImage image(ChartSize, QImage::Format_ARGB32_Premultiplied);
    ui::ChartPanel panel(form);
    panel.textWidth = view::ChartTextWidthOn(&image);
    panel.resize(ChartSize);
    panel.Open();
    for (auto _ : state) {
        QPainter painter(&image);
        view::PaintChart(painter, panel.layout(), panel.data());
    }
    state.counters["points_drawn"] = double(panel.layout().points.size());
}
BENCHMARK(BM_PaintLaidOutChart)->Unit(benchmark::kMillisecond);

} // namespace
