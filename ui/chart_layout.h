#pragma once

// The program's charts as data: what a chart shows (series of points, lines and bars,
// horizontal lines, marks) goes in, and its layout in pixels comes out: the plot area,
// the axis scales with their ticks and labels, the points reduced to what the pixels
// can show, the bars, the legend. The hit test finds the point under the pointer. All
// of it is plain geometry, computed and tested without a window; the view only paints
// the layout with QPainter, for the screen and for a PDF page.

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace ui {

struct ChartTick {
    double value = 0;
    QString label;
};

// An axis from `min` to `max` with ticks every `step` (1, 2 or 5 times a power of ten).
struct ChartScale {
    double min = 0;
    double max = 1;
    double step = 0.2;
    std::vector<ChartTick> ticks;
};

// Round axis ends and ticks around the finite values from `low` to `high`, with at most
// `maxTicks` ticks (at least 2). One value gets an axis around it; no finite value at
// all (low > high, or either end not finite) gives 0 to 1. `includeZero` keeps 0 on the
// axis (a capacity axis starts at 0).
ChartScale NiceScale(
    double low, double high, int maxTicks, bool includeZero, QChar decimalSeparator);
// The label of a tick: as many decimals as the step needs, no "-0"; values of ten
// million and more (or steps below 0.0001) as a mantissa times a power of ten.
QString TickLabel(double value, double step, double largest, QChar decimalSeparator);

enum class ChartStyle { Points, Line, Bars };

struct ChartSeries {
    ChartSeries(QString name = {}, quint32 color = 0xFF000000,
        ChartStyle style = ChartStyle::Points, std::vector<double> x = {},
        std::vector<double> y = {}, std::vector<qint32> rows = {}, std::vector<quint32> colors = {})
        : name(std::move(name))
        , color(color)
        , style(style)
        , x(std::move(x))
        , y(std::move(y))
        , rows(std::move(rows))
        , colors(std::move(colors))
    {
    }
    QString name;
    quint32 color = 0xFF000000;
    ChartStyle style = ChartStyle::Points;
    std::vector<double> x; // bars: the category index
    std::vector<double> y;
    // The source row of each point (a grid row, a pile); empty means the point's index.
    std::vector<qint32> rows;
    // Bars: a colour of each bar, where it differs from the series colour.
    std::vector<quint32> colors;
};

struct ChartLine {
    double y = 0;
    QString label;
    quint32 color = 0xFF000000;
    bool dashed = true;
};

// A marked place: a point with its label, and a dashed line down to the x axis.
struct ChartMark {
    double x = 0;
    double y = 0;
    QString label;
    quint32 color = 0xFF000000;
};

struct ChartAxisTitle {
    QString name;
    QString unit;
    QString text() const
    {
        return unit.isEmpty() ? name : name + QStringLiteral(" (") + unit + u')';
    }
};

struct ChartData {
    QString title;
    ChartAxisTitle xAxis;
    ChartAxisTitle yAxis;
    std::vector<ChartSeries> series;
    std::vector<ChartLine> lines;
    std::vector<ChartMark> marks;
    // Bar charts: the label of each category on the x axis.
    std::vector<QString> categories;
    // An x range to show whatever the data (the pile chart: 0 to 4 d); points outside
    // it are left out.
    std::optional<std::pair<double, double>> xRange;
    bool yFromZero = true;
    // Shown in the plot instead of a chart when there is nothing to draw (an input that
    // cannot be calculated).
    QString note;
    // The read-out of a point: series, source row; empty gives the series name and the
    // point's values.
    std::function<QString(int series, qint32 row)> describe;
};

// Width in pixels of a text in the chart's font; the view passes its font's metrics.
using ChartTextWidth = std::function<double(QStringView)>;
// An estimate for layouts made without a font: Chinese characters one em, others 0.6.
double EstimatedTextWidth(QStringView text, double fontPixels);

inline constexpr double ChartFontPixels = 12;

struct ChartLaidTick {
    double at = 0; // pixel position along the axis
    QString label;
};

struct ChartLaidPoint {
    float x = 0;
    float y = 0;
    quint32 index = 0; // into the series' x, y and rows
    quint16 series = 0;
};

struct ChartLaidBar {
    QRectF rect;
    quint32 color = 0;
    quint32 index = 0;
    quint16 series = 0;
};

struct ChartLaidLine {
    QLineF line;
    QString label;
    QPointF labelAt;
    quint32 color = 0;
    bool dashed = true;
};

struct ChartLaidMark {
    QPointF point;
    QLineF drop; // down to the x axis
    QString label;
    QPointF labelAt;
    quint32 color = 0;
};

struct ChartLegendEntry {
    QRectF swatch;
    QPointF textAt;
    QString text;
    quint32 color = 0;
};

struct ChartLayout {
    QSizeF size;
    QRectF plot;
    ChartScale xScale;
    ChartScale yScale;
    std::vector<ChartLaidTick> xTicks;
    std::vector<ChartLaidTick> yTicks;
    QString title;
    QString xTitle;
    QString yTitle;
    QPointF titleAt;
    QPointF xTitleAt;
    QPointF yTitleAt; // the y title runs upwards from here
    std::vector<ChartLaidPoint> points; // for the Points series, at most one a pixel
    std::vector<ChartLaidPoint> vertices; // of the Line series, for the hit test
    std::vector<std::vector<QPointF>> polylines; // one a Line series, in order
    std::vector<quint32> polylineColors;
    std::vector<ChartLaidBar> bars;
    std::vector<ChartLaidLine> lines;
    std::vector<ChartLaidMark> marks;
    std::vector<ChartLegendEntry> legend;
    QString note;
    // Values left out because they were not finite, over all series.
    qint64 leftOut = 0;
};

ChartLayout LayOutChart(
    const ChartData& data, QSizeF size, const ChartTextWidth& textWidth, QChar decimalSeparator);

// Maps values into pixels of a plot area; y grows upwards.
struct ChartMapping {
    QRectF plot;
    double xMin = 0;
    double xMax = 1;
    double yMin = 0;
    double yMax = 1;
    double px(double x) const { return plot.left() + (x - xMin) / (xMax - xMin) * plot.width(); }
    double py(double y) const { return plot.bottom() - (y - yMin) / (yMax - yMin) * plot.height(); }
};

// The finite points of one series inside the mapping's ranges, at most one for every
// pixel of the plot, appended to `out`; the points with the least and the greatest x
// and y are always among those kept (in their pixels). Returns the count of points
// left out as not finite.
qint64 ReducePoints(std::span<const double> xs, std::span<const double> ys, quint16 series,
    const ChartMapping& mapping, std::vector<ChartLaidPoint>& out);

struct ChartHit {
    int series = 0;
    qint32 row = 0;
    quint32 index = 0;
    QPointF at; // the point or the bar's top centre
};

// The point nearest to `at` within `radius` pixels, or the bar under it.
std::optional<ChartHit> HitTest(
    const ChartLayout& layout, const ChartData& data, QPointF at, double radius = 8);

// The read-out of a hit: the data's own description, or the series and the values.
QString DescribeHit(const ChartData& data, const ChartHit& hit, QChar decimalSeparator);

} // namespace ui
