// Reading and walking the ranges of the options table, and counting a run before it
// starts: the counts that decide whether a run is refused must not wrap for any range.

#include "core/errors.h"
#include "optimization/ranges.h"
#include "tests/testmain.h"

#include <QTest>

using namespace optimization;

namespace {

std::vector<double> walk(const OptimizationRange& range)
{
    std::vector<double> values;
    double value = range.minimum;
    for (qint64 i = 0; i < range.count && i < 100; ++i) {
        if (i > 0)
            value = range.next(value);
        values.push_back(value);
    }
    return values;
}

// The options of a freshly created form, with changes.
struct Table {
    QString cells[10][3] = {
        {"1", "4", "1"},
        {"1000", "2000", "500"},
        {"1000", "2000", "500"},
        {"2000", "3000", "500"},
        {"1000", "2000", "500"},
        {"1000", "2000", "500"},
        {"1.0d", "3.0d", "1.0d"},
        {"35.00", "40.00", "5.00"},
        {"1", "2", "1"},
        {"1", "2", "1"},
    };
    Table& set(int row, const QString& minimum, const QString& maximum, const QString& step)
    {
        cells[row][0] = minimum;
        cells[row][1] = maximum;
        cells[row][2] = step;
        return *this;
    }
    RangeReading read(QChar separator = QLatin1Char('.')) const
    {
        return ReadOptimizationRanges(
            [this](int column, int row) { return cells[row][column - 1]; }, separator);
    }
};

} // namespace

Q_DECLARE_METATYPE(Table)

class RangesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numberRanges_data()
    {
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("step");
        QTest::addColumn<std::vector<double>>("values");
        QTest::newRow("whole steps")
            << 1000.0 << 2000.0 << 500.0 << std::vector<double>{1000, 1500, 2000};
        QTest::newRow("last step short of the maximum")
            << 1000.0 << 2000.0 << 300.0 << std::vector<double>{1000, 1300, 1600, 1900};
        QTest::newRow("maximum taken for the last step")
            << 1000.0 << 2000.0 << 400.0 << std::vector<double>{1000, 1400, 1800, 2000};
        QTest::newRow("half a step rounds up")
            << 1000.0 << 2000.0 << 600.0 << std::vector<double>{1000, 1600, 2000};
        QTest::newRow("minimum above maximum")
            << 2000.0 << 1000.0 << 100.0 << std::vector<double>{2000};
        QTest::newRow("equal ends") << 1000.0 << 1000.0 << 0.0 << std::vector<double>{1000};
        QTest::newRow("step 0") << 1000.0 << 2000.0 << 0.0 << std::vector<double>{1000, 2000};
        QTest::newRow("negative step")
            << 1000.0 << 2000.0 << -1.0 << std::vector<double>{1000, 2000};
        QTest::newRow("step beyond the range")
            << 1000.0 << 2000.0 << 1000.5 << std::vector<double>{1000, 2000};
        QTest::newRow("step equal to the range")
            << 1000.0 << 2000.0 << 1000.0 << std::vector<double>{1000, 2000};
        // Sums in double arithmetic: 1.0 + 0.05 + ... overshoots 1.2 and takes the maximum.
        QTest::newRow("accumulated fractions")
            << 1.0 << 1.2 << 0.05
            << std::vector<double>{1.0, 1.05, 1.1, 1.0 + 0.05 + 0.05 + 0.05, 1.2};
    }
    void numberRanges()
    {
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(double, step);
        QFETCH(std::vector<double>, values);
        const OptimizationRange range = NumberRange(minimum, maximum, step);
        QCOMPARE(range.count, qint64(values.size()));
        QCOMPARE(walk(range), values);
    }

    void codeRanges_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("top");
        QTest::addColumn<std::vector<double>>("values");
        QTest::newRow("every section type") << 1 << 4 << 1 << 4 << std::vector<double>{1, 2, 3, 4};
        QTest::newRow("step 2") << 1 << 4 << 2 << 4 << std::vector<double>{1, 3};
        QTest::newRow("step 2 from 2") << 2 << 4 << 2 << 4 << std::vector<double>{2, 4};
        QTest::newRow("codes beyond both ends")
            << 0 << 9 << 1 << 4 << std::vector<double>{1, 2, 3, 4};
        QTest::newRow("process 0-5") << 0 << 5 << 1 << 2 << std::vector<double>{1, 2};
        QTest::newRow("step beyond the range") << 1 << 3 << 5 << 3 << std::vector<double>{1, 3};
        QTest::newRow("step 0") << 1 << 3 << 0 << 3 << std::vector<double>{1, 3};
        QTest::newRow("maximum below minimum") << 3 << 1 << 1 << 3 << std::vector<double>{3};
        QTest::newRow("both above the top") << 7 << 9 << 1 << 3 << std::vector<double>{3};
        QTest::newRow("extreme codes")
            << -2147483647 - 1 << 2147483647 << 2147483647 << 4 << std::vector<double>{1, 4};
    }
    void codeRanges()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, step);
        QFETCH(int, top);
        QFETCH(std::vector<double>, values);
        const OptimizationRange range = CodeRange(minimum, maximum, step, top);
        QCOMPARE(range.count, qint64(values.size()));
        QCOMPARE(walk(range), values);
    }

    void defaultTable()
    {
        const RangeReading reading = Table().read();
        QVERIFY(reading.refusal.isEmpty());
        QCOMPARE(reading.ranges.embedmentForm, core::EmbedmentForm::Multiple);
        QCOMPARE(walk(reading.ranges[EmbedmentRow]), (std::vector<double>{1, 2, 3}));
        QCOMPARE(CaseCount(reading.ranges), qint64(384));
        // 24 dimension combinations, 3 depths, 2 strengths, 2 processes.
        QCOMPARE(CombinationCount(reading.ranges), qint64(288));
        QVERIFY(!ExceedsRunLimit(reading.ranges));
    }

    void embedmentForms()
    {
        QCOMPARE(Table().set(6, "1000", "3000", "1000").read().ranges.embedmentForm,
            core::EmbedmentForm::Millimetres);
        const RangeReading trailing = Table().set(6, "1.5dx", "2.5d", "0.5d").read();
        QCOMPARE(walk(trailing.ranges[EmbedmentRow]), (std::vector<double>{1.5, 2.0, 2.5}));
        // A negative depth is left to the case check, which names the field.
        QVERIFY(Table().set(6, "-1.0d", "1.0d", "1.0d").read().refusal.isEmpty());
    }

    void conversionErrors_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("named");
        QTest::newRow("fraction in a code row") << 0 << "1.0"
                                                << "4"
                                                << "1"
                                                << "1.0";
        QTest::newRow("empty code step") << 9 << "1"
                                         << "2"
                                         << ""
                                         << "";
        QTest::newRow("hexadecimal code") << 8 << "0x10"
                                          << "2"
                                          << "1"
                                          << "0x10";
        QTest::newRow("code beyond 32 bits") << 0 << "1"
                                             << "99999999999"
                                             << "1"
                                             << "99999999999";
        QTest::newRow("letters in a dimension") << 3 << "2000"
                                                << "3000mm"
                                                << "500"
                                                << "3000mm";
        QTest::newRow("point under a comma locale") << 7 << "35.00"
                                                    << "40,00"
                                                    << "5,00"
                                                    << "35.00";
        QTest::newRow("multiple then millimetres") << 6 << "1.0d"
                                                   << "3000"
                                                   << "1.0d"
                                                   << "3000";
        QTest::newRow("millimetres then multiple") << 6 << "1000"
                                                   << "3.0d"
                                                   << "1000"
                                                   << "3.0d";
        QTest::newRow("no number before the d") << 6 << "d"
                                                << "3.0d"
                                                << "1.0d"
                                                << "d";
    }
    void conversionErrors()
    {
        QFETCH(int, row);
        QFETCH(QString, minimum);
        QFETCH(QString, maximum);
        QFETCH(QString, step);
        QFETCH(QString, named);
        Table table;
        table.set(row, minimum, maximum, step);
        const QChar separator = row == 7 ? QLatin1Char(',') : QLatin1Char('.');
        if (row == 7) {
            for (auto& cells : table.cells)
                for (QString& cell : cells)
                    cell.replace(QLatin1Char('.'), QLatin1Char(','));
            table.set(row, minimum, maximum, step);
        }
        try {
            table.read(separator);
            QFAIL("no conversion error");
        } catch (const core::ConversionError& error) {
            QVERIFY2(error.message().contains(QStringLiteral("“%1”").arg(named)),
                qPrintable(error.message()));
        }
    }

    void refusals_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("message");
        QTest::newRow("diameter") << 1 << "桩径不能为负值";
        QTest::newRow("straight length") << 2 << "椭圆直段不能为负值";
        QTest::newRow("long side") << 3 << "矩形长边不能为负值";
        QTest::newRow("short side") << 4 << "矩形短边不能为负值";
        QTest::newRow("square side") << 5 << "方形边长不能为负值";
        QTest::newRow("strength") << 7 << "岩石单轴抗压强度不能为负值";
    }
    void refusals()
    {
        QFETCH(int, row);
        QFETCH(QString, message);
        QCOMPARE(Table().set(row, "1", "-0.5", "1").read().refusal, message);
        QCOMPARE(Table().set(row, "-0.5", "1", "1").read().refusal, message);
        // Rows after the refused one are not read at all.
        QCOMPARE(Table().set(row, "-1", "1", "1").set(8, "x", "y", "z").read().refusal, message);
        // Zero passes: the case check rejects what cannot be built.
        QVERIFY(Table().set(row, "0", "0", "0").read().refusal.isEmpty());
    }

    void caseCounts_data()
    {
        QTest::addColumn<Table>("table");
        QTest::addColumn<qint64>("cases");
        QTest::newRow("circles only") << Table().set(0, "1", "1", "1") << qint64(48);
        QTest::newRow("driven only") << Table().set(8, "1", "1", "1") << qint64(24 * 2 * 2);
        QTest::newRow("driven piles skip code 3")
            << Table().set(8, "1", "1", "1").set(9, "3", "3", "1") << qint64(0);
        QTest::newRow("all rock codes")
            << Table().set(9, "1", "3", "1") << qint64(24 * 2 * (3 * 3 + 2));
        QTest::newRow("one million") << Table()
                                            .set(0, "1", "1", "1")
                                            .set(1, "1", "1000000", "1")
                                            .set(6, "1.0d", "1.0d", "0d")
                                            .set(7, "1", "1", "0")
                                            .set(8, "2", "2", "1")
                                            .set(9, "1", "1", "1")
                                     << qint64(1000000);
    }
    void caseCounts()
    {
        QFETCH(Table, table);
        QFETCH(qint64, cases);
        const RangeReading reading = table.read();
        QCOMPARE(CaseCount(reading.ranges), cases);
        QCOMPARE(ExceedsRunLimit(reading.ranges), false);
    }

    void limits()
    {
        // One more than a million cases.
        Table table;
        table.set(0, "1", "1", "1")
            .set(1, "1", "1000001", "1")
            .set(6, "1.0d", "1.0d", "0d")
            .set(7, "1", "1", "0");
        table.set(8, "2", "2", "1").set(9, "1", "1", "1");
        QCOMPARE(CaseCount(table.read().ranges), qint64(1000001));
        QVERIFY(ExceedsRunLimit(table.read().ranges));

        // Steps that would wrap a 32-bit or even a 64-bit count saturate instead.
        for (const char* step : {"0.000000001", "1e-300", "5e-324"}) {
            const RangeReading tiny = Table().set(1, "0", "1e300", step).read();
            QVERIFY(tiny.ranges[DiameterRow].count >= OptimizationRange::CountCeiling);
            QVERIFY(CaseCount(tiny.ranges) > MaxOptimizationCases);
            QVERIFY(ExceedsRunLimit(tiny.ranges));
        }
        // Every level huge at once.
        Table everything;
        for (int row = 1; row <= 7; ++row)
            everything.set(row, row == 6 ? "0d" : "0", row == 6 ? "1e300d" : "1e300",
                row == 6 ? "1e-300d" : "1e-300");
        everything.set(9, "3", "3", "1");
        QVERIFY(ExceedsRunLimit(everything.read().ranges));

        // A walk without cases is bounded too: driven piles over a long embedment range.
        const RangeReading walkOnly
            = Table().set(6, "1.0d", "3.0d", "0.000001d").set(8, "1", "1", "1").read();
        QCOMPARE(CaseCount(walkOnly.ranges), qint64(24 * 2 * 2));
        QVERIFY(CombinationCount(walkOnly.ranges) > 2 * MaxOptimizationCases);
        QVERIFY(ExceedsRunLimit(walkOnly.ranges));

        // Ranges of section types that are not enumerated do not count.
        const RangeReading unused
            = Table().set(0, "1", "1", "1").set(2, "0", "1e300", "1e-300").read();
        QCOMPARE(CaseCount(unused.ranges), qint64(48));
        QVERIFY(!ExceedsRunLimit(unused.ranges));
    }
};

ROCKPILE_TEST(RangesTest)
#include "ranges_test.moc"
