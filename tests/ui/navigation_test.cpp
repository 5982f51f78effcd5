#include "core/version.h"
#include "tests/formfixture.h"
#include "tests/testmain.h"
#include "ui/ZAV_HBT_PAS_CopyRight.h"

#include <QTest>

using namespace ui;

namespace {

// The About window of a build whose addresses are configured.
MakerInfo withAddresses()
{
    MakerInfo maker = Maker();
    maker.organisationUrl = maker.websiteUrl = QStringLiteral("https://rockpile.test/");
    maker.website = ShownAddress(maker.websiteUrl);
    maker.email = QStringLiteral("team@rockpile.test");
    maker.emailUrl = QStringLiteral("mailto:team@rockpile.test");
    maker.downloadUrl = QStringLiteral("https://rockpile.test/download/");
    return maker;
}

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUp()
    {
        FormFixture f;
        QVERIFY(f->MainFormLayer.isVisible());
        QVERIFY(!f->JieGuo_DocLayer.isVisible());
        QVERIFY(!f->YouHuaFormLayer.isVisible());
        QVERIFY(f->img_logo.isVisible());
        QVERIFY(!f->lb_shuoming.isVisible());
        QVERIFY(f->cbt_compute.isVisible());
        QVERIFY(!f->cbt_View.isVisible());
        QCOMPARE(f->OptimizationMode, 0);
        QCOMPARE(f->ReportPileCount, 0);
        QCOMPARE(f->UnsavedReports, 0);
        QCOMPARE(f->DSortOrder, 0);
        QCOMPARE(f->PSortOrder, 0);
        QVERIFY(!f->aboutForm());
        QCOMPARE(f->lb_cxm.text(), QStringLiteral("嵌岩桩承载力计算"));
        QCOMPARE(f->lb_cxm.textColor(), ColorBlueViolet);
        QCOMPARE(f->cbt_YouHua.hint(), QStringLiteral("筛选优化"));
        QCOMPARE(TZAV_FRM_DWOR1::caption(), QStringLiteral("嵌岩桩承载力计算 (TB10093-2017)"));
    }

    void optimizationScreenAndBack()
    {
        FormFixture f;
        f->cbt_compute.click();
        const QString result = f->edt_ra.text();
        f->cbt_YouHua.click();
        QVERIFY(!f->MainFormLayer.isVisible());
        QVERIFY(f->YouHuaFormLayer.isVisible());
        QCOMPARE(f->OptimizationMode, 1);
        f->cbt_YHfanhui.click();
        QVERIFY(f->MainFormLayer.isVisible());
        QVERIFY(!f->YouHuaFormLayer.isVisible());
        QCOMPARE(f->OptimizationMode, 0);
        QCOMPARE(f->edt_ra.text(), result);
        QCOMPARE(f->cbe_dd.text(), QStringLiteral("1000"));
        QVERIFY(f->cbt_View.isVisible());
    }

    void resultsScreenAndBack()
    {
        FormFixture f;
        f->cbt_compute.click();
        f->cbt_View.click();
        QVERIFY(!f->MainFormLayer.isVisible());
        QVERIFY(f->JieGuo_DocLayer.isVisible());
        QCOMPARE(f->meo_jisuanjieguo_Doc.fontSize(), 14.0);
        QCOMPARE(f->meo_jisuanjieguo_Xls.fontSize(), 14.0);
        f->OptimizationMode = 1; // "返回" on the results screen leaves the mode alone
        f->cbt_Exit.click();
        QVERIFY(f->MainFormLayer.isVisible());
        QVERIFY(!f->JieGuo_DocLayer.isVisible());
        QCOMPARE(f->OptimizationMode, 1);
    }

    // Ctrl+Return is a click on the "计算" of the screen in use, and like any click it
    // does nothing where that button is out of reach.
    void keyboardCalculation()
    {
        FormFixture f;
        f->CalculateByKeyboard();
        QCOMPARE(f->ReportPileCount, 1);
        QVERIFY(f->cbt_View.isVisible());
        f->CalculateByKeyboard(); // "计算" is hidden while the result is on display
        QCOMPARE(f->ReportPileCount, 1);

        f->cbt_View.click();
        f->CalculateByKeyboard(); // the results screen has no "计算"
        QCOMPARE(f->ReportPileCount, 1);
        f->cbt_Exit.click();

        f->cbt_YouHua.click();
        f->CalculateByKeyboard();
        QCOMPARE(f->Grid2_Youhuajieguo.rowCount(), 384);
        QCOMPARE(f->ReportPileCount, 1); // the run writes no report
        QVERIFY(!f->cbt_YHcompute.isEnabled());
        f->Grid2_Youhuajieguo.clickHeader(4);
        f->CalculateByKeyboard(); // a disabled "计算" does not run again
        QCOMPARE(f->Grid2_Youhuajieguo.header(4), QStringLiteral("[P](kN)▲"));
    }

