// The charts headless: axis scales and their tick labels for awkward ranges, the point
// reduction that keeps the extremes, the hit test, and the chart panel driven as the
// user drives it: opened on a screen, hovered, clicked, exported.

#include "project/design_load.h"
#include "tests/formfixture.h"
#include "tests/testmain.h"
#include "ui/charts.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <limits>
#include <random>

using namespace ui;

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

QStringList labels(const ChartScale& scale)
{
    QStringList all;
    for (const ChartTick& tick : scale.ticks)
        all << tick.label;
    return all;
}

ChartTextWidth estimate()
{
    return [](QStringView text) { return EstimatedTextWidth(text, ChartFontPixels); };
}

qint64 pointsIn(const ChartData& data)
{
    qint64 count = 0;
    for (const ChartSeries& series : data.series)
        count += qint64(series.x.size());
    return count;
}

} // namespace

class ChartScaleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ticks_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<bool>("fromZero");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("0 to 10") << 0.0 << 10.0 << false << "."
                                 << QStringList{"0", "2", "4", "6", "8", "10"};
        QTest::newRow("[P] 3210 to 15876 from zero")
            << 3210.0 << 15876.0 << true << "."
            << QStringList{"0", "5000", "10000", "15000", "20000"};
        QTest::newRow("one value, from zero")
            << 5.0 << 5.0 << true << "." << QStringList{"0", "1", "2", "3", "4", "5"};
        QTest::newRow("one value alone")
            << 5.0 << 5.0 << false << "."
            << QStringList{"4.4", "4.6", "4.8", "5.0", "5.2", "5.4", "5.6"};
        QTest::newRow("zero alone")
            << 0.0 << 0.0 << false << "." << QStringList{"-1.0", "-0.5", "0", "0.5", "1.0"};
        QTest::newRow("negative") << -35.0 << -5.0 << false << "."
                                  << QStringList{"-35", "-30", "-25", "-20", "-15", "-10", "-5"};
        QTest::newRow("across zero, no -0")
            << -0.3 << 0.3 << false << "."
            << QStringList{"-0.3", "-0.2", "-0.1", "0", "0.1", "0.2", "0.3"};
        QTest::newRow("huge") << 0.0 << 3e9 << true << "."
                              << QStringList{"0", "0.5×10⁹", "1.0×10⁹", "1.5×10⁹", "2.0×10⁹",
                                     "2.5×10⁹", "3.0×10⁹"};
        QTest::newRow("huge with a finer step")
            << 1.2e7 << 1.9e7 << false << "."
            << QStringList{"1.2×10⁷", "1.4×10⁷", "1.6×10⁷", "1.8×10⁷", "2.0×10⁷"};
        QTest::newRow("tiny") << 0.0 << 0.0003 << false << "."
                              << QStringList{"0", "0.5×10⁻⁴", "1.0×10⁻⁴", "1.5×10⁻⁴", "2.0×10⁻⁴",
                                     "2.5×10⁻⁴", "3.0×10⁻⁴"};
        QTest::newRow("no finite value")
            << NaN << NaN << false << "." << QStringList{"0", "0.2", "0.4", "0.6", "0.8", "1.0"};
        QTest::newRow("infinite ends")
            << -Inf << Inf << true << "." << QStringList{"0", "0.2", "0.4", "0.6", "0.8", "1.0"};
        QTest::newRow("decimal comma")
            << 0.0 << 1.0 << false << "," << QStringList{"0", "0,2", "0,4", "0,6", "0,8", "1,0"};
    }
    void ticks()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(bool, fromZero);
        QFETCH(QString, separator);
        QFETCH(QStringList, expected);
        const ChartScale scale = NiceScale(low, high, 7, fromZero, separator.at(0));
        QCOMPARE(labels(scale), expected);
        QCOMPARE(scale.ticks.front().value, scale.min);
        QCOMPARE(scale.ticks.back().value, scale.max);
    }

    // Whatever the range, the axis holds it, its ends are finite, the ticks stay within
    // the number asked for and no two read the same.
    void holdsEveryRange_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("maxTicks");
        QTest::newRow("widest doubles") << -1.7e308 << 1.7e308 << 6;
        QTest::newRow("largest double alone") << 1.7e308 << 1.7e308 << 6;
        QTest::newRow("smallest doubles") << 5e-324 << 1e-322 << 6;
        QTest::newRow("values equal to 15 digits") << 1000.0 << 1000.0000000001 << 6;
        QTest::newRow("two ticks asked") << 1.0 << 999.0 << 2;
        QTest::newRow("one tick asked") << 1.0 << 999.0 << 1;
        QTest::newRow("reversed") << 10.0 << 1.0 << 6;
        QTest::newRow("odd range") << 0.37 << 0.41 << 9;
    }
    void holdsEveryRange()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, maxTicks);
        const ChartScale scale = NiceScale(low, high, maxTicks, false, u'.');
        QVERIFY(std::isfinite(scale.min) && std::isfinite(scale.max));
        QVERIFY(scale.min < scale.max);
        if (low <= high) {
            QVERIFY(scale.min <= low);
            QVERIFY(scale.max >= high);
        }
        QVERIFY(scale.ticks.size() >= 2);
        QVERIFY(int(scale.ticks.size()) <= std::max(maxTicks, 2));
        const QStringList texts = labels(scale);
        QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), texts.size());
    }

    void xTickLabelsDoNotOverlap_data()
    {
        QTest::addColumn<double>("width");
        QTest::newRow("wide chart") << 900.0;
        QTest::newRow("narrow chart") << 200.0;
    }
    void xTickLabelsDoNotOverlap()
    {
        QFETCH(double, width);
        ChartData data;
        data.series.push_back(
            {QStringLiteral("a"), 0xFF000000, ChartStyle::Points, {123456.0, 987654.0}, {1, 2}});
        const ChartLayout layout = LayOutChart(data, QSizeF(width, 300), estimate(), u'.');
        QVERIFY(layout.xTicks.size() >= 2);
        for (size_t i = 1; i < layout.xTicks.size(); ++i) {
            const double room = layout.xTicks[i].at - layout.xTicks[i - 1].at;
            const double needed
                = (EstimatedTextWidth(layout.xTicks[i].label, ChartFontPixels)
                      + EstimatedTextWidth(layout.xTicks[i - 1].label, ChartFontPixels))
                / 2;
            QVERIFY2(room > needed, qPrintable(layout.xTicks[i].label));
        }
    }
};

class ChartPointsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A million points come down to at most one a pixel, and the least and greatest x
    // and y are among them however the pixels were shared.
    void reductionKeepsTheExtremes()
    {
        std::mt19937 random(17);
        std::uniform_real_distribution<double> value(0, 1000);
        std::vector<double> xs(1'000'000);
        std::vector<double> ys(xs.size());
        for (size_t i = 0; i < xs.size(); ++i) {
            xs[i] = value(random);
            ys[i] = value(random);
        }
        xs[123] = -1; // one point reaches further left than all the others
        ys[777'777] = 1001;
        const ChartMapping mapping{QRectF(10, 10, 100, 50), -1, 1000, 0, 1001};
        std::vector<ChartLaidPoint> out;
        QCOMPARE(ReducePoints(xs, ys, 0, mapping, out), 0);
        QVERIFY(out.size() <= 101 * 51);
        QVERIFY(out.size() > 4000); // the random cloud fills its pixels
        auto kept = [&out](quint32 index) {
            return std::any_of(out.begin(), out.end(),
                [index](const ChartLaidPoint& p) { return p.index == index; });
        };
        const auto [minX, maxX] = std::minmax_element(xs.begin(), xs.end());
        const auto [minY, maxY] = std::minmax_element(ys.begin(), ys.end());
        for (auto it : {minX, maxX})
            QVERIFY(kept(quint32(it - xs.begin())));
        for (auto it : {minY, maxY})
            QVERIFY(kept(quint32(it - ys.begin())));
        QVERIFY(kept(123));
        QVERIFY(kept(777'777));
        for (const ChartLaidPoint& p : out)
            QVERIFY(mapping.plot.adjusted(-0.5, -0.5, 0.5, 0.5).contains(QPointF(p.x, p.y)));
    }

    void nonFiniteValuesAreLeftOutAndCounted()
    {
        ChartData data;
        data.series.push_back({QStringLiteral("圆桩"), 0xFF0000FF, ChartStyle::Points,
            {1, NaN, 3, Inf, 5}, {10, 20, NaN, 40, 50}});
        const ChartLayout layout = LayOutChart(data, QSizeF(400, 300), estimate(), u'.');
        QCOMPARE(layout.leftOut, 3);
        QCOMPARE(layout.points.size(), size_t(2));
        QCOMPARE(layout.legend.size(), size_t(2));
        QCOMPARE(layout.legend[0].text, QStringLiteral("圆桩 (2)"));
        QCOMPARE(layout.legend[1].text, QStringLiteral("非数值未画：3"));
        QVERIFY(layout.xScale.min <= 1 && layout.xScale.max >= 5);
    }

    void hitTestFindsTheNearestPoint()
    {
        ChartData data;
        data.series.push_back(
            {QStringLiteral("a"), 0, ChartStyle::Points, {0, 10, 20}, {0, 10, 20}, {7, 8, 9}});
        const ChartLayout layout = LayOutChart(data, QSizeF(400, 300), estimate(), u'.');
        const ChartMapping m{layout.plot, layout.xScale.min, layout.xScale.max, layout.yScale.min,
            layout.yScale.max};
        const auto hit = HitTest(layout, data, QPointF(m.px(10) + 3, m.py(10) - 2));
        QVERIFY(hit);
        QCOMPARE(hit->row, 8);
        QVERIFY(QLineF(hit->at, QPointF(m.px(10), m.py(10))).length() < 0.01);
        QVERIFY(!HitTest(layout, data, QPointF(m.px(15), m.py(5))));
        QCOMPARE(DescribeHit(data, *hit, u'.'), QStringLiteral("a：10，10"));
    }

    // The two bounds of a narrow filter band: both labels readable, one above the band,
    // one below it.
    void labelsOfCloseLinesDoNotOverlap()
    {
        ChartData data;
        data.series.push_back({QStringLiteral("a"), 0, ChartStyle::Points, {0, 10}, {0, 250000}});
        data.lines.push_back({10000, QStringLiteral("筛选下限 10000 kN"), 0, true});
        data.lines.push_back({11000, QStringLiteral("筛选上限 11000 kN"), 0, true});
        const ChartLayout layout = LayOutChart(data, QSizeF(600, 400), estimate(), u'.');
        QCOMPARE(layout.lines.size(), size_t(2));
        const ChartLaidLine& upper = layout.lines[0];
        const ChartLaidLine& lower = layout.lines[1];
        QCOMPARE(upper.label, QStringLiteral("筛选上限 11000 kN"));
        QVERIFY(upper.labelAt.y() < upper.line.y1());
        QVERIFY(lower.labelAt.y() - ChartFontPixels > lower.line.y1());
        QVERIFY(lower.labelAt.y() - upper.labelAt.y() >= ChartFontPixels);
    }

    void barsAreHitAndColouredOneByOne()
    {
        ChartData data;
        data.categories = {QStringLiteral("ZH1"), QStringLiteral("ZH2")};
        data.yAxis = {QStringLiteral("N/[P]"), QStringLiteral("%")};
        data.series.push_back({QStringLiteral("N/[P]"), 0xFF00FF00, ChartStyle::Bars, {0, 1},
            {80, 120}, {}, {0xFF00FF00, 0xFFFF0000}});
        const ChartLayout layout = LayOutChart(data, QSizeF(400, 300), estimate(), u'.');
        QCOMPARE(layout.bars.size(), size_t(2));
        QCOMPARE(layout.bars[1].color, 0xFFFF0000);
        QVERIFY(layout.bars[1].rect.height() > layout.bars[0].rect.height());
        QCOMPARE(layout.xTicks.size(), size_t(2));
        QCOMPARE(layout.xTicks[1].label, QStringLiteral("ZH2"));
        const auto hit = HitTest(layout, data, layout.bars[1].rect.center());
        QVERIFY(hit);
        QCOMPARE(hit->row, 1);
        QCOMPARE(DescribeHit(data, *hit, u'.'), QStringLiteral("N/[P]：ZH2，N/[P] = 120 %"));
    }
};

class ChartPanelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pileChartShowsTheShallowSocketStep()
    {
        FormFixture f;
        ChartPanel chart(*f);
        chart.Open();
        QCOMPARE(chart.kind(), ChartKind::Pile);
        const ChartData& data = chart.data();
        QVERIFY(data.note.isEmpty());
        QCOMPARE(data.xRange->second, 4000.0); // 4 d of the default 1000 mm pile
        const ChartSeries& line = data.series.at(0);
        // Two points at 0.5 m, the second one higher: the side resistance sets in.
        const auto at = std::find(line.x.begin(), line.x.end(), 500.0);
        QVERIFY(at != line.x.end());
        const size_t i = size_t(at - line.x.begin());
        QVERIFY(line.x[i + 1] > 500 && line.x[i + 1] < 500.001);
        QVERIFY(line.y[i + 1] > line.y[i] * 1.2);
        QCOMPARE(data.marks.size(), size_t(1));
        QCOMPARE(data.marks[0].x, 1000.0); // the default "1.0d"
        // The mark reads what "计算" shows at the finest precision.
        f->popbox_jingdu.setItemIndex(0);
        f->cbt_compute.click();
        QVERIFY(chart.refresh());
        QVERIFY(data.marks[0].label.endsWith(QStringLiteral("[P] = %1 kN").arg(f->edt_ra.text())));
    }

    void pileChartFollowsThePanel()
    {
        FormFixture f;
        ChartPanel chart(*f);
        chart.Open();
        f->cbe_hr.commit(QStringLiteral("2500"));
        QVERIFY(chart.refresh());
        QCOMPARE(chart.data().marks.at(0).x, 2500.0);
        QVERIFY(!chart.refresh());
        f->cbe_dd.commit(QStringLiteral("abc"));
        QVERIFY(chart.refresh());
        QCOMPARE(chart.data().note, QStringLiteral("桩身直径数据有错"));
        QVERIFY(chart.layout().points.empty());
        QVERIFY(chart.layout().xTicks.size() >= 2); // the axes stay
    }

    void optimizationChartOfTheGridOnDisplay()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        ChartPanel chart(*f);
        chart.Open();
        QCOMPARE(chart.kind(), ChartKind::Optimization);
        QCOMPARE(pointsIn(chart.data()), 384);
        QCOMPARE(chart.data().series.size(), size_t(4));
        // The default band, 10000 to 11000 kN.
        QCOMPARE(chart.data().lines.size(), size_t(2));
        QCOMPARE(chart.data().lines[0].y, 10000.0);
        QCOMPARE(chart.data().lines[1].y, 11000.0);
        // The embedment multiples become mm: 1.0d to 3.0d of 1000 to 2000 mm.
        const ChartScale& x = chart.layout().xScale;
        QVERIFY(x.min <= 1000 && x.max >= 6000);
        // A 0 sets no limit, and draws no line.
        f->Grid1_Youhuaxuanxiang.editCell(1, 11, QStringLiteral("0"));
        f->Grid1_Youhuaxuanxiang.editCell(2, 11, QStringLiteral("0"));
        QVERIFY(chart.refresh());
        QVERIFY(chart.data().lines.empty());

        f->Grid1_Youhuaxuanxiang.editCell(1, 11, QStringLiteral("10000"));
        f->Grid1_Youhuaxuanxiang.editCell(2, 11, QStringLiteral("20000"));
        f->cbt_YHsaixuan.click();
        QVERIFY(chart.refresh());
        QCOMPARE(pointsIn(chart.data()), f->Grid3_Youhuasaixuan.rowCount());
        QCOMPARE(chart.data().lines.size(), size_t(2));
        QCOMPARE(chart.data().lines[1].y, 20000.0);
        QVERIFY(chart.data().title.startsWith(QStringLiteral("筛选结果")));
    }

    void clickSelectsTheRowInTheGrid_data()
    {
        QTest::addColumn<int>("axis");
        QTest::newRow("against hr") << int(ChartAxis::Embedment);
        QTest::newRow("against d|a") << int(ChartAxis::FirstDimension);
        QTest::newRow("against R") << int(ChartAxis::Strength);
    }
    void clickSelectsTheRowInTheGrid()
    {
        QFETCH(int, axis);
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        ChartPanel chart(*f);
        chart.Open();
        chart.pickAxis(ChartAxis(axis));
        const ChartLaidPoint point = chart.layout().points.at(chart.layout().points.size() / 2);
        chart.hover(QPointF(point.x, point.y));
        QVERIFY(chart.hovered());
        const int row = chart.hovered()->row;
        const StringGrid& grid = f->Grid2_Youhuajieguo;
        QVERIFY(chart.readout().startsWith(grid.cell(0, row) + u' '));
        QVERIFY(chart.readout().endsWith(QStringLiteral("[P] = %1 kN").arg(grid.cell(4, row))));
        chart.click(QPointF(point.x, point.y));
        QCOMPARE(grid.selectedRow(), row);
        chart.leave();
        QCOMPARE(chart.readout(), QString());
    }

    void emptyAndSingleRowGrids()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        ChartPanel chart(*f);
        chart.Open();
        QCOMPARE(pointsIn(chart.data()), 0);
        QVERIFY(chart.layout().xTicks.size() >= 2);
        QVERIFY(chart.layout().yTicks.size() >= 2);
        chart.click(chart.layout().plot.center()); // nothing there, nothing happens

        // One section, one diameter, one depth, one strength, one process, one condition.
        for (int row = 0; row < 10; ++row) {
            const QString first = f->Grid1_Youhuaxuanxiang.cell(1, row);
            f->Grid1_Youhuaxuanxiang.editCell(2, row, first);
        }
        f->cbt_YHcompute.click();
        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 1);
        QVERIFY(chart.refresh());
        QCOMPARE(chart.layout().points.size(), size_t(1));
        const ChartLaidPoint point = chart.layout().points[0];
        QVERIFY(chart.layout().plot.contains(QPointF(point.x, point.y)));
        chart.click(QPointF(point.x, point.y));
        QCOMPARE(f->Grid2_Youhuajieguo.selectedRow(), 0);
    }

    void exportWritesTheFileOrReportsTheFailure()
    {
        FormFixture f;
        ChartPanel chart(*f);
        chart.Open();
        const QString path = chart.exportPath(QStringLiteral("png"));
        QVERIFY(path.startsWith(f.platform.documents.path()));
        QVERIFY(path.endsWith(QStringLiteral("嵌岩桩图表_单桩.png")));
        chart.Export(path, [] { return QByteArray("first"); });
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("first"));
        file.close();

        // A "folder" that is a file cannot take one.
        const QString blocked = path + QStringLiteral("/chart.png");
        chart.Export(blocked, [] { return QByteArray("second"); });
        const QStringList errors = f.platform.takeErrors();
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors[0].contains(QStringLiteral("chart.png")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("first"));
    }
};

class ProjectChartTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void barsOfTheUtilisation()
    {
        project::Project bridge;
        for (const auto& [label, N] : {std::pair(QStringLiteral("1#墩-1"), std::optional(9000.0)),
                 std::pair(QStringLiteral("1#墩-2"), std::optional(12000.0)),
                 std::pair(QStringLiteral("2#墩-1"), std::optional<double>())}) {
            project::Pile pile;
            pile.label = label;
            pile.N = N;
            QVERIFY(!project::ComputePile(pile, u'.'));
            bridge.append(pile);
        }
        const ChartData data = ProjectChartData(bridge, u'.');
        QCOMPARE(data.categories.size(), size_t(2));
        QCOMPARE(data.categories[1], QStringLiteral("ZH2 1#墩-2"));
        const ChartSeries& bars = data.series.at(0);
        QCOMPARE(bars.colors.size(), size_t(2));
        QVERIFY(bars.colors[0] != bars.colors[1]); // 9000 kN is carried, 12000 kN is not
        QCOMPARE(bars.colors[1], 0xFFD62728);
        QVERIFY(bars.y[0] < 100 && bars.y[1] > 100);
        QCOMPARE(data.lines.at(0).y, 100.0);
        QVERIFY(data.title.contains(QStringLiteral("不满足 1 根")));
        QVERIFY(data.title.endsWith(QStringLiteral("无设计荷载：ZH3")));

        const ChartLayout layout = LayOutChart(data, QSizeF(500, 300), estimate(), u'.');
        const auto hit = HitTest(layout, data, layout.bars[1].rect.center());
        QVERIFY(hit);
        QCOMPARE(hit->row, 1);
        QVERIFY(DescribeHit(data, *hit, u'.')
                    .startsWith(QStringLiteral("ZH2 1#墩-2  N = 12000 kN  [P] = 10210 kN")));
        QVERIFY(DescribeHit(data, *hit, u'.').endsWith(QStringLiteral("不满足")));
    }

    void noDesignLoadNoBars()
    {
        project::Project bridge;
        project::Pile pile;
        QVERIFY(!project::ComputePile(pile, u'.'));
        bridge.append(pile);
        const ChartData data = ProjectChartData(bridge, u'.');
        QVERIFY(data.categories.empty());
        QVERIFY(!data.note.isEmpty());
        const ChartLayout layout = LayOutChart(data, QSizeF(500, 300), estimate(), u'.');
        QVERIFY(layout.bars.empty());
        QVERIFY(layout.yTicks.size() >= 2);
    }

    void pileChartShowsTheLoadAndTheRequiredSocket()
    {
        FormFixture f;
        project::Pile pile;
        pile.N = 40000; // beyond what 4 d of the default pile carries
        QVERIFY(!project::ComputePile(pile, u'.'));
        ChartData chart = PileChartData(*f);
        AddDesignLoad(chart, pile, u'.');
        QCOMPARE(chart.lines.size(), size_t(1));
        QCOMPARE(chart.lines[0].y, 40000.0);
        QCOMPARE(chart.marks.size(), size_t(2));
        const ChartMark& socket = chart.marks[1];
        const project::RequiredSocket required = project::RequiredEmbedment(pile);
        QCOMPARE(socket.x, required.hr);
        QVERIFY(socket.y >= 40000);
        QVERIFY(chart.xRange->second > required.hr);
        QVERIFY(chart.series[0].x.back() >= required.hr); // the curve reaches it
    }
};

ROCKPILE_TEST(ChartScaleTest)
ROCKPILE_TEST(ChartPointsTest)
ROCKPILE_TEST(ChartPanelTest)
ROCKPILE_TEST(ProjectChartTest)

#include "chart_test.moc"
