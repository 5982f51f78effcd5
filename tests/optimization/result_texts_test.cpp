// The texts a computed case leaves in the result grid, the [P] band of the filter and the
// pick-up mapping back onto the panel.

#include "core/errors.h"
#include "optimization/filter.h"
#include "optimization/pickup.h"
#include "optimization/result_row.h"
#include "tests/testmain.h"

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
};

ROCKPILE_TEST(ResultTextsTest)
#include "result_texts_test.moc"