    void exitClosesAtOnce()
    {
        FormFixture f;
        ZAV_FRM_DWOR1 = f.form.get();
        bool windowClosed = false;
        f->closeWindow = [&] { windowClosed = true; };
        f->cbt_compute.click();
        f->cbt_tuichu.click();
        QVERIFY(f->isClosed());
        QVERIFY(windowClosed);
        QVERIFY(!ZAV_FRM_DWOR1);
        QVERIFY(f.platform.messages.isEmpty());
    }

    void aboutDialog()
    {
        FormFixture f;
        f->cbt_CopyRight.click();
        TZAV_HBT_FRM_CopyRight* about = f->aboutForm();
        QVERIFY(about);
        QVERIFY(about->isShown());
        about->Hide();
        f->cbt_CopyRight.click();
        QCOMPARE(f->aboutForm(), about);
        QVERIFY(about->isShown());
        QCOMPARE(about->showCount(), 2);
        QCOMPARE(TZAV_HBT_FRM_CopyRight::caption(), QStringLiteral("关于"));
        QCOMPARE(about->lb_mokuaiming.text(), QStringLiteral("嵌岩桩承载力计算"));
    }

    void aboutLinksHover()
    {
        RecordingPlatform recorder;
        const Platform platform = recorder.make();
        TZAV_HBT_FRM_CopyRight about(platform, withAddresses());
        about.Show();
        const QString name = about.lb_danwei.text();
        about.lb_danwei.setItalic(true);
        about.lb_danwei.mouseMove();
        QCOMPARE(about.lb_danwei.text(), QStringLiteral("https://rockpile.test/"));
        QVERIFY(about.lb_danwei.isBold());
        QVERIFY(about.lb_danwei.isUnderline());
        QCOMPARE(about.lb_danwei.textColor(), ColorRed);
        about.lb_danwei.mouseLeave();
        QCOMPARE(about.lb_danwei.text(), name);
        QVERIFY(!about.lb_danwei.isBold());
        QVERIFY(!about.lb_danwei.isUnderline());
        QVERIFY(about.lb_danwei.isItalic());
        QCOMPARE(about.lb_danwei.textColor(), ColorBlack);

        for (LinkLabel* link : {&about.lb_wangzhi, &about.lb_lianxiUr}) {
            link->mouseMove();
            QCOMPARE(link->textColor(), ColorRed);
            link->mouseLeave();
            QCOMPARE(link->textColor(), ColorBlue);
            QVERIFY(!link->isUnderline());
        }
    }

    void aboutLinksOpenThroughTheShell()
    {
        RecordingPlatform recorder;
        const Platform platform = recorder.make();
        TZAV_HBT_FRM_CopyRight about(platform, withAddresses());
        about.Show();
        QCOMPARE(about.lb_wangzhi.text(), QStringLiteral("rockpile.test"));
        QCOMPARE(about.lb_lianxiUr.text(), QStringLiteral("team@rockpile.test"));
        about.lb_danwei.click();
        about.lb_wangzhi.click();
        about.lb_lianxiUr.click();
        about.cbt_update.click();
        QCOMPARE(recorder.openedUrls,
            QStringList(
                {QStringLiteral("https://rockpile.test/"), QStringLiteral("https://rockpile.test/"),
                    QStringLiteral("mailto:team@rockpile.test"),
                    QStringLiteral("https://rockpile.test/download/")}));
        QVERIFY(recorder.errors.isEmpty());
    }

    // Built without addresses the window says so, and a click opens nothing: never an
    // address nobody owns.
    void aboutWithoutAddresses()
    {
        RecordingPlatform recorder;
        const Platform platform = recorder.make();
        MakerInfo maker = Maker();
        maker.organisationUrl = maker.websiteUrl = maker.emailUrl = maker.downloadUrl = QString();
        maker.website = maker.email = QStringLiteral("（未提供）");
        TZAV_HBT_FRM_CopyRight about(platform, maker);
        about.Show();
        QVERIFY(!about.cbt_update.isEnabled());
        QCOMPARE(about.cbt_update.hint(), QStringLiteral("未提供下载地址"));
        const QString name = about.lb_danwei.text();
        about.lb_danwei.mouseMove();
        QCOMPARE(about.lb_danwei.text(), name);
        for (LinkLabel* link : {&about.lb_danwei, &about.lb_wangzhi, &about.lb_lianxiUr})
            link->click();
        QVERIFY(recorder.openedUrls.isEmpty());
    }

    void aboutNamesVersionAndLicenses()
    {
        FormFixture f;
        f->cbt_CopyRight.click();
        const TZAV_HBT_FRM_CopyRight& about = *f->aboutForm();
        QVERIFY(about.lB_copyright.text().contains(core::ProgramVersion()));
        QVERIFY(about.lB_copyright.text().contains(QStringLiteral("MIT")));
        QVERIFY(about.lB_copyright.hint().contains(QStringLiteral("THIRD-PARTY-NOTICES.txt")));
        QVERIFY(!about.lb_wangzhi.text().contains(QStringLiteral("example")));
        QCOMPARE(about.cbt_update.isEnabled(), !about.maker().downloadUrl.isEmpty());
    }
};

ROCKPILE_TEST(NavigationTest)
#include "navigation_test.moc"
