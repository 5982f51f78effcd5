// The optimization run as a user drives it: "★", ranges typed into the options table,
// "计算"; the result grid, the status line and the buttons read back as shown.

#include "tests/formfixture.h"
#include "tests/testmain.h"

#include <QTest>

using namespace ui;

namespace {

const QString Aborted = QStringLiteral("运行中止，主界面可查看中止位置、原因");

struct Range {
    int row;
    QString minimum;
    QString maximum;
    QString step;
};

void openOptimization(FormFixture& f)
{
    f->cbt_YouHua.click();
}

void setRange(FormFixture& f, const Range& r)
{
    f->Grid1_Youhuaxuanxiang.editCell(1, r.row, r.minimum);
    f->Grid1_Youhuaxuanxiang.editCell(2, r.row, r.maximum);
    f->Grid1_Youhuaxuanxiang.editCell(3, r.row, r.step);
}

QStringList row(const StringGrid& grid, int r)
{
    QStringList cells;
    for (int c = 0; c < grid.columnCount(); ++c)
        cells << grid.cell(c, r);
    return cells;
}

QStringList columnTexts(const StringGrid& grid, int c)
{
    QStringList cells;
    for (int r = 0; r < grid.rowCount(); ++r)
        cells << grid.cell(c, r);
    return cells;
}

// One value per range unless told otherwise: a circle of 1000, 1.0d, 35 MPa, bored,
// rock condition 1.
void singleCase(FormFixture& f)
{
    setRange(f, {0, "1", "1", "1"});
    setRange(f, {1, "1000", "1000", "0"});
    setRange(f, {6, "1.0d", "1.0d", "1.0d"});
    setRange(f, {7, "35.00", "35.00", "5.00"});
    setRange(f, {8, "2", "2", "1"});
    setRange(f, {9, "1", "1", "1"});
}

} // namespace

Q_DECLARE_METATYPE(Range)
Q_DECLARE_METATYPE(QList<Range>)

class OptimizationRunTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void defaultOptionsGive384Cases()
    {
        FormFixture f;
        openOptimization(f);
        f->cbt_YHcompute.click();
        const StringGrid& grid = f->Grid2_Youhuajieguo;
        QVERIFY(f.platform.errors.isEmpty());
        QCOMPARE(grid.rowCount(), 384);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("计算完成，桩数：384 根"));
        QCOMPARE(f->lb_YHxingxi.textColor(), ColorBlack);
        QCOMPARE(grid.cell(0, 0), QStringLiteral("ZH-001"));
        QCOMPARE(grid.cell(0, 9), QStringLiteral("ZH-010"));
        QCOMPARE(grid.cell(0, 383), QStringLiteral("ZH-384"));

        // d = 1000 at 1.0d and 35 MPa: driven with both rock conditions, then bored.
        QCOMPARE(row(grid, 0),
            QStringList({"ZH-001", "圆  桩", "1000", "-", "12370", "0", "35.00", "打入震沉",
                "匀质完整", "0.45", "-", "-", "12370", "100%", "0", "0%", ""}));
        QCOMPARE(row(grid, 1),
            QStringList({"ZH-002", "圆  桩", "1000", "-", "8247", "0", "35.00", "打入震沉",
                "裂缝风化", "0.30", "-", "-", "8247", "100%", "0", "0%", ""}));
        QCOMPARE(row(grid, 2),
            QStringList({"ZH-003", "圆  桩", "1000", "-", "18143", "1.0d", "35.00", "钻(挖)孔",
                "良好", "-", "0.50", "0.04", "13744", "76%", "4398", "24%", ""}));
        QCOMPARE(row(grid, 3),
            QStringList({"ZH-004", "圆  桩", "1000", "-", "14294", "1.0d", "35.00", "钻(挖)孔",
                "一般", "-", "0.40", "0.03", "10996", "77%", "3299", "23%", ""}));
        // The same four at 40 MPa, then the bored cases at 2.0d and 3.0d.
        QCOMPARE(grid.cell(6, 4), QStringLiteral("40.00"));
        QCOMPARE(grid.cell(7, 4), QStringLiteral("打入震沉"));
        QCOMPARE(grid.cell(5, 8), QStringLiteral("2.0d"));
        QCOMPARE(grid.cell(5, 12), QStringLiteral("3.0d"));
        QCOMPARE(grid.cell(2, 16), QStringLiteral("1500"));
        QCOMPARE(grid.cell(1, 48), QStringLiteral("椭圆桩"));
        QCOMPARE(grid.cell(5, 50), QStringLiteral("1.0d"));
        QCOMPARE(grid.cell(1, 192), QStringLiteral("矩形桩"));
        QCOMPARE(grid.cell(5, 194), QStringLiteral("1.0b"));
        QCOMPARE(grid.cell(1, 336), QStringLiteral("方  桩"));
        QCOMPARE(columnTexts(grid, 1).count(QStringLiteral("方  桩")), 48);

        QVERIFY(!f->cbt_YHcompute.isEnabled());
        QVERIFY(f->cbt_YHsaixuan.isEnabled());
        QVERIFY(f->cbt_YHsave.isEnabled());
        QVERIFY(grid.isVisible());
        QVERIFY(!f->Grid3_Youhuasaixuan.isVisible());
        QCOMPARE(f->OptimizationMode, 1);
        // Nothing reaches the reports while the optimization screen is in use.
        QCOMPARE(f->ReportPileCount, 0);
        QVERIFY(f->meo_jisuanjieguo_Doc.lines().isEmpty());

        // The panel keeps the last case: a 2000 square, 3.0b, 40 MPa, bored, fair.
        QCOMPARE(f->cbb_jmlx.itemIndex(), 2);
        QCOMPARE(f->cbe_dd.text(), QStringLiteral("2000"));
        QCOMPARE(f->cbe_tyzd.text(), QStringLiteral("2000"));
        QCOMPARE(f->cbe_hr.text(), QStringLiteral("3.0b"));
        QCOMPARE(f->edt_frk.text(), QStringLiteral("40.00"));
        QCOMPARE(f->cbb_czgy.itemIndex(), 1);
        QCOMPARE(f->cbb_ysjqdqk.itemIndex(), 1);
        QCOMPARE(f->edt_ra.text(), grid.cell(4, 383));
    }

    // Under a comma locale the defaults and every case read and write the comma: the
    // same cases as under a point locale, with the comma in each number text. A depth of
    // 1,5d and a strength of 37,50 are 1.5 d and 37.5 MPa all the way through the panel.
    void commaLocaleRunsTheSameCases()
    {
        FormFixture point;
        FormFixture comma(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(comma->Grid1_Youhuaxuanxiang.cell(1, 6), QStringLiteral("1,0d"));
        QCOMPARE(comma->Grid1_Youhuaxuanxiang.cell(3, 7), QStringLiteral("5,00"));
        for (FormFixture* f : {&point, &comma}) {
            openOptimization(*f);
            (*f)->cbt_YHcompute.click();
        }
        const StringGrid& expected = point->Grid2_Youhuajieguo;
        const StringGrid& grid = comma->Grid2_Youhuajieguo;
        QCOMPARE(grid.rowCount(), 384);
        QCOMPARE(comma->lb_YHxingxi.text(), QStringLiteral("计算完成，桩数：384 根"));
        for (int r = 0; r < grid.rowCount(); ++r)
            QCOMPARE(row(grid, r).join('|'), row(expected, r).join('|').replace('.', ','));

        for (FormFixture* f : {&point, &comma}) {
            const bool commas = f == &comma;
            singleCase(*f);
            const QString embedment = commas ? QStringLiteral("1,5d") : QStringLiteral("1.5d");
            const QString strength = commas ? QStringLiteral("37,50") : QStringLiteral("37.50");
            setRange(*f, {6, embedment, embedment, embedment});
            setRange(*f, {7, strength, strength, strength});
            (*f)->cbt_YHcompute.click();
        }
        QCOMPARE(grid.rowCount(), 1);
        QCOMPARE(grid.cell(5, 0), QStringLiteral("1,5d"));
        QCOMPARE(grid.cell(6, 0), QStringLiteral("37,50"));
        QCOMPARE(grid.cell(4, 0), expected.cell(4, 0));
        QCOMPARE(row(grid, 0).join('|'), row(expected, 0).join('|').replace('.', ','));
    }

    // Each case starts from one value per range (see singleCase) and changes some.
    void rangeRules_data()
    {
        QTest::addColumn<QList<Range>>("ranges");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("texts");

        QTest::newRow("minimum above maximum gives the minimum")
            << QList<Range>{{1, "1500", "1000", "100"}} << 2 << QStringList{"1500"};
        QTest::newRow("equal bounds give one value")
            << QList<Range>{{1, "1200", "1200", "100"}} << 2 << QStringList{"1200"};
        QTest::newRow("step 0 gives both ends")
            << QList<Range>{{1, "1000", "2000", "0"}} << 2 << QStringList{"1000", "2000"};
        QTest::newRow("negative step gives both ends")
            << QList<Range>{{1, "1000", "2000", "-5"}} << 2 << QStringList{"1000", "2000"};
        QTest::newRow("step beyond the range gives both ends")
            << QList<Range>{{1, "1000", "2000", "5000"}} << 2 << QStringList{"1000", "2000"};
        QTest::newRow("step 300 never reaches the maximum") << QList<Range>{
            {1, "1000", "2000", "300"}} << 2 << QStringList{"1000", "1300", "1600", "1900"};
        QTest::newRow("step 400 ends at the maximum") << QList<Range>{
            {1, "1000", "2000", "400"}} << 2 << QStringList{"1000", "1400", "1800", "2000"};
        QTest::newRow("step 600 rounds the count up")
            << QList<Range>{{1, "1000", "2000", "600"}} << 2 << QStringList{"1000", "1600", "2000"};
        QTest::newRow("fractional dimensions in the general form") << QList<Range>{
            {1, "1000.5", "1001.25", "0.75"}} << 2 << QStringList{"1000.5", "1001.25"};

        const QList<Range> oneOfEach{{2, "1000", "1000", "0"}, {3, "2000", "2000", "0"},
            {4, "1000", "1000", "0"}, {5, "1500", "1500", "0"}};
        QTest::newRow("section codes 1-4 step 2 give 1 and 3")
            << (QList<Range>{{0, "1", "4", "2"}} + oneOfEach) << 1
            << QStringList{"圆  桩", "矩形桩"};
        QTest::newRow("section codes 0-9 are read as 1-4")
            << (QList<Range>{{0, "0", "9", "1"}} + oneOfEach) << 1
            << QStringList{"圆  桩", "椭圆桩", "矩形桩", "方  桩"};
        QTest::newRow("process codes 0-5 are read as 1-2")
            << QList<Range>{{8, "0", "5", "1"}} << 7 << QStringList{"打入震沉", "钻(挖)孔"};
        QTest::newRow("rock codes 0-9 with both processes") << QList<Range>{{8, "1", "2", "1"},
            {9, "0", "9", "1"}} << 8 << QStringList{"匀质完整", "裂缝风化", "良好", "一般", "较差"};
        QTest::newRow("code steps are not clamped")
            << QList<Range>{{9, "1", "3", "5"}} << 8 << QStringList{"良好", "较差"};
        QTest::newRow("driven piles take the first embedment only") << QList<Range>{
            {6, "1.0d", "3.0d", "1.0d"}, {8, "1", "1", "1"}} << 5 << QStringList{"0"};
        QTest::newRow("embedment in millimetres") << QList<Range>{{6, "1000", "3000", "1000"},
            {8, "1", "2", "1"}} << 5 << QStringList{"0", "1000", "2000", "3000"};
        QTest::newRow("multiples are written with one decimal")
            << QList<Range>{{6, "1.0d", "1.2d", "0.05d"}} << 5
            << QStringList{"1.0d", "1.1d", "1.1d", "1.2d", "1.2d"};
        QTest::newRow("text after the d is ignored")
            << QList<Range>{{6, "1.5dx", "1.5d", "1d"}} << 5 << QStringList{"1.5d"};
        QTest::newRow("strengths with two decimals")
            << QList<Range>{{7, "35", "36", "0.5"}} << 6 << QStringList{"35.00", "35.50", "36.00"};
        QTest::newRow("an ellipse names its straight length") << QList<Range>{{0, "2", "2", "1"},
            {2, "800", "1200", "400"}} << 3 << QStringList{"800", "1200"};
        QTest::newRow("a square repeats its side") << QList<Range>{{0, "4", "4", "1"},
            {5, "1500", "1500", "0"}} << 3 << QStringList{"1500"};
        QTest::newRow("a square's depth is a multiple of b") << QList<Range>{{0, "4", "4", "1"},
            {5, "1500", "1500", "0"}} << 5 << QStringList{"1.0b"};
        // Every b is paired with the a asked for, even after a case swapped the sides.
        const QList<Range> rectangles{
            {0, "3", "3", "1"}, {3, "1000", "1000", "0"}, {4, "1000", "2000", "500"}};
        QTest::newRow("rectangles put the long side first")
            << rectangles << 2 << QStringList{"1000", "1500", "2000"};
        QTest::newRow("rectangles keep the asked short side")
            << rectangles << 3 << QStringList{"1000", "1000", "1000"};
        QTest::newRow("a rectangle with equal sides stays a rectangle")
            << rectangles << 1 << QStringList{"矩形桩", "矩形桩", "矩形桩"};
    }
    void rangeRules()
    {
        QFETCH(QList<Range>, ranges);
        QFETCH(int, column);
        QFETCH(QStringList, texts);
        FormFixture f;
        openOptimization(f);
        singleCase(f);
        for (const Range& r : ranges)
            setRange(f, r);
        f->cbt_YHcompute.click();
        QVERIFY2(f.platform.errors.isEmpty(), qPrintable(f.platform.errors.join('\n')));
        QCOMPARE(columnTexts(f->Grid2_Youhuajieguo, column), texts);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("计算完成，桩数：%1 根").arg(texts.size()));
    }

    // A refused range shows its message in red and leaves the grids empty; a cell that
    // is no number ends the run through the error report.
    void refusedRanges_data()
    {
        QTest::addColumn<QList<Range>>("ranges");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("conversionError");

        const QString limit = QStringLiteral("优化组合数超过1000000，请调整优化项");
        QTest::newRow("negative diameter")
            << QList<Range>{{1, "-1000", "2000", "500"}} << "桩径不能为负值" << false;
        QTest::newRow("negative diameter with rectangles only") << QList<Range>{{0, "3", "3", "1"},
            {1, "1000", "-1", "500"}} << "桩径不能为负值" << false;
        QTest::newRow("negative straight length")
            << QList<Range>{{2, "1000", "-2000", "500"}} << "椭圆直段不能为负值" << false;
        QTest::newRow("negative long side")
            << QList<Range>{{3, "-1", "3000", "500"}} << "矩形长边不能为负值" << false;
        QTest::newRow("negative short side")
            << QList<Range>{{4, "-1", "3000", "500"}} << "矩形短边不能为负值" << false;
        QTest::newRow("negative square side")
            << QList<Range>{{5, "-1", "3000", "500"}} << "方形边长不能为负值" << false;
        QTest::newRow("negative strength") << QList<Range>{{7, "-35.00", "40.00", "5.00"}}
                                           << "岩石单轴抗压强度不能为负值" << false;
        QTest::newRow("rows are checked in order")
            << QList<Range>{{1, "-1", "2000", "500"}, {2, "abc", "2000", "500"}} << "桩径不能为负值"
            << false;
        QTest::newRow("whole-number row with a fraction")
            << QList<Range>{{0, "1.0", "4", "1"}} << "" << true;
        QTest::newRow("empty cell") << QList<Range>{{7, "35.00", "", "5.00"}} << "" << true;
        QTest::newRow("hexadecimal code") << QList<Range>{{8, "0x10", "2", "1"}} << "" << true;
        QTest::newRow("multiple then millimetres")
            << QList<Range>{{6, "1.0d", "3000", "1.0d"}} << "" << true;
        QTest::newRow("millimetres then multiple")
            << QList<Range>{{6, "1000", "3.0d", "1000"}} << "" << true;
        QTest::newRow("capital D is no marker")
            << QList<Range>{{6, "1.0D", "3.0D", "1.0D"}} << "" << true;
        QTest::newRow("a step of 1e-9 mm")
            << QList<Range>{{1, "1000", "2000", "0.000000001"}} << limit << false;
        QTest::newRow("a step of 1e-300 mm")
            << QList<Range>{{1, "1000", "2000", "1e-300"}} << limit << false;
        QTest::newRow("one case too many")
            << QList<Range>{{1, "1", "1000001", "1"}} << limit << false;
        QTest::newRow("a long walk without cases") << QList<Range>{{6, "1.0d", "3.0d", "0.000001d"},
            {8, "1", "1", "1"}, {9, "3", "3", "1"}} << limit
                                                   << false;
    }
    void refusedRanges()
    {
        QFETCH(QList<Range>, ranges);
        QFETCH(QString, message);
        QFETCH(bool, conversionError);
        FormFixture f;
        openOptimization(f);
        f->cbt_YHcompute.click(); // a full list first: the refused run must empty it
        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 384);
        f->Grid2_Youhuajieguo.clickHeader(4);
        singleCase(f);
        for (const Range& r : ranges)
            setRange(f, r);
        f->cbt_YHcompute.click();

        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 0);
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 0);
        QCOMPARE(f.platform.takeErrors().size(), conversionError ? 1 : 0);
        QCOMPARE(f->lb_YHxingxi.text(), message);
        if (!conversionError)
            QCOMPARE(f->lb_YHxingxi.textColor(), ColorRed);
        // Nothing else changes: buttons, sort state and the panel stay as they were.
        QVERIFY(f->cbt_YHcompute.isEnabled());
        QVERIFY(f->cbt_YHsave.isEnabled());
        QCOMPARE(f->PSortOrder, 1);
        QCOMPARE(f->OptimizationMode, 1);
        QCOMPARE(f->cbe_dd.text(), QStringLiteral("2000"));
        // The mark of the sorted list went with its rows.
        QCOMPARE(f->Grid2_Youhuajieguo.header(4), QStringLiteral(" [P](kN)"));
    }

    // A cell that is no number is named in the error report by its row's label and its
    // column's header, as the user finds it in the options table.
    void conversionErrorNamesTheCell_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty maximum depth")
            << Range{6, "1.0d", "", "1.0d"} << "嵌岩深度 h(mm) / 最大值：“”不是有效的数值";
        QTest::newRow("millimetres after a multiple")
            << Range{6, "1.0d", "3000", "1.0d"} << "嵌岩深度 h(mm) / 最大值：“3000”不是有效的数值";
        QTest::newRow("strength step") << Range{7, "35.00", "40.00", "5,00"}
                                       << "岩石强度 R(MPa) / 步进值：“5,00”不是有效的数值";
        QTest::newRow("a section code with a fraction")
            << Range{0, "1.5", "4", "1"} << "桩身截面类型 / 最小值：“1.5”不是有效的整数";
    }
    void conversionErrorNamesTheCell()
    {
        QFETCH(Range, range);
        QFETCH(QString, error);
        FormFixture f;
        openOptimization(f);
        setRange(f, range);
        f->cbt_YHcompute.click();
        QCOMPARE(f.platform.takeErrors(), QStringList{error});
        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 0);
    }

    void filterBoundThatIsNoNumberNamesTheCell_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("error");
        QTest::newRow("lower bound") << "abc"
                                     << "11000"
                                     << "筛选 [P](kN) / 最小值：“abc”不是有效的数值";
        QTest::newRow("upper bound") << "10000"
                                     << ""
                                     << "筛选 [P](kN) / 最大值：“”不是有效的数值";
    }
    void filterBoundThatIsNoNumberNamesTheCell()
    {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(QString, error);
        FormFixture f;
        openOptimization(f);
        singleCase(f);
        f->cbt_YHcompute.click();
        f->Grid1_Youhuaxuanxiang.editCell(1, 11, lower);
        f->Grid1_Youhuaxuanxiang.editCell(2, 11, upper);
        f->cbt_YHsaixuan.click();
        QCOMPARE(f.platform.takeErrors(), QStringList{error});
    }

    void rejectedCaseStopsTheRunWithProvisionalNumbers()
    {
        FormFixture f;
        openOptimization(f);
        f->cbt_YHcompute.click();
        f->Grid2_Youhuajieguo.clickHeader(2);
        singleCase(f);
        // The circles pass; the first ellipse has no straight length.
        setRange(f, {0, "1", "2", "1"});
        setRange(f, {1, "1000", "1200", "200"});
        setRange(f, {2, "0", "0", "0"});
        f->cbt_YHcompute.click();

        const StringGrid& grid = f->Grid2_Youhuajieguo;
        QCOMPARE(columnTexts(grid, 0), QStringList({"1", "2"}));
        QCOMPARE(columnTexts(grid, 2), QStringList({"1000", "1200"}));
        QCOMPARE(f->lb_YHxingxi.text(), Aborted);
        QCOMPARE(f->lb_YHxingxi.textColor(), ColorRed);
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("椭圆直段长度数据有错"));
        QCOMPARE(f->cbe_tyzd.textColor(), ColorRed);
        QVERIFY(f.platform.errors.isEmpty());
        // No completion: buttons and sort state as before the run; the emptied grids lost
        // their rows and with them the direction mark.
        QVERIFY(f->cbt_YHcompute.isEnabled());
        QCOMPARE(f->DSortOrder, 1);
        for (const StringGrid* grid : {&f->Grid2_Youhuajieguo, &f->Grid3_Youhuasaixuan}) {
            QCOMPARE(grid->header(2), QStringLiteral(" d|a(mm)"));
            QCOMPARE(grid->header(4), QStringLiteral(" [P](kN)"));
        }
        // The panel holds the rejected case.
        QCOMPARE(f->cbb_jmlx.itemIndex(), 1);
        QCOMPARE(f->cbe_tyzd.text(), QStringLiteral("0"));
    }

    void zeroDiameterStopsTheRunAtItsFirstCase()
    {
        FormFixture f;
        openOptimization(f);
        singleCase(f);
        setRange(f, {1, "0", "1000", "500"});
        f->cbt_YHcompute.click();
        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 0);
        QCOMPARE(f->lb_YHxingxi.text(), Aborted);
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("桩身直径数据有错"));
        QVERIFY(f->lb_shuoming.isVisible());
        QVERIFY(!f->img_logo.isVisible());
    }

    void runWithoutCases()
    {
        FormFixture f;
        openOptimization(f);
        setRange(f, {8, "1", "1", "1"});
        setRange(f, {9, "3", "3", "1"});
        f->cbt_YHcompute.click();
        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 0);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("调整优化项重新计算"));
        QCOMPARE(f->lb_YHxingxi.textColor(), ColorBlack);
        QVERIFY(!f->cbt_YHcompute.isEnabled());
        QVERIFY(!f->cbt_YHsaixuan.isEnabled());
        QVERIFY(!f->cbt_YHsave.isEnabled());
        QVERIFY(f.platform.errors.isEmpty());
    }

    void numberingFollowsTheRowCount_data()
    {
        QTest::addColumn<QString>("maximumStrength");
        QTest::addColumn<QStringList>("firstAndLast");
        QTest::newRow("9 cases") << "43.00" << QStringList{"ZH-1", "ZH-9"};
        QTest::newRow("10 cases") << "44.00" << QStringList{"ZH-01", "ZH-10"};
    }
    void numberingFollowsTheRowCount()
    {
        QFETCH(QString, maximumStrength);
        QFETCH(QStringList, firstAndLast);
        FormFixture f;
        openOptimization(f);
        singleCase(f);
        setRange(f, {7, "35.00", maximumStrength, "1.00"});
        f->cbt_YHcompute.click();
        const StringGrid& grid = f->Grid2_Youhuajieguo;
        QCOMPARE(QStringList({grid.cell(0, 0), grid.cell(0, grid.rowCount() - 1)}), firstAndLast);
    }

    // A new run starts from unsorted grids with plain headers, whatever came before.
    void runResetsSortingAndFilter()
    {
        FormFixture f;
        openOptimization(f);
        f->cbt_YHcompute.click();
        f->Grid1_Youhuaxuanxiang.editCell(1, 11, QStringLiteral("0"));
        f->Grid1_Youhuaxuanxiang.editCell(2, 11, QStringLiteral("0"));
        f->cbt_YHsaixuan.click();
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 384);
        f->Grid3_Youhuasaixuan.clickHeader(4);
        QCOMPARE(f->Grid3_Youhuasaixuan.header(4), QStringLiteral("[P](kN)▲"));
        f->Grid1_Youhuaxuanxiang.editCell(1, 1, QStringLiteral("1000"));
        f->cbt_YHcompute.click();
        QVERIFY(f->Grid2_Youhuajieguo.isVisible());
        QVERIFY(!f->Grid3_Youhuasaixuan.isVisible());
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 0);
        QCOMPARE(f->PSortOrder, 0);
        QCOMPARE(f->DSortOrder, 0);
        for (const StringGrid* grid : {&f->Grid2_Youhuajieguo, &f->Grid3_Youhuasaixuan}) {
            QCOMPARE(grid->header(2), QStringLiteral(" d|a(mm)"));
            QCOMPARE(grid->header(4), QStringLiteral(" [P](kN)"));
        }
    }
};

ROCKPILE_TEST(OptimizationRunTest)
#include "optimization_run_test.moc"
