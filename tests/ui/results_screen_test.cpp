#include "tests/testmain.h"
#include "tests/ui/results_panel.h"

#include <QTest>

using namespace results_testing;

class ResultsScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Which reports are still unsaved decides "保存" on the page that comes on display.
    void saveFollowsThePage_data()
    {
        QTest::addColumn<bool>("saveBook");
        QTest::addColumn<bool>("saveTable");
        QTest::addColumn<int>("unsaved");
        QTest::addColumn<bool>("enabledOnBook");
        QTest::addColumn<bool>("enabledOnTable");
        QTest::newRow("3: neither saved") << false << false << 3 << true << true;
        QTest::newRow("2: book saved") << true << false << 2 << false << true;
        QTest::newRow("1: table saved") << false << true << 1 << true << false;
        QTest::newRow("0: both saved") << true << true << 0 << false << false;
    }
    void saveFollowsThePage()
    {
        QFETCH(bool, saveBook);
        QFETCH(bool, saveTable);
        QFETCH(int, unsaved);
        QFETCH(bool, enabledOnBook);
        QFETCH(bool, enabledOnTable);
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        if (saveBook)
            f->cbt_Save.click();
        f->cbt_PageBook.click();
        if (saveTable)
            f->cbt_Save.click();
        QCOMPARE(f->UnsavedReports, unsaved);

        for (int round = 0; round < 2; ++round) { // the rule holds however often one switches
            f->cbt_PageBook.click();
            QCOMPARE(f->cbt_PageBook.text(), QStringLiteral("1"));
            QVERIFY(f->meo_jisuanjieguo_Doc.isVisible());
            QVERIFY(!f->meo_jisuanjieguo_Xls.isVisible());
            QCOMPARE(f->cbt_Save.isEnabled(), enabledOnBook);
            f->cbt_PageBook.click();
            QCOMPARE(f->cbt_PageBook.text(), QStringLiteral("2"));
            QVERIFY(!f->meo_jisuanjieguo_Doc.isVisible());
            QVERIFY(f->meo_jisuanjieguo_Xls.isVisible());
            QCOMPARE(f->cbt_Save.isEnabled(), enabledOnTable);
        }
        QCOMPARE(f->UnsavedReports, unsaved);
        QVERIFY(f.platform.errors.isEmpty());
    }

    void pageWithAnotherTextIsLeftAlone()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        f->cbt_PageBook.setText(QStringLiteral("3"));
        f->cbt_PageBook.click();
        QCOMPARE(f->cbt_PageBook.text(), QStringLiteral("3"));
        QVERIFY(f->meo_jisuanjieguo_Doc.isVisible());
        QVERIFY(f->cbt_Save.isEnabled());
    }

    void fontSizeReachesBothMemos_data()
    {
        QTest::addColumn<double>("slideTo");
        QTest::addColumn<double>("size");
        QTest::newRow("smallest") << 4.0 << 4.0;
        QTest::newRow("largest") << 24.0 << 24.0;
        QTest::newRow("beyond the end") << 40.0 << 24.0;
        QTest::newRow("unrounded") << 17.5 << 17.5;
    }
    void fontSizeReachesBothMemos()
    {
        QFETCH(double, slideTo);
        QFETCH(double, size);
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        f->tcb_meoFontSize.slide(slideTo);
        QCOMPARE(f->meo_jisuanjieguo_Doc.fontSize(), size);
        QCOMPARE(f->meo_jisuanjieguo_Xls.fontSize(), size); // hidden, and still follows
    }

    // "返回" and "结果" again: the same page, size and reports.
    void leavingAndComingBackKeepsTheScreen()
    {
        FormFixture f;
        AddPile(f, DefaultPile(), 3);
        OpenResults(f);
        f->cbt_PageBook.click();
        f->tcb_meoFontSize.slide(20);
        const QStringList table = f->meo_jisuanjieguo_Xls.lines();
        f->cbt_Exit.click();
        QVERIFY(f->MainFormLayer.isVisible());
        QVERIFY(!f->JieGuo_DocLayer.isVisible());
        OpenResults(f);
        QVERIFY(!f->MainFormLayer.isVisible());
        QCOMPARE(f->cbt_PageBook.text(), QStringLiteral("2"));
        QVERIFY(f->meo_jisuanjieguo_Xls.isVisible());
        QCOMPARE(f->meo_jisuanjieguo_Xls.fontSize(), 20.0);
        QCOMPARE(f->meo_jisuanjieguo_Doc.fontSize(), 20.0);
        QCOMPARE(f->meo_jisuanjieguo_Xls.lines(), table);
        QVERIFY(f->cbt_Save.isEnabled());
    }
};

ROCKPILE_TEST(ResultsScreenTest)
#include "results_screen_test.moc"
