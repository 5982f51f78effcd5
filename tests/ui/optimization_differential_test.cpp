// A large run against the baseline loop: every cell of the full list, as the grid
// returns it, and every line of the saved list file equal to what the plain loop over
// the same ranges computes. The list lines are laid out here from the loop's texts with
// the width functions, field by field, independently of the list writer.

#include "bench/baseline_run.h"
#include "core/result_schema.h"
#include "report/resultfile.h"
#include "tests/formfixture.h"
#include "tests/report/list_lines.h"
#include "tests/resultfile_decoder.h"
#include "tests/testmain.h"

#include <QFile>
#include <QStringDecoder>
#include <QTest>

using namespace ui;

namespace {

using Ranges = QList<QStringList>; // rows 0-9: minimum, maximum, step

// One data line of the list file, from the 17 texts of a row at `position` of `count`.
QString expectedLine(const BaselineRows& rows, qint64 row, qint64 count)
{
    return testing_support::ExpectedListLine(
        [&](int column) { return rows.cell(column, row).toString(); }, row + 1, count);
}

} // namespace

class OptimizationDifferentialTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCellAndLineAsTheBaseline_data()
    {
        QTest::addColumn<Ranges>("ranges");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("cases");
        // All sections, both processes, every rock condition; strengths in whole MPa.
        QTest::newRow("100,572 cases, multiples of d and b, whole units") << Ranges{{"1", "4", "1"},
            {"1000", "2000", "100"}, {"500", "1500", "250"}, {"2000", "3000", "250"},
            {"1000", "2000", "250"}, {"1000", "2000", "100"}, {"1.0d", "3.0d", "0.5d"},
            {"10.00", "67.00", "1.00"}, {"1", "2", "1"}, {"1", "3", "1"}} << 2
                                                                          << 100572;
        // Forces with two decimals need more than a cell packs; shallow sockets of 500 mm
        // and less lose their side resistance.
        QTest::newRow("millimetres, two decimals, shallow sockets") << Ranges{{"1", "4", "1"},
            {"1000", "2500", "500"}, {"500", "1000", "500"}, {"2000", "3000", "500"},
            {"1000", "2000", "500"}, {"800", "2400", "400"}, {"300", "2700", "400"},
            {"5.50", "95.50", "7.50"}, {"1", "2", "1"}, {"1", "3", "1"}}
                                                                    << 0 << -1;
        // The coarse precisions truncate the boxes, one decimal rounds them; odd steps
        // give dimensions and strengths with decimals of their own.
        for (const auto& [name, precision] : {std::pair{"one decimal", 1},
                 std::pair{"whole tens", 3}, std::pair{"whole hundreds", 4}}) {
            QTest::newRow(name) << Ranges{{"1", "4", "1"}, {"950.5", "2000", "333.3"},
                {"500", "1500", "450"}, {"2000", "3000", "400"}, {"1000", "2000", "300"},
                {"1000", "2000", "350"}, {"0.5d", "3.0d", "0.35d"}, {"3.33", "90.00", "7.77"},
                {"1", "2", "1"}, {"1", "3", "1"}}
                                << precision << -1;
        }
    }
    void everyCellAndLineAsTheBaseline()
    {
        QFETCH(Ranges, ranges);
        QFETCH(int, precision);
        QFETCH(int, cases);
        FormFixture f;
        f->popbox_jingdu.setItemIndex(precision);
        f->cbt_YouHua.click();
        for (int row = 0; row < 10; ++row) {
            for (int col = 0; col < 3; ++col)
                f->Grid1_Youhuaxuanxiang.editCell(col + 1, row, ranges[row][col]);
        }
        f->cbt_YHcompute.click();
        const StringGrid& grid = f->Grid2_Youhuajieguo;

        const auto reading = optimization::ReadOptimizationRanges(
            [&](int column, int row) { return f->Grid1_Youhuaxuanxiang.cell(column, row); },
            f->decimalSeparator());
        BaselineRows expected;
        BaselineRun(
            reading.ranges, core::PrecisionMode(precision), f->decimalSeparator(), expected);
        if (cases > 0)
            QCOMPARE(expected.rows, qint64(cases));
        QCOMPARE(qint64(grid.rowCount()), expected.rows);
        for (qint64 row = 0; row < expected.rows; ++row) {
            for (int column = 0; column < core::ResultColumnCount; ++column) {
                if (grid.cellView(column, int(row)) != expected.cell(column, row))
                    QFAIL(qPrintable(QStringLiteral("row %1, column %2: \"%3\", expected \"%4\"")
                                         .arg(row)
                                         .arg(column)
                                         .arg(grid.cell(column, int(row)),
                                             expected.cell(column, row).toString())));
            }
        }

        f->cbt_YHsave.click();
        QFile file(f.platform.documents.filePath(
            report::ResultFileName(report::ResultFile::OptimizationList)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringDecoder gbk = ResultFileDecoder();
        const QString text = gbk(file.readAll());
        QVERIFY(!gbk.hasError());
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), qsizetype(5 + expected.rows + 4 + 1));
        for (qint64 row = 0; row < expected.rows; ++row) {
            const QString want = expectedLine(expected, row, expected.rows);
            if (lines[5 + row] != want)
                QFAIL(qPrintable(QStringLiteral("list line %1:\n  \"%2\"\n  \"%3\"")
                                     .arg(row + 6)
                                     .arg(lines[5 + row], want)));
        }
    }
};

ROCKPILE_TEST(OptimizationDifferentialTest)
#include "optimization_differential_test.moc"
