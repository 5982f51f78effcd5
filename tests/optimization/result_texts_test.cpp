// The texts a computed case leaves in the result grid, the [P] band of the filter, the
// pick-up mapping back onto the panel and the fields of the list file.

#include "core/errors.h"
#include "core/textwidth.h"
#include "optimization/filter.h"
#include "optimization/pickup.h"
#include "optimization/result_row.h"
#include "report/optimization_table.h"
#include "tests/resultfile_decoder.h"
#include "tests/testmain.h"

#include <QStringDecoder>
#include <QTest>

using namespace optimization;

namespace {

QStringList texts(const OptimizationResultRow& row)
{
    QStringList list;
    for (QStringView cell : row)
        list << cell.toString();
    return list;
}

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

class ResultTextsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void resultRows_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("embedment");
        QTest::addColumn<int>("process");
        QTest::addColumn<int>("condition");
        QTest::addColumn<QStringList>("boxes"); // d, c, [P], Pp, share, R
        QTest::addColumn<QList<double>>("last"); // C1, C2, Ps
        QTest::addColumn<QStringList>("row");

        QTest::newRow("bored circle, whole units")
            << 1 << "1.0d" << 1 << 0 << QStringList{"1000", "0", "18143", "13744", "76%", "35.00"}
            << QList<double>{0.5, 0.04, 4398.229715025710}
            << QStringList{"", "圆  桩", "1000", "-", "18143", "1.0d", "35.00", "钻(挖)孔", "良好",
                   "-", "0.50", "0.04", "13744", "76%", "4398", "24%", ""};
        QTest::newRow("driven circle")
            << 1 << "2.0d" << 0 << 1 << QStringList{"1200", "0", "12723", "12723", "100%", "25.00"}
            << QList<double>{0.3, 0.0, 0.0}
            << QStringList{"", "圆  桩", "1200", "-", "12723", "0", "25.00", "打入震沉", "裂缝风化",
                   "0.30", "-", "-", "12723", "100%", "0", "0%", ""};
        QTest::newRow("two decimals are re-written whole")
            << 2 << "1.5d" << 1 << 2
            << QStringList{"1000", "500", "10210.18", "7853.98", "76.92%", "25.00"}
            << QList<double>{0.3, 0.02, 2356.194490192345}
            << QStringList{"", "椭圆桩", "1000", "500", "10210.18", "1.5d", "25.00", "钻(挖)孔",
                   "较差", "-", "0.30", "0.02", "7854", "77%", "2356", "23%", ""};
        QTest::newRow("hundreds truncate the boxes, not Ps")
            << 3 << "1000" << 1 << 1 << QStringList{"1500", "1000", "10200", "7800", "76%", "10.00"}
            << QList<double>{0.4 * 0.7, 0.0, 2356.6}
            << QStringList{"", "矩形桩", "1500", "1000", "10200", "1000", "10.00", "钻(挖)孔",
                   "一般", "-", "0.28", "0.00", "7800", "76%", "2357", "24%", ""};
        QTest::newRow("square") << 4 << "2.5b" << 1 << 0
                                << QStringList{"1500", "1500", "9", "8", "88.9%", "0.01"}
                                << QList<double>{0.5, 0.04, 1.0}
                                << QStringList{"", "方  桩", "1500", "1500", "9", "2.5b", "0.01",
                                       "钻(挖)孔", "良好", "-", "0.50", "0.04", "8", "89%", "1",
                                       "11%", ""};
    }
    void resultRows()
    {
        QFETCH(int, section);
        QFETCH(QString, embedment);
        QFETCH(int, process);
        QFETCH(int, condition);
        QFETCH(QStringList, boxes);
        QFETCH(QList<double>, last);
        QFETCH(QStringList, row);
        PanelReadback panel;
        panel.firstDimension = boxes[0];
        panel.secondDimension = boxes[1];
        panel.capacity = boxes[2];
        panel.endResistance = boxes[3];
        panel.share = boxes[4];
        panel.strength = boxes[5];
        panel.process = static_cast<core::PileProcess>(process);
        panel.condition = condition;
        panel.last = {last[0], last[1], last[2]};
        ResultRowBuilder builder(QLatin1Char('.'));
        OptimizationResultRow filled;
        builder.fill(filled, section, embedment, panel);
        QCOMPARE(texts(filled), row);
        // The builder's own texts stay valid until the next row.
        builder.fill(filled, section, embedment, panel);
        QCOMPARE(texts(filled), row);
    }

    void shareBoxWithoutNumber()
    {
        PanelReadback panel;
        panel.endResistance = u"12";
        panel.share = u"NAN%";
        OptimizationResultRow row;
        QVERIFY_THROWS_EXCEPTION(
            core::ConversionError, ResultRowBuilder(QLatin1Char('.')).fill(row, 1, u"1.0d", panel));
    }

    void pileNumbers()
    {
        QCOMPARE(FinalPileNumber(1, 9), QStringLiteral("ZH-1"));
        QCOMPARE(FinalPileNumber(1, 10), QStringLiteral("ZH-01"));
        QCOMPARE(FinalPileNumber(120, 120), QStringLiteral("ZH-120"));
        QCOMPARE(FinalPileNumber(7, 995280), QStringLiteral("ZH-000007"));
    }

    void filterBands_data()
    {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("upper");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("the defaults") << "10000"
                                      << "11000" << 10000.0 << 11000.0;
        QTest::newRow("zero sets no limit") << "0"
                                            << "0" << 0.0 << 1e15;
        QTest::newRow("negative bounds act like zero") << "-5"
                                                       << "-1e3" << 0.0 << 1e15;
        QTest::newRow("reversed bounds keep the lower one") << "12000"
                                                            << "11000" << 12000.0 << 12000.0;
        QTest::newRow("no upper limit") << "500"
                                        << "0" << 500.0 << 1e15;
        QTest::newRow("blanks around") << " 1 "
                                       << " 2 " << 1.0 << 2.0;
    }
    void filterBands()
    {
        QFETCH(QString, lower);
        QFETCH(QString, upper);
        QFETCH(double, from);
        QFETCH(double, to);
        const FilterBand band = ReadFilterBand(lower, upper, QLatin1Char('.'));
        QCOMPARE(band.lower, from);
        QCOMPARE(band.upper, to);
        QVERIFY(band.contains(from));
        QVERIFY(band.contains(to));
    }

    void filterBandNeedsNumbers()
    {
        QVERIFY_THROWS_EXCEPTION(
            core::ConversionError, ReadFilterBand(u"", u"11000", QLatin1Char('.')));
        QVERIFY_THROWS_EXCEPTION(
            core::ConversionError, ReadFilterBand(u"10000", u"11.000", QLatin1Char(',')));
        QCOMPARE(ReadFilterBand(u"10000,5", u"0", QLatin1Char(',')).lower, 10000.5);
    }

    void pickUps_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<int>("section"); // -1: untouched
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("process");
        QTest::addColumn<int>("condition");
        auto row = [](const char* section, const char* d, const char* c, const char* process,
                       const char* condition) {
            return QStringList{"ZH-1", section, d, c, "9999", "1.5d", "35.00", process, condition,
                "-", "0.50", "0.04", "1", "1%", "1", "99%", ""};
        };
        QTest::newRow("circle") << row("圆  桩", "1200", "-", "钻(挖)孔", "良好") << 0 << "1200"
                                << "0" << 1 << 0;
        QTest::newRow("ellipse") << row("椭圆桩", "1000", "600", "钻(挖)孔", "一般") << 1 << "1000"
                                 << "600" << 1 << 1;
        QTest::newRow("rectangle")
            << row("矩形桩", "2000", "1000", "钻(挖)孔", "较差") << 2 << "2000"
            << "1000" << 1 << 2;
        QTest::newRow("square as a rectangle")
            << row("方  桩", "1500", "1500", "打入震沉", "匀质完整") << 2 << "1500"
            << "1500" << 0 << 0;
        QTest::newRow("driven, cracked")
            << row("圆  桩", "1000", "-", "打入震沉", "裂缝风化") << 0 << "1000"
            << "0" << 0 << 1;
        QTest::newRow("driven row with a bored condition")
            << row("圆  桩", "1000", "-", "打入震沉", "良好") << 0 << "1000"
            << "0" << 0 << -1;
        QTest::newRow("unknown texts") << row("桩", "1000", "-", "钻孔", "良好") << -1 << ""
                                       << "" << -1 << -1;
    }
    void pickUps()
    {
        QFETCH(QStringList, row);
        QFETCH(int, section);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, process);
        QFETCH(int, condition);
        const PickUp pickUp = PlanPickUp([&row](int column) { return row[column]; });
        QCOMPARE(pickUp.section ? static_cast<int>(*pickUp.section) : -1, section);
        QCOMPARE(pickUp.firstDimension, first);
        QCOMPARE(pickUp.secondDimension, second);
        QCOMPARE(pickUp.embedment, QStringLiteral("1.5d"));
        QCOMPARE(pickUp.strength, QStringLiteral("35.00"));
        QCOMPARE(pickUp.process ? static_cast<int>(*pickUp.process) : -1, process);
        QCOMPARE(pickUp.condition.value_or(-1), condition);
    }

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

ROCKPILE_TEST(ResultTextsTest)
#include "result_texts_test.moc"
