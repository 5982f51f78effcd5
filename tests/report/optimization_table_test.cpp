// The list file of the optimization screen: the fixed 170-column fields a result row is
// laid out in, whatever the grid's numbers and the cells' widths.

#include "core/cellstore.h"
#include "core/result_schema.h"
#include "core/textwidth.h"
#include "report/optimization_table.h"
#include "tests/resultfile_decoder.h"
#include "tests/testmain.h"

#include <QStringDecoder>
#include <QTest>

namespace {

// Rows as a result grid stores them.
struct Rows {
    QList<QStringList> rows;
};

QStringList tableLines(
    const Rows& rows, const QString& title = QStringLiteral("嵌岩桩优化计算原始结果"))
{
    core::CellStore store;
    for (int column = 0; column < core::ResultColumnCount; ++column)
        store.addColumn(core::ResultCellKind(column));
    std::vector<quint32> order;
    for (const QStringList& row : rows.rows) {
        std::vector<QStringView> cells(row.begin(), row.end());
        order.push_back(store.appendRow(cells));
    }
    QByteArray bytes;
    report::StreamOptimizationTable(
        store, order, title, [] { return QStringLiteral("2026/12/10 9:05:03"); },
        [&bytes](QByteArrayView chunk) { bytes += chunk; });
    QStringDecoder gbk = ResultFileDecoder();
    QString text = gbk(bytes);
    [&] { QVERIFY(text.endsWith(QStringLiteral("\r\n"))); }();
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

const QString Dash = blanks(4) + "-" + blanks(5);

} // namespace

class OptimizationTableTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listFileFields()
    {
        Rows rows;
        rows.rows << QStringList{"ZH-7", "圆  桩", "1000", "-", "12370", "0", "35.00", "打入震沉",
            "匀质完整", "0.45", "-", "-", "12370", "100%", "0", "0%", ""}
                  << QStringList{"ZH-9", "椭圆桩", "1500", "1000", "41579", "3.0d", "40.00",
                         "钻(挖)孔", "良好", "-", "0.50", "0.04", "30176", "73%", "11403", "27%",
                         ""}
                  << QStringList{"1", "方  桩", "2000", "2000", "160000", "2.0b", "40.00",
                         "钻(挖)孔", "较差", "-", "0.30", "0.02", "48000", "30%", "112000", "70%",
                         ""};
        const QStringList lines = tableLines(rows);
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines[0],
            QString(72, '=') + QStringLiteral(" 嵌岩桩优化计算原始结果 ") + QString(74, '='));
        QCOMPARE(lines[1], QString(170, '-'));
        QCOMPARE(lines[4], QString(170, '-'));
        // Positions, not the grid's numbers; fields by section type and process.
        QCOMPARE(lines[5],
            blanks(3) + "ZH-1" + blanks(4) + " 圆  桩 " + blanks(2) + "  1000" + blanks(4) + Dash
                + Dash + Dash + "     0" + blanks(4) + " 35.00" + blanks(4) + "打入震沉" + blanks(2)
                + "匀质完整" + blanks(2) + "  0.45  " + blanks(2) + "  12370" + blanks(3) + "  100%"
                + blanks(4) + Dash + Dash + Dash + "  12370" + blanks(2));
        QCOMPARE(lines[6],
            blanks(3) + "ZH-2" + blanks(4) + " 椭圆桩 " + blanks(2) + "  1500" + blanks(4)
                + "  1000" + blanks(4) + Dash + Dash + "  3.0d" + blanks(4) + " 40.00" + blanks(4)
                + "钻(挖)孔" + blanks(2) + "  良好  " + blanks(2) + "  0.50  " + blanks(2)
                + "  30176" + blanks(3) + "   73%" + blanks(4) + "  0.04  " + blanks(2) + "  11403"
                + blanks(3) + "   27%" + blanks(4) + "  41579" + blanks(2));
        QCOMPARE(lines[7],
            blanks(3) + "ZH-3" + blanks(4) + " 方  桩 " + blanks(2) + Dash + Dash + "  2000"
                + blanks(4) + "  2000" + blanks(4) + "  2.0b" + blanks(4) + " 40.00" + blanks(4)
                + "钻(挖)孔" + blanks(2) + "  较差  " + blanks(2) + "  0.30  " + blanks(2)
                + "  48000" + blanks(3) + "   30%" + blanks(4) + "  0.02  " + blanks(2) + " 112000"
                + blanks(3) + "   70%" + blanks(4) + " 160000" + blanks(2));
        for (int i = 0; i < 8; ++i) {
            if (i != 2 && i != 3)
                QCOMPARE(core::DisplayWidth(lines[i]), 170);
        }
        QCOMPARE(lines[8], QString(170, '-'));
        QCOMPARE(lines[9],
            QStringLiteral(" 注: 采用《铁路桥涵地基和基础设计规范》(TB 10093-2017)公式计算"));
        QCOMPARE(lines[10], QString(170, '='));
        QCOMPARE(lines[11], QStringLiteral("计算时间：2026/12/10 9:05:03"));
    }

    void listFileOddCells()
    {
        Rows rows;
        // A section and a process the layout does not know leave their fields out; a
        // text wider than its field pushes the rest of the line to the right.
        rows.rows << QStringList{"", "管桩", "1000", "-", "12345678", "0", "35.00", "静压", "x", "",
            "", "", "", "", "", "", ""}
                  << QStringList{"", "圆  桩", "1000", "-", "1", "0", "1234567.00", "打入震沉",
                         "匀质完整", "0.45", "-", "-", "1", "100%", "0", "0%", ""};
        const QStringList lines = tableLines(rows, QStringLiteral("嵌岩桩优化计算筛选结果"));
        QCOMPARE(lines[0],
            QString(72, '=') + QStringLiteral(" 嵌岩桩优化计算筛选结果 ") + QString(74, '='));
        QCOMPARE(lines[5],
            blanks(3) + "ZH-1" + blanks(4) + "  管桩  " + blanks(2) + "     0" + blanks(4)
                + " 35.00" + blanks(4) + "  静压  " + blanks(2) + "    x   " + blanks(2)
                + "12345678" + blanks(2));
        QCOMPARE(core::DisplayWidth(lines[6]), 174); // 10 characters in a field of 6
        QVERIFY(lines[6].contains(QStringLiteral("1234567.00") + blanks(4) + "打入震沉"));
    }
};

ROCKPILE_TEST(OptimizationTableTest)
#include "optimization_table_test.moc"
