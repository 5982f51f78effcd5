// The optimization screen after a run, as a user works with it: the options table's
// editable cells, the filter, header clicks, the expansion button and the double click
// that takes a case back to the input screen.

#include "tests/formfixture.h"
#include "tests/testmain.h"

#include <QTest>

#include <numeric>

using namespace ui;

namespace {

QList<QStringList> rows(const StringGrid& grid)
{
    QList<QStringList> all;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.columnCount(); ++c)
            cells << grid.cell(c, r);
        all << cells;
    }
    return all;
}

double number(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : qQNaN();
}

// The rows in the order the grid's exchange sort leaves them, done literally: for each
// i, scan j = i..n-1 and swap whenever the key at i is greater.
QList<QStringList> exchangeSorted(QList<QStringList> all, int column)
{
    for (qsizetype i = 0; i < all.size(); ++i) {
        double a = number(all[i][column]);
        for (qsizetype j = i; j < all.size(); ++j) {
            const double c = number(all[j][column]);
            if (a > c) {
                all.swapItemsAt(i, j);
                a = c;
            }
        }
    }
    return all;
}

QList<QStringList> reversed(QList<QStringList> all)
{
    std::reverse(all.begin(), all.end());
    return all;
}

void setBand(FormFixture& f, const QString& lower, const QString& upper)
{
    f->Grid1_Youhuaxuanxiang.editCell(1, 11, lower);
    f->Grid1_Youhuaxuanxiang.editCell(2, 11, upper);
}

// "★" and a run over the options of a freshly created form, rock codes 1-3.
void runAllConditions(FormFixture& f)
{
    f->cbt_YouHua.click();
    f->Grid1_Youhuaxuanxiang.editCell(2, 9, QStringLiteral("3"));
    f->cbt_YHcompute.click();
}

} // namespace

class OptimizationScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void optionsTableAtStart()
    {
        FormFixture f;
        const StringGrid& table = f->Grid1_Youhuaxuanxiang;
        QCOMPARE(table.rowCount(), 12);
        QCOMPARE(table.cell(4, 8), QStringLiteral("打入、震动下沉桩(管柱)1/钻(挖)孔灌注桩、管柱2"));
        QCOMPARE(table.cell(4, 6), QStringLiteral("矩形为短边倍数,也可直接输入数值(不可混用)"));
        QCOMPARE(table.cell(0, 9), QStringLiteral("岩层层开裂(破碎)情况"));
        for (int c = 0; c < 5; ++c)
            QCOMPARE(table.cell(c, 10), QString());
        QCOMPARE(table.cell(0, 11), QStringLiteral("筛选 [P](kN)"));
        QCOMPARE(table.cell(3, 11), QString());
        QCOMPARE(f->Grid2_Youhuajieguo.header(0), QStringLiteral("  桩编号"));
        QCOMPARE(f->Grid3_Youhuasaixuan.header(16), QStringLiteral("    备注"));
        QVERIFY(f->cbt_YHcompute.isEnabled());
        QVERIFY(!f->cbt_YHsaixuan.isEnabled());
        QVERIFY(!f->cbt_YHsave.isEnabled());
    }

    void onlyRangeAndBandCellsAreEditable_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("editable");
        QTest::newRow("label") << 0 << 3 << false;
        QTest::newRow("note") << 4 << 3 << false;
        QTest::newRow("row 10") << 2 << 10 << false;
        QTest::newRow("band step") << 3 << 11 << false;
        QTest::newRow("range minimum") << 1 << 0 << true;
        QTest::newRow("range step") << 3 << 9 << true;
        QTest::newRow("band upper") << 2 << 11 << true;
    }
    void onlyRangeAndBandCellsAreEditable()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(bool, editable);
        FormFixture f;
        f->cbt_YouHua.click();
        StringGrid& table = f->Grid1_Youhuaxuanxiang;
        const QString before = table.cell(column, row);
        table.selectCell(column, row);
        QCOMPARE(table.isReadOnly(), !editable);
        QCOMPARE(table.selectedRow(), row);
        table.editCell(column, row, QStringLiteral("7"));
        QCOMPARE(table.cell(column, row), editable ? QStringLiteral("7") : before);
    }

    void editsEnableTheirButtons()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        QVERIFY(!f->cbt_YHcompute.isEnabled());
        // Finishing an edit enables the run again, even with the text unchanged.
        f->Grid1_Youhuaxuanxiang.editCell(3, 7, QStringLiteral("5.00"));
        QVERIFY(f->cbt_YHcompute.isEnabled());
        f->cbt_YHsaixuan.click();
        QVERIFY(!f->cbt_YHsaixuan.isEnabled());
        f->Grid1_Youhuaxuanxiang.editCell(4, 3, QStringLiteral("x"));
        QVERIFY(!f->cbt_YHsaixuan.isEnabled());
        f->Grid1_Youhuaxuanxiang.editCell(1, 11, QStringLiteral("10000"));
        QVERIFY(f->cbt_YHsaixuan.isEnabled());
    }

    void filterBeforeAnyRun()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        setBand(f, QStringLiteral("0"), QStringLiteral("0"));
        f->cbt_YHsaixuan.click();
        QVERIFY(f->Grid3_Youhuasaixuan.isVisible());
        QVERIFY(!f->Grid2_Youhuajieguo.isVisible());
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 0);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("无满足条件桩，调整区间再筛选"));
        QVERIFY(!f->cbt_YHsaixuan.isEnabled());
        QVERIFY(!f->cbt_YHsave.isEnabled());
    }

    void filterBounds_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("the defaults") << "10000"
                                      << "11000" << 10000.0 << 11000.0;
        QTest::newRow("0 and 0 copy every row") << "0"
                                                << "0" << 0.0 << 1e300;
        QTest::newRow("no lower limit") << "0"
                                        << "11000" << 0.0 << 11000.0;
        QTest::newRow("negative bounds act like 0") << "-1"
                                                    << "-20000" << 0.0 << 1e300;
        QTest::newRow("bounds equal to shown values") << "12370"
                                                      << "18143" << 12370.0 << 18143.0;
        QTest::newRow("reversed bounds keep equal values only") << "18143"
                                                                << "11000" << 18143.0 << 18143.0;
        QTest::newRow("fractional bound") << "8246.5"
                                          << "8247" << 8246.5 << 8247.0;
    }
    void filterBounds()
    {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(double, from);
        QFETCH(double, to);
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        // A descending sort first: the filter keeps the list's current order.
        f->Grid2_Youhuajieguo.clickHeader(4);
        f->Grid2_Youhuajieguo.clickHeader(4);
        QList<QStringList> expected;
        for (const QStringList& row : rows(f->Grid2_Youhuajieguo)) {
            if (number(row[4]) >= from && number(row[4]) <= to)
                expected << row;
        }
        QVERIFY(!expected.isEmpty());
        setBand(f, lower, upper);
        f->cbt_YHsaixuan.click();

        QVERIFY(f.platform.errors.isEmpty());
        QCOMPARE(rows(f->Grid3_Youhuasaixuan), expected);
        QCOMPARE(
            f->lb_YHxingxi.text(), QStringLiteral("筛选完成，桩数：%1 根").arg(expected.size()));
        QCOMPARE(f->lb_YHxingxi.textColor(), ColorBlack);
        QVERIFY(f->Grid3_Youhuasaixuan.isVisible());
        QVERIFY(!f->Grid2_Youhuajieguo.isVisible());
        QVERIFY(!f->cbt_YHsaixuan.isEnabled());
        QVERIFY(f->cbt_YHsave.isEnabled());
        QCOMPARE(f->PSortOrder, 0);
        QCOMPARE(f->Grid3_Youhuasaixuan.header(4), QStringLiteral(" [P](kN)"));
        // The full list is left as it was.
        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 384);
        QCOMPARE(f->Grid2_Youhuajieguo.header(4), QStringLiteral("[P](kN)▼"));
    }

    void filteringsDoNotNarrowEachOther()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        setBand(f, QStringLiteral("10000"), QStringLiteral("11000"));
        f->cbt_YHsaixuan.click();
        const int narrow = f->Grid3_Youhuasaixuan.rowCount();
        setBand(f, QStringLiteral("0"), QStringLiteral("0"));
        f->cbt_YHsaixuan.click();
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 384);
        setBand(f, QStringLiteral("10000"), QStringLiteral("11000"));
        f->cbt_YHsaixuan.click();
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), narrow);
        // Pile numbers of the full list, with gaps.
        QVERIFY(f->Grid3_Youhuasaixuan.cell(0, 0).startsWith(QStringLiteral("ZH-")));
        QVERIFY(f->Grid3_Youhuasaixuan.cell(0, 0) != QStringLiteral("ZH-001"));
    }

    void filterComparesShownValues()
    {
        FormFixture f;
        f->popbox_jingdu.setItemIndex(4); // 百位取整: every [P] a multiple of 100
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        setBand(f, QStringLiteral("10050"), QStringLiteral("10099"));
        f->cbt_YHsaixuan.click();
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 0);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("无满足条件桩，调整区间再筛选"));
        QVERIFY(!f->cbt_YHsave.isEnabled());
    }

    void filterWithoutANumberChangesNothing()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        setBand(f, QString(), QStringLiteral("11000"));
        f->cbt_YHsaixuan.click();
        QCOMPARE(f.platform.takeErrors().size(), 1);
        QVERIFY(f->Grid2_Youhuajieguo.isVisible());
        QVERIFY(!f->Grid3_Youhuasaixuan.isVisible());
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("计算完成，桩数：384 根"));
        QVERIFY(f->cbt_YHsaixuan.isEnabled());
    }

    void sortingKeepsTheExchangeOrder()
    {
        FormFixture f;
        runAllConditions(f);
        StringGrid& grid = f->Grid2_Youhuajieguo;
        QCOMPARE(grid.rowCount(), 528);
        f->cbt_YHsave.setEnabled(false);

        // [P]: ascending, then reversed to descending, then back to ascending.
        QList<QStringList> expected = exchangeSorted(rows(grid), 4);
        grid.clickHeader(4);
        QCOMPARE(rows(grid), expected);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("[P]升序排列完成"));
        QCOMPARE(grid.header(4), QStringLiteral("[P](kN)▲"));
        QCOMPARE(grid.header(2), QStringLiteral(" d|a(mm)"));
        QCOMPARE(f->PSortOrder, 1);
        QVERIFY(f->cbt_YHsave.isEnabled());
        QCOMPARE(grid.selectedRow(), 0);
        QCOMPARE(grid.selectedColumn(), 4);
        grid.clickHeader(4);
        QCOMPARE(rows(grid), reversed(expected));
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("[P]降序排列完成"));
        QCOMPARE(grid.header(4), QStringLiteral("[P](kN)▼"));
        QCOMPARE(f->PSortOrder, 2);
        grid.clickHeader(4);
        QCOMPARE(rows(grid), expected);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("[P]升序排列完成"));
        QCOMPARE(f->PSortOrder, 1);

        // d from the [P] order, with many ties: sorted afresh, the [P] state cleared.
        expected = exchangeSorted(rows(grid), 2);
        grid.clickHeader(2);
        QCOMPARE(rows(grid), expected);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("d升序排列完成"));
        QCOMPARE(grid.header(2), QStringLiteral("d|a(mm)▲"));
        QCOMPARE(grid.header(4), QStringLiteral(" [P](kN)"));
        QCOMPARE(f->DSortOrder, 1);
        QCOMPARE(f->PSortOrder, 0);
        grid.clickHeader(2);
        QCOMPARE(rows(grid), reversed(expected));
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("d降序排列完成"));
        QCOMPARE(grid.header(2), QStringLiteral("d|a(mm)▼"));

        // Back to [P]: an ascending sort of the current order, not a reversal.
        expected = exchangeSorted(rows(grid), 4);
        grid.clickHeader(4);
        QCOMPARE(rows(grid), expected);
        QCOMPARE(f->DSortOrder, 0);
        grid.clickHeader(2);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("d升序排列完成"));
        // Pile numbers travel with their rows; the order is by value, not by text.
        QCOMPARE(grid.cell(2, 0), QStringLiteral("1000"));
        QCOMPARE(grid.cell(2, grid.rowCount() - 1), QStringLiteral("3000"));
    }

    void otherHeadersOnlyMoveTheSelection_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("expanded");
        QTest::newRow("pile number") << 0 << false;
        QTest::newRow("section type") << 1 << false;
        QTest::newRow("c|b") << 3 << false;
        QTest::newRow("a detail column, shown") << 12 << true;
    }
    void otherHeadersOnlyMoveTheSelection()
    {
        QFETCH(int, column);
        QFETCH(bool, expanded);
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        if (expanded)
            f->cbt_zhangkai.click();
        StringGrid& grid = f->Grid2_Youhuajieguo;
        grid.clickHeader(4);
        grid.doubleClickCell(0, 5); // moves the selection, and leaves the screen
        f->cbt_YouHua.click();
        const auto before = rows(grid);
        grid.clickHeader(column);
        QCOMPARE(rows(grid), before);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("仅支持d、[P]排序"));
        QCOMPARE(f->PSortOrder, 1);
        QCOMPARE(grid.selectedRow(), 0);
        QCOMPARE(grid.selectedColumn(), column);
        QCOMPARE(grid.header(4), QStringLiteral("[P](kN)▲"));
    }

    // The real grid never offers a hidden column: clicking its header or double-clicking
    // one of its cells is no action at all.
    void hiddenColumnsAreOutOfReach_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("process") << 7;
        QTest::newRow("remark") << 16;
    }
    void hiddenColumnsAreOutOfReach()
    {
        QFETCH(int, column);
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        StringGrid& grid = f->Grid2_Youhuajieguo;
        grid.clickHeader(4);
        QVERIFY(!grid.isColumnVisible(column));
        const auto before = rows(grid);
        grid.clickHeader(column);
        grid.doubleClickCell(column, 3);
        grid.selectCell(column, 3);
        QCOMPARE(rows(grid), before);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("[P]升序排列完成"));
        QCOMPARE(grid.selectedColumn(), 4);
        QCOMPARE(grid.selectedRow(), 0);
        QVERIFY(f->YouHuaFormLayer.isVisible()); // no pick-up took the screen away

        f->cbt_zhangkai.click(); // shown, the same column answers
        grid.clickHeader(column);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("仅支持d、[P]排序"));
    }

    void sortingAFilteredList()
    {
        FormFixture f;
        runAllConditions(f);
        f->Grid2_Youhuajieguo.clickHeader(4);
        f->Grid2_Youhuajieguo.clickHeader(4);
        setBand(f, QStringLiteral("20000"), QStringLiteral("60000"));
        f->cbt_YHsaixuan.click();
        StringGrid& filtered = f->Grid3_Youhuasaixuan;
        QVERIFY(filtered.rowCount() > 50);
        // The filter cleared the state: the first click sorts ascending.
        const auto expected = exchangeSorted(rows(filtered), 2);
        filtered.clickHeader(2);
        QCOMPARE(rows(filtered), expected);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("d升序排列完成"));
        QCOMPARE(filtered.header(2), QStringLiteral("d|a(mm)▲"));
        QCOMPARE(f->Grid2_Youhuajieguo.header(2), QStringLiteral(" d|a(mm)"));
    }

    void sortingFewerThanTwoRows()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        // The one row whose [P] is exactly the lowest shown.
        setBand(f, QStringLiteral("8247"), QStringLiteral("8247"));
        f->cbt_YHsaixuan.click();
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 1);
        f->cbt_YHsave.setEnabled(false);
        f->Grid3_Youhuasaixuan.clickHeader(4);
        QCOMPARE(f->lb_YHxingxi.text(), QStringLiteral("无需排序"));
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 1);
        QCOMPARE(f->PSortOrder, 0);
        QCOMPARE(f->Grid3_Youhuasaixuan.header(4), QStringLiteral(" [P](kN)"));
        QVERIFY(!f->cbt_YHsave.isEnabled());
    }

    // The grid's keys are the program's own number texts; should one ever be none, the
    // sort ends through the error report before any row has moved.
    void sortKeyThatIsNoNumberMovesNothing()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        StringGrid& grid = f->Grid2_Youhuajieguo;
        grid.setCell(4, 7, QStringLiteral("x"));
        const auto before = rows(grid);
        grid.clickHeader(4);
        QCOMPARE(f.platform.takeErrors().size(), 1);
        QCOMPARE(rows(grid), before);
        QCOMPARE(f->PSortOrder, 0);
        QCOMPARE(grid.header(4), QStringLiteral(" [P](kN)"));
    }

    void expansion()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        f->cbt_YHcompute.click();
        const auto before = rows(f->Grid2_Youhuajieguo);
        auto shownColumns = [](const StringGrid& grid) {
            QList<int> shown;
            for (int c = 0; c < grid.columnCount(); ++c) {
                if (grid.isColumnVisible(c))
                    shown << c;
            }
            return shown;
        };
        QList<int> all(17);
        std::iota(all.begin(), all.end(), 0);
        const QList<int> main{0, 1, 2, 3, 4};

        QCOMPARE(f->cbt_zhangkai.text(), QStringLiteral("展开"));
        QCOMPARE(shownColumns(f->Grid2_Youhuajieguo), main);
        QVERIFY(f->Grid1_05_Str_YHshuoming.isVisible());
        f->cbt_zhangkai.click();
        QCOMPARE(f->cbt_zhangkai.text(), QStringLiteral("折叠"));
        QCOMPARE(shownColumns(f->Grid2_Youhuajieguo), all);
        QCOMPARE(shownColumns(f->Grid3_Youhuasaixuan), all);
        QVERIFY(f->Grid1_05_Str_YHshuoming.isVisible());
        f->cbt_zhangkai.click();
        QCOMPARE(f->cbt_zhangkai.text(), QStringLiteral("展开"));
        QCOMPARE(shownColumns(f->Grid2_Youhuajieguo), main);
        QCOMPARE(shownColumns(f->Grid3_Youhuasaixuan), main);
        // From the first fold on, the notes show only while the grids are expanded.
        QVERIFY(!f->Grid1_05_Str_YHshuoming.isVisible());
        f->cbt_zhangkai.click();
        QVERIFY(f->Grid1_05_Str_YHshuoming.isVisible());
        // Rows, row counts and sort states are untouched.
        QCOMPARE(rows(f->Grid2_Youhuajieguo), before);
        QCOMPARE(f->Grid1_Youhuaxuanxiang.rowCount(), 12);
        QCOMPARE(f->Grid3_Youhuasaixuan.rowCount(), 0);
        QCOMPARE(f->DSortOrder + f->PSortOrder, 0);
    }

    // Each kind of row goes back into the panel; "计算" then shows the row's [P].
    void pickUp_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("process");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("panelSection");
        QTest::addColumn<int>("panelProcess");
        QTest::addColumn<int>("panelCondition");
        QTest::newRow("driven circle") << "圆  桩"
                                       << "打入震沉"
                                       << "裂缝风化" << 0 << 0 << 1;
        QTest::newRow("bored ellipse") << "椭圆桩"
                                       << "钻(挖)孔"
                                       << "一般" << 1 << 1 << 1;
        QTest::newRow("bored rectangle, poor") << "矩形桩"
                                               << "钻(挖)孔"
                                               << "较差" << 2 << 1 << 2;
        QTest::newRow("driven square") << "方  桩"
                                       << "打入震沉"
                                       << "匀质完整" << 2 << 0 << 0;
        QTest::newRow("bored square") << "方  桩"
                                      << "钻(挖)孔"
                                      << "良好" << 2 << 1 << 0;
    }
    void pickUp()
    {
        QFETCH(QString, section);
        QFETCH(QString, process);
        QFETCH(QString, condition);
        QFETCH(int, panelSection);
        QFETCH(int, panelProcess);
        QFETCH(int, panelCondition);
        FormFixture f;
        runAllConditions(f);
        StringGrid& grid = f->Grid2_Youhuajieguo;
        // The last matching row, at the deepest embedment.
        int row = -1;
        for (int r = 0; r < grid.rowCount(); ++r) {
            if (grid.cell(1, r) == section && grid.cell(7, r) == process
                && grid.cell(8, r) == condition)
                row = r;
        }
        QVERIFY(row >= 0);
        const QStringList cells = rows(grid)[row];
        // The panel shows something else first: a driven pile with its two-item list.
        f->cbt_YHfanhui.click();
        f->cbb_czgy.pick(0);
        f->cbe_dd.commit(QStringLiteral("1100"));
        f->cbt_YouHua.click();

        grid.doubleClickCell(3, row);
        QVERIFY(f->MainFormLayer.isVisible());
        QVERIFY(!f->YouHuaFormLayer.isVisible());
        QCOMPARE(f->OptimizationMode, 0);
        QCOMPARE(f->cbb_jmlx.itemIndex(), panelSection);
        QCOMPARE(f->cbe_dd.text(), cells[2]);
        QCOMPARE(
            f->cbe_tyzd.text(), cells[3] == QStringLiteral("-") ? QStringLiteral("0") : cells[3]);
        QCOMPARE(f->cbe_hr.text(), cells[5]);
        QCOMPARE(f->edt_frk.text(), cells[6]);
        QCOMPARE(f->cbb_czgy.itemIndex(), panelProcess);
        QCOMPARE(f->cbb_ysjqdqk.itemIndex(), panelCondition);
        QCOMPARE(f->cbe_hr.isEnabled(), panelProcess == 1);
        QCOMPARE(f->edt_ra.text(), QString());
        QCOMPARE(f->edt_Pr.text(), QString());
        QCOMPARE(f->edt_percent.text(), QString());
        QVERIFY(f->cbt_compute.isVisible());
        QVERIFY(f->cbt_compute.isEnabled());
        QVERIFY(!f->cbt_View.isVisible());
        // The grid keeps its rows and selection.
        QCOMPARE(grid.rowCount(), 528);
        QCOMPARE(grid.selectedRow(), row);

        f->cbt_compute.click();
        QVERIFY(f.platform.errors.isEmpty());
        QCOMPARE(f->edt_ra.text(), cells[4]);
        QCOMPARE(f->ReportPileCount, 1);
    }

    void pickUpFromEitherGridIsTheSame()
    {
        FormFixture f;
        runAllConditions(f);
        setBand(f, QStringLiteral("0"), QStringLiteral("0"));
        f->cbt_YHsaixuan.click();
        auto panel = [&f] {
            return QStringList{QString::number(f->cbb_jmlx.itemIndex()), f->cbe_dd.text(),
                f->cbe_tyzd.text(), f->cbe_hr.text(), f->edt_frk.text(),
                QString::number(f->cbb_czgy.itemIndex()),
                QString::number(f->cbb_ysjqdqk.itemIndex())};
        };
        f->Grid3_Youhuasaixuan.doubleClickCell(0, 200);
        const QStringList fromFiltered = panel();
        f->cbt_YouHua.click();
        // Show the full list again by a run: the same rows in the same order.
        f->Grid1_Youhuaxuanxiang.editCell(1, 0, QStringLiteral("1"));
        f->cbt_YHcompute.click();
        f->cbt_zhangkai.click(); // the remark column is shown, and its cells answer too
        f->Grid2_Youhuajieguo.doubleClickCell(16, 200);
        QCOMPARE(panel(), fromFiltered);
    }
};

ROCKPILE_TEST(OptimizationScreenTest)
#include "optimization_screen_test.moc"
