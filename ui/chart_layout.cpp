#include "ui/chart_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ui {

namespace {

constexpr double Gap = 6;
constexpr double LineHeight = ChartFontPixels * 1.4;

bool finite(double v)
{
    return std::isfinite(v);
}

// 1, 2, 5 or 10 times the power of ten at or below `value` (> 0), the nearest of them.
double niceStep(double value)
{
    const double exponent = std::floor(std::log10(value));
    const double power = std::pow(10.0, exponent);
    const double fraction = value / power;
    const double nice = fraction < 1.5 ? 1 : fraction < 3 ? 2 : fraction < 7 ? 5 : 10;
    return nice * power;
}

QString withSeparator(QString text, QChar separator)
{
    if (separator != u'.')
        text.replace(u'.', separator);
    return text;
}

QString superscript(int exponent)
{
    static const char16_t digits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString text;
    if (exponent < 0)
        text += u'⁻';
    const QString plain = QString::number(std::abs(exponent));
    for (QChar c : plain)
        text += QChar(digits[c.unicode() - u'0']);
    return text;
}

// A short text of a value for the read-out: up to seven significant digits.
QString valueText(double value, QChar separator)
{
    return withSeparator(QString::number(value, 'g', 7), separator);
}

struct Extent {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void add(double v)
    {
        if (finite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
};

std::vector<ChartLaidTick> placeTicks(
    const ChartScale& scale, bool horizontal, const ChartMapping& m)
{
    std::vector<ChartLaidTick> laid;
    for (const ChartTick& tick : scale.ticks)
        laid.push_back({horizontal ? m.px(tick.value) : m.py(tick.value), tick.label});
    return laid;
}

double widestLabel(const ChartScale& scale, const ChartTextWidth& width)
{
    double widest = 0;
    for (const ChartTick& tick : scale.ticks)
        widest = std::max(widest, width(tick.label));
    return widest;
}

} // namespace

ChartScale NiceScale(double low, double high, int maxTicks, bool includeZero, QChar separator)
{
    maxTicks = std::max(maxTicks, 2);
    if (!finite(low) || !finite(high) || low > high) {
        low = 0;
        high = 1;
    }
    if (includeZero) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }
    // One value (or values the same to the last few digits) stands in the middle of an
    // axis of a tenth of itself either side; zero in one of 0 to 1.
    const double magnitude = std::max(std::abs(low), std::abs(high));
    if (high - low <= magnitude * 1e-12 || !(high - low > 1e-300)) {
        if (magnitude < 1e-300) {
            low = includeZero ? 0 : -1;
            high = 1;
        } else {
            const double pad = magnitude * 0.1;
            const double middle = low / 2 + high / 2;
            low = middle - pad;
            high = middle + pad;
            if (includeZero && middle > 0)
                low = 0;
            if (includeZero && middle < 0)
                high = 0;
        }
    }
    low = std::max(low, -std::numeric_limits<double>::max());
    high = std::min(high, std::numeric_limits<double>::max());
    // Divided first, so that the widest doubles give a finite step.
    double step = niceStep(high / (maxTicks - 1) - low / (maxTicks - 1));
    double first = std::floor(low / step);
    double last = std::ceil(high / step);
    while (last - first > maxTicks - 1) {
        step = niceStep(step * 1.5);
        first = std::floor(low / step);
        last = std::ceil(high / step);
    }
    ChartScale scale;
    scale.step = step;
    scale.min = first * step;
    scale.max = last * step;
    if (!finite(scale.min))
        scale.min = low;
    if (!finite(scale.max))
        scale.max = high;
    const double largest = std::max(std::abs(scale.min), std::abs(scale.max));
    for (double i = first; i <= last; ++i) {
        const double value = i * step;
        if (!finite(value))
            continue;
        scale.ticks.push_back({value, TickLabel(value, step, largest, separator)});
    }
    return scale;
}

QString TickLabel(double value, double step, double largest, QChar separator)
{
    if (std::abs(value) < step * 1e-6)
        return QStringLiteral("0");
    const int stepExponent = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    if (largest < 1e7 && step >= 1e-4) {
        const int decimals = std::max(0, -stepExponent);
        return withSeparator(QString::number(value, 'f', decimals), separator);
    }
    // Too many digits to read: a mantissa of the largest value's order times a power of ten.
    const int exponent = static_cast<int>(std::floor(std::log10(largest) + 1e-9));
    const int decimals = std::clamp(exponent - stepExponent, 0, 15);
    const double mantissa = value / std::pow(10.0, exponent);
    return withSeparator(QString::number(mantissa, 'f', decimals), separator)
        + QStringLiteral("×10") + superscript(exponent);
}

double EstimatedTextWidth(QStringView text, double fontPixels)
{
    double width = 0;
    for (QChar c : text)
        width += c.unicode() >= 0x1000 ? fontPixels : fontPixels * 0.6;
    return width;
}

qint64 ReducePoints(std::span<const double> xs, std::span<const double> ys, quint16 series,
    const ChartMapping& m, std::vector<ChartLaidPoint>& out)
{
    const int width = std::max(1, static_cast<int>(std::ceil(m.plot.width())) + 1);
    const int height = std::max(1, static_cast<int>(std::ceil(m.plot.height())) + 1);
    // The point kept in each pixel, as an index into `out`; -1 for none yet.
    std::vector<qint32> kept(size_t(width) * size_t(height), -1);
    const double xk = m.plot.width() / (m.xMax - m.xMin);
    const double yk = m.plot.height() / (m.yMax - m.yMin);
    const double left = m.plot.left();
    const double bottom = m.plot.bottom();
    qint64 leftOut = 0;
    quint32 extremes[4] = {0, 0, 0, 0}; // least x, greatest x, least y, greatest y
    bool any = false;
    const size_t count = std::min(xs.size(), ys.size());
    auto cellOf = [&](double x, double y) {
        const int cx = std::clamp(static_cast<int>((x - m.xMin) * xk), 0, width - 1);
        const int cy = std::clamp(static_cast<int>((y - m.yMin) * yk), 0, height - 1);
        return size_t(cy) * size_t(width) + size_t(cx);
    };
    for (size_t i = 0; i < count; ++i) {
        const double x = xs[i];
        const double y = ys[i];
        if (!finite(x) || !finite(y)) {
            ++leftOut;
            continue;
        }
        if (x < m.xMin || x > m.xMax || y < m.yMin || y > m.yMax)
            continue;
        const quint32 index = static_cast<quint32>(i);
        if (!any) {
            std::fill(std::begin(extremes), std::end(extremes), index);
            any = true;
        } else {
            if (x < xs[extremes[0]])
                extremes[0] = index;
            if (x > xs[extremes[1]])
                extremes[1] = index;
            if (y < ys[extremes[2]])
                extremes[2] = index;
            if (y > ys[extremes[3]])
                extremes[3] = index;
        }
        qint32& slot = kept[cellOf(x, y)];
        if (slot >= 0)
            continue;
        slot = static_cast<qint32>(out.size());
        out.push_back({static_cast<float>(left + (x - m.xMin) * xk),
            static_cast<float>(bottom - (y - m.yMin) * yk), index, series});
    }
    // The extreme points themselves stand for their pixels, whichever came first there.
    if (any) {
        for (quint32 index : extremes) {
            ChartLaidPoint& point = out[size_t(kept[cellOf(xs[index], ys[index])])];
            point.index = index;
            point.x = static_cast<float>(left + (xs[index] - m.xMin) * xk);
            point.y = static_cast<float>(bottom - (ys[index] - m.yMin) * yk);
        }
    }
    return leftOut;
}

ChartLayout LayOutChart(
    const ChartData& data, QSizeF size, const ChartTextWidth& textWidth, QChar separator)
{
    ChartLayout layout;
    layout.size = size;
    layout.title = data.title;
    layout.note = data.note;
    layout.xTitle = data.xAxis.text();
    layout.yTitle = data.yAxis.text();
    const bool bars = !data.categories.empty()
        || std::any_of(data.series.begin(), data.series.end(),
            [](const ChartSeries& s) { return s.style == ChartStyle::Bars; });

    // What the axes must hold.
    Extent x;
    Extent y;
    // The finite points of each series, for the legend.
    std::vector<qint64> finitePoints;
    for (const ChartSeries& series : data.series) {
        const size_t count = std::min(series.x.size(), series.y.size());
        qint64 left = 0;
        for (size_t i = 0; i < count; ++i) {
            if (!finite(series.x[i]) || !finite(series.y[i])) {
                ++left;
                continue;
            }
            if (data.xRange
                && (series.x[i] < data.xRange->first || series.x[i] > data.xRange->second))
                continue;
            x.add(series.x[i]);
            y.add(series.y[i]);
        }
        layout.leftOut += left;
        finitePoints.push_back(qint64(count) - left);
    }
    for (const ChartLine& line : data.lines)
        y.add(line.y);
    for (const ChartMark& mark : data.marks) {
        x.add(mark.x);
        y.add(mark.y);
    }
    if (data.xRange) {
        x.low = data.xRange->first;
        x.high = data.xRange->second;
    }

    // Title and legend rows at the top, tick labels and the x title at the bottom.
    double top = Gap;
    if (!data.title.isEmpty()) {
        layout.titleAt = QPointF(size.width() / 2, top + ChartFontPixels);
        top += LineHeight + Gap / 2;
    }
    {
        double at = Gap * 2;
        double row = top;
        auto addEntry = [&](const QString& text, quint32 color) {
            const double w = ChartFontPixels + 4 + textWidth(text) + Gap * 2;
            if (at + w > size.width() - Gap && at > Gap * 2) {
                at = Gap * 2;
                row += LineHeight;
            }
            layout.legend.push_back({QRectF(at, row + 3, ChartFontPixels - 2, ChartFontPixels - 2),
                QPointF(at + ChartFontPixels + 2, row + ChartFontPixels), text, color});
            at += w;
        };
        for (size_t s = 0; s < data.series.size(); ++s) {
            const ChartSeries& series = data.series[s];
            if (series.name.isEmpty())
                continue;
            if (series.style == ChartStyle::Points) {
                addEntry(series.name + QStringLiteral(" (%1)").arg(finitePoints[s]), series.color);
            } else {
                addEntry(series.name, series.color);
            }
        }
        if (layout.leftOut > 0)
            addEntry(QStringLiteral("非数值未画：%1").arg(layout.leftOut), 0xFF808080);
        if (!layout.legend.empty())
            top = row + LineHeight + Gap / 2;
    }
    const double bottomMargin = LineHeight + Gap + (layout.xTitle.isEmpty() ? 0 : LineHeight);
    const double plotTop = top + Gap;
    const double plotHeight = std::max(10.0, size.height() - plotTop - bottomMargin);

    // The y axis first: its labels decide the left margin.
    layout.yScale = NiceScale(
        y.low, y.high, std::max(2, int(plotHeight / 36) + 1), data.yFromZero, separator);
    const double left = Gap + (layout.yTitle.isEmpty() ? 0 : LineHeight)
        + widestLabel(layout.yScale, textWidth) + Gap;
    const double right = Gap * 3;
    const double plotWidth = std::max(10.0, size.width() - left - right);
    layout.plot = QRectF(left, plotTop, plotWidth, plotHeight);

    if (bars) {
        const size_t n = std::max<size_t>(1, data.categories.size());
        layout.xScale.min = -0.5;
        layout.xScale.max = double(n) - 0.5;
        layout.xScale.step = 1;
        const double slot = plotWidth / double(n);
        double widest = 0;
        for (const QString& name : data.categories)
            widest = std::max(widest, textWidth(name));
        const size_t every = std::max<size_t>(1, size_t(std::ceil((widest + Gap) / slot)));
        for (size_t i = 0; i < data.categories.size(); i += every)
            layout.xScale.ticks.push_back({double(i), data.categories[i]});
    } else {
        // As many x ticks as their labels leave room for.
        int maxTicks = std::max(2, int(plotWidth / 70) + 1);
        for (int attempt = 0; attempt < 6; ++attempt) {
            layout.xScale = NiceScale(x.low, x.high, maxTicks, false, separator);
            if (data.xRange) {
                layout.xScale.min = std::min(layout.xScale.min, x.low);
                layout.xScale.max = std::max(layout.xScale.max, x.high);
            }
            const size_t count = layout.xScale.ticks.size();
            if (count < 2
                || plotWidth / double(count - 1) >= widestLabel(layout.xScale, textWidth) + Gap * 2
                || maxTicks == 2)
                break;
            maxTicks = std::max(2, maxTicks - std::max(1, maxTicks / 3));
        }
    }
    const ChartMapping mapping{
        layout.plot, layout.xScale.min, layout.xScale.max, layout.yScale.min, layout.yScale.max};
    layout.xTicks = placeTicks(layout.xScale, true, mapping);
    layout.yTicks = placeTicks(layout.yScale, false, mapping);
    layout.xTitleAt = QPointF(layout.plot.center().x(), size.height() - Gap);
    layout.yTitleAt = QPointF(Gap + ChartFontPixels, layout.plot.center().y());

    for (size_t s = 0; s < data.series.size(); ++s) {
        const ChartSeries& series = data.series[s];
        const quint16 index = static_cast<quint16>(s);
        switch (series.style) {
        case ChartStyle::Points:
            ReducePoints(series.x, series.y, index, mapping, layout.points);
            break;
        case ChartStyle::Line: {
            std::vector<QPointF> line;
            for (size_t i = 0; i < std::min(series.x.size(), series.y.size()); ++i) {
                if (!finite(series.x[i]) || !finite(series.y[i]))
                    continue;
                if (series.x[i] < mapping.xMin || series.x[i] > mapping.xMax)
                    continue;
                line.emplace_back(mapping.px(series.x[i]), mapping.py(series.y[i]));
                layout.vertices.push_back(
                    {float(line.back().x()), float(line.back().y()), quint32(i), index});
            }
            layout.polylines.push_back(std::move(line));
            layout.polylineColors.push_back(series.color);
            break;
        }
        case ChartStyle::Bars: {
            const double slot = plotWidth / (mapping.xMax - mapping.xMin);
            for (size_t i = 0; i < std::min(series.x.size(), series.y.size()); ++i) {
                if (!finite(series.x[i]) || !finite(series.y[i]))
                    continue;
                const double centre = mapping.px(series.x[i]);
                const double base = mapping.py(std::clamp(0.0, mapping.yMin, mapping.yMax));
                const double tip = mapping.py(series.y[i]);
                const QRectF rect(QPointF(centre - slot * 0.3, std::min(base, tip)),
                    QPointF(centre + slot * 0.3, std::max(base, tip)));
                const quint32 color = i < series.colors.size() ? series.colors[i] : series.color;
                layout.bars.push_back({rect, color, quint32(i), index});
            }
            break;
        }
        }
    }
    // From the top line down, so that the lower of two close lines gives way.
    std::vector<const ChartLine*> lines;
    for (const ChartLine& line : data.lines)
        lines.push_back(&line);
    std::stable_sort(lines.begin(), lines.end(),
        [](const ChartLine* a, const ChartLine* b) { return a->y > b->y; });
    for (const ChartLine* each : lines) {
        const ChartLine& line = *each;
        const double at = mapping.py(line.y);
        const QPointF end(layout.plot.right(), at);
        // Above its line, or below it where the label of a line close by stands already
        // (the two bounds of a narrow band).
        double labelY = at - 3;
        for (const ChartLaidLine& other : layout.lines) {
            if (std::abs(other.labelAt.y() - labelY) < LineHeight)
                labelY = at + ChartFontPixels + 2;
        }
        layout.lines.push_back({QLineF(QPointF(layout.plot.left(), at), end), line.label,
            QPointF(layout.plot.right() - textWidth(line.label) - Gap, labelY), line.color,
            line.dashed});
    }
    for (const ChartMark& mark : data.marks) {
        const QPointF point(mapping.px(mark.x), mapping.py(mark.y));
        const double labelWidth = textWidth(mark.label);
        const double labelX = std::clamp(point.x() + Gap, layout.plot.left(),
            std::max(layout.plot.left(), layout.plot.right() - labelWidth));
        layout.marks.push_back(
            {point, QLineF(point, QPointF(point.x(), layout.plot.bottom())), mark.label,
                QPointF(labelX, std::max(layout.plot.top() + ChartFontPixels, point.y() - Gap)),
                mark.color});
    }
    return layout;
}

std::optional<ChartHit> HitTest(
    const ChartLayout& layout, const ChartData& data, QPointF at, double radius)
{
    auto rowOf = [&data](int series, quint32 index) {
        const ChartSeries& s = data.series[size_t(series)];
        return index < s.rows.size() ? s.rows[index] : qint32(index);
    };
    for (const ChartLaidBar& bar : layout.bars) {
        if (bar.rect.adjusted(-1, -1, 1, 1).contains(at))
            return ChartHit{bar.series, rowOf(bar.series, bar.index), bar.index,
                QPointF(bar.rect.center().x(), bar.rect.top())};
    }
    const ChartLaidPoint* nearest = nullptr;
    double best = radius * radius;
    for (const auto* points : {&layout.points, &layout.vertices}) {
        for (const ChartLaidPoint& point : *points) {
            const double dx = point.x - at.x();
            const double dy = point.y - at.y();
            const double distance = dx * dx + dy * dy;
            if (distance <= best) {
                best = distance;
                nearest = &point;
            }
        }
    }
    if (!nearest)
        return std::nullopt;
    return ChartHit{nearest->series, rowOf(nearest->series, nearest->index), nearest->index,
        QPointF(nearest->x, nearest->y)};
}

QString DescribeHit(const ChartData& data, const ChartHit& hit, QChar separator)
{
    if (data.describe)
        return data.describe(hit.series, hit.row);
    const ChartSeries& series = data.series[size_t(hit.series)];
    auto axisValue = [separator](const ChartAxisTitle& axis, double value) {
        const QString text
            = valueText(value, separator) + (axis.unit.isEmpty() ? QString() : u' ' + axis.unit);
        return axis.name.isEmpty() ? text : axis.name + QStringLiteral(" = ") + text;
    };
    const double x = series.x[hit.index];
    const double y = series.y[hit.index];
    const QString where = series.style == ChartStyle::Bars && size_t(x) < data.categories.size()
        ? data.categories[size_t(x)]
        : axisValue(data.xAxis, x);
    return series.name + QStringLiteral("：") + where + QStringLiteral("，")
        + axisValue(data.yAxis, y);
}

} // namespace ui
