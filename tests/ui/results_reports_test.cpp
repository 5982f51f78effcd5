#include "tests/report/reference_lines.h"
#include "tests/testmain.h"
#include "tests/ui/results_panel.h"

#include "report/summary_table.h"

#include <QTest>

using namespace results_testing;

namespace {
const QString Closing = QString(50, QLatin1Char('='));

QString stamp(int second)
{
    return QStringLiteral("计算时间：2026/12/10 09:05:0%1").arg(second);
}
} // namespace

class ResultsReportsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every section type, both processes and four precisions, one after the other: each
    // pile takes the old stamp and footer away and writes new ones with its own time.
    void fivePilesInBothReports()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3, 2);
        AddPile(f, DrivenPile(), 4, 0);
        AddPile(f, EllipticalPile(), 5, 1);
        AddPile(f, RectangularPile(), 6, 3);
        AddPile(f, SquarePile(), 7, 4);
        COMPARE_LINES(f->meo_jisuanjieguo_Doc.lines(),
            testing_support::ReadReferenceLines(QStringLiteral("report_five_piles_book.txt")));
        COMPARE_LINES(f->meo_jisuanjieguo_Xls.lines(),
            testing_support::ReadReferenceLines(QStringLiteral("report_five_piles_table.txt")));
        QCOMPARE(f->ReportPileCount, 5);
        QCOMPARE(f->UnsavedReports, 3);
        QVERIFY(f->cbt_Save.isEnabled());
        QVERIFY(f->cbt_sanchu.isEnabled());
        QVERIFY(f.platform.errors.isEmpty());
    }

    void firstPileWritesHeadRowAndFooter()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        const QStringList table = f->meo_jisuanjieguo_Xls.lines();
        QCOMPARE(table.size(), 10);
        QCOMPARE(table.at(5).left(7), QStringLiteral("   ZH1 "));
        QCOMPARE(table.last(), stamp(3));
        COMPARE_LINES(f->meo_jisuanjieguo_Doc.lines(),
            testing_support::ReadReferenceLines(QStringLiteral("report_book_default.txt")));
    }

    // A precision change through the popup recomputes the same case as the next pile.
    void precisionPopupAppendsTheCaseAgain()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        f->cbt_JingDu.click();
        f->popbox_jingdu.pick(0);
        QCOMPARE(f->ReportPileCount, 2);
        QVERIFY(!f->popbox_jingdu.isVisible());
        const QStringList table = f->meo_jisuanjieguo_Xls.lines();
        QCOMPARE(table.size(), 11);
        QVERIFY(table.at(6).startsWith(QStringLiteral("   ZH2      圆  桩     1000 ")));
        QVERIFY(table.at(6).endsWith(QStringLiteral(
            "  0.40     7853.98   76.92%     0.03     2356.19   23.08%   10210.18 ")));
        QCOMPARE(f->meo_jisuanjieguo_Doc.lines().count(Closing), 2);
        QCOMPARE(f->meo_jisuanjieguo_Doc.lines().count(QStringLiteral("1.基桩编号: ZH2")), 1);
    }

    // "x" after three piles: the third row and section go, the stamps keep the removed
    // pile's time, and the next pile is ZH3 again.
    void deleteLastOfThree()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        AddPile(f, EllipticalPile(), 4, 0);
        const QStringList bookOfTwo = f->meo_jisuanjieguo_Doc.lines();
        const QStringList tableOfTwo = f->meo_jisuanjieguo_Xls.lines();
        AddPile(f, RectangularPile(), 5);
        QCOMPARE(f->meo_jisuanjieguo_Xls.lineCount(), 12);
        OpenResults(f);

        f->cbt_sanchu.click();
        QCOMPARE(f->ReportPileCount, 2);
        QStringList table = f->meo_jisuanjieguo_Xls.lines();
        QStringList book = f->meo_jisuanjieguo_Doc.lines();
        QCOMPARE(table.size(), 11);
        QCOMPARE(table.last(), stamp(5));
        QCOMPARE(book.last(), stamp(5));
        table.last() = tableOfTwo.last();
        book.last() = bookOfTwo.last();
        COMPARE_LINES(table, tableOfTwo);
        COMPARE_LINES(book, bookOfTwo);
        QCOMPARE(f->meo_jisuanjieguo_Doc.caretLine(), 0);
        QCOMPARE(f->UnsavedReports, 3);
        QVERIFY(f->cbt_sanchu.isEnabled());

        f->cbt_Exit.click();
        AddPile(f, SquarePile(), 6);
        QVERIFY(
            f->meo_jisuanjieguo_Xls.lines().at(7).startsWith(QStringLiteral("   ZH3      方  桩")));
        QCOMPARE(f->meo_jisuanjieguo_Doc.lines().count(QStringLiteral("1.基桩编号: ZH3")), 1);
        QCOMPARE(f->meo_jisuanjieguo_Doc.lines().last(), stamp(6));
    }

    void deleteTheOnlyPile()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        f->cbt_sanchu.click();
        QCOMPARE(f->ReportPileCount, 0);
        QVERIFY(f->meo_jisuanjieguo_Doc.lines().isEmpty());
        QVERIFY(f->meo_jisuanjieguo_Xls.lines().isEmpty());
        QCOMPARE(f->UnsavedReports, 0);
        QVERIFY(!f->cbt_Save.isEnabled());
        QVERIFY(!f->cbt_sanchu.isEnabled());

        f->cbt_Exit.click();
        AddPile(f, DrivenPile(), 4);
        QCOMPARE(f->meo_jisuanjieguo_Xls.lineCount(), 10);
        QCOMPARE(f->meo_jisuanjieguo_Xls.lines().first(), report::SummaryTableHead().first());
        QVERIFY(f->meo_jisuanjieguo_Xls.lines().at(5).startsWith(QStringLiteral("   ZH1 ")));
        QCOMPARE(f->meo_jisuanjieguo_Doc.lines().at(1), QStringLiteral("1.基桩编号: ZH1"));
    }

    // The memos are read-only, but however their lines came to be, "x" ends and leaves
    // the program working.
    void deleteLastOnAnUnexpectedBook_data()
    {
        QTest::addColumn<QStringList>("book");
        QTest::addColumn<int>("linesLeft");
        QTest::newRow("no closing line") << QStringList{"a", "b", "c", "stamp"} << 1;
        QTest::newRow("closing line only at the top")
            << QStringList{Closing, "b", "c", "stamp"} << 2;
        QTest::newRow("one line") << QStringList{"stamp"} << 1;
        QTest::newRow("empty") << QStringList{} << 0;
    }
    void deleteLastOnAnUnexpectedBook()
    {
        QFETCH(QStringList, book);
        QFETCH(int, linesLeft);
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        AddPile(f, DefaultPile(), 4, 0);
        f->meo_jisuanjieguo_Doc.clearLines();
        f->meo_jisuanjieguo_Doc.addLines(book);
        f->meo_jisuanjieguo_Xls.clearLines();
        OpenResults(f);
        f->cbt_sanchu.click();
        QCOMPARE(f->meo_jisuanjieguo_Doc.lineCount(), linesLeft);
        QCOMPARE(f->ReportPileCount, 1);
        QVERIFY(f.platform.errors.isEmpty());
    }
};

ROCKPILE_TEST(ResultsReportsTest)
#include "results_reports_test.moc"
