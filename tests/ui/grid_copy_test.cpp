// The text a copy of result rows puts on the clipboard: what a spreadsheet needs to
// land every cell in its own cell, headers first, rows in the order the grid shows.

#include "tests/formfixture.h"
#include "tests/testmain.h"
#include "ui/grid_copy.h"

#include <QTest>

using namespace ui;

namespace {

// Three rows of the full list, as a run leaves them (the remark empty).
void fillThreeRows(StringGrid& grid)
{
    const QStringList rows[3] = {
        {"ZH-1", "圆  桩", "1000", "-", "10210", "1.0d", "25.00", "钻(挖)孔", "一般", "-", "0.40",
            "0.03", "7854", "77%", "2356", "23%", ""},
        {"ZH-2", "矩形桩", "2000", "1000", "25133", "1.0b", "35.00", "钻(挖)孔", "良好", "-",
            "0.50", "0.04", "20000", "80%", "5133", "20%", ""},
        {"ZH-3", "方  桩", "1500", "1500", "12723", "0", "25.00", "打入震沉", "匀质完整", "0.45",
            "-", "-", "12723", "100%", "0", "0%", ""},
    };
    for (const QStringList& row : rows)
        grid.appendRow(std::span<const QString>(row.constData(), size_t(row.size())));
}

} // namespace

class GridCopyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void copiedText_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<bool>("expanded");
        QTest::addColumn<QString>("text");

        const QString head = QStringLiteral("桩编号\t截面类型\td|a(mm)\tc|b(mm)\t[P](kN)\n");
        QTest::newRow("two rows, shown columns") << QList<int>{0,
            2} << false << head + "ZH-1\t圆  桩\t1000\t-\t10210\nZH-3\t方  桩\t1500\t1500\t12723\n";
        QTest::newRow("grid order whatever the selection order, a row once")
            << QList<int>{2, 1, 2} << false
            << head + "ZH-2\t矩形桩\t2000\t1000\t25133\nZH-3\t方  桩\t1500\t1500\t12723\n";
        QTest::newRow("every column when expanded, the empty remark too")
            << QList<int>{1} << true
            << QStringLiteral(
                   "桩编号\t截面类型\td|a(mm)\tc|b(mm)\t[P](kN)\thr(mm)\tR(MPa)\t成桩工艺"
                   "\t岩石状况\t系数 C\t系数 C1\t系数 C2\tPp(kN)\t端阻占比\tPs(kN)"
                   "\t侧阻占比\t备注\n"
                   "ZH-2\t矩形桩\t2000\t1000\t25133\t1.0b\t35.00\t钻(挖)孔\t良好\t-"
                   "\t0.50\t0.04\t20000\t80%\t5133\t20%\t\n");
        QTest::newRow("rows the grid does not have are left out")
            << QList<int>{-1, 0, 3} << false << head + "ZH-1\t圆  桩\t1000\t-\t10210\n";
        QTest::newRow("no row") << QList<int>{} << false << QString();
        QTest::newRow("only rows the grid does not have")
            << QList<int>{3, 40} << false << QString();
    }
    void copiedText()
    {
        QFETCH(QList<int>, rows);
        QFETCH(bool, expanded);
        QFETCH(QString, text);
        FormFixture f;
        f->cbt_YouHua.click();
        fillThreeRows(f->Grid2_Youhuajieguo);
        if (expanded)
            f->cbt_zhangkai.click();
        QCOMPARE(GridRowsText(f->Grid2_Youhuajieguo, rows), text);
    }

    // After a sort the copy follows the rows as they now stand, sort mark and all.
    void copyFollowsTheSortedGrid()
    {
        FormFixture f;
        f->cbt_YouHua.click();
        fillThreeRows(f->Grid2_Youhuajieguo);
        f->Grid2_Youhuajieguo.clickHeader(4);
        const QList<int> rows{0, 1};
        QCOMPARE(GridRowsText(f->Grid2_Youhuajieguo, rows),
            QStringLiteral("桩编号\t截面类型\td|a(mm)\tc|b(mm)\t[P](kN)▲\n"
                           "ZH-1\t圆  桩\t1000\t-\t10210\nZH-3\t方  桩\t1500\t1500\t12723\n"));
    }

    // A cell can never hold a tab or a line break as the program fills it; if one did, the
    // spreadsheet would still get one cell for it.
    void separatorsInsideACellStayInTheCell()
    {
        FormFixture f;
        StringGrid& grid = f->Grid3_Youhuasaixuan;
        grid.appendRow(std::array<QString, 2>{QStringLiteral("a\tb"), QStringLiteral("c\r\nd")});
        const QList<int> rows{0};
        const QStringList lines = GridRowsText(grid, rows).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(1).split(QLatin1Char('\t')).mid(0, 2),
            QStringList({QStringLiteral("a b"), QStringLiteral("c  d")}));
        QCOMPARE(lines.size(), 3);
    }
};

ROCKPILE_TEST(GridCopyTest)
#include "grid_copy_test.moc"
