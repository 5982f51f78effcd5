#include "tests/formfixture.h"
#include "tests/testmain.h"

#include <QTest>

using namespace ui;

namespace {
void calculate(TZAV_FRM_DWOR1& form)
{
    form.cbt_compute.click();
    QVERIFY(!form.edt_ra.text().isEmpty());
}

void checkInvalidated(TZAV_FRM_DWOR1& form)
{
    QCOMPARE(form.edt_ra.text(), QString());
    QCOMPARE(form.edt_Pr.text(), QString());
    QCOMPARE(form.edt_percent.text(), QString());
    QVERIFY(form.cbt_compute.isVisible());
    QVERIFY(form.cbt_compute.isEnabled());
    QVERIFY(!form.cbt_View.isVisible());
}
} // namespace

class PanelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startState()
    {
        FormFixture f;
        QCOMPARE(f->cbb_jmlx.text(), QStringLiteral("圆桩"));
        QCOMPARE(f->cbe_dd.text(), QStringLiteral("1000"));
        QCOMPARE(f->cbe_dd.items().size(), 11);
        QCOMPARE(f->cbe_tyzd.text(), QStringLiteral("0"));
        QCOMPARE(f->cbe_tyzd.itemIndex(), -1);
        QVERIFY(!f->cbe_tyzd.isEnabled());
        QVERIFY(!f->lb_tyzd.isEnabled());
        QCOMPARE(f->cbe_hr.text(), QStringLiteral("1.0d"));
        QCOMPARE(f->cbb_czgy.itemIndex(), 1);
        QCOMPARE(f->edt_frk.text(), QStringLiteral("25"));
        QCOMPARE(f->cbb_ysjqdqk.text(), QStringLiteral("一般"));
        QCOMPARE(f->lb_ysjqdqk.text(), QStringLiteral("岩石层情况"));
        QCOMPARE(f->lb_guifan2.text(), QStringLiteral("容许承载力计算公式：6.2.2-3、6.2.2-4"));
        QCOMPARE(f->popbox_jingdu.itemIndex(), 2);
        QVERIFY(!f->popbox_jingdu.isVisible());
        QVERIFY(f->edt_ra.isReadOnly());
        QCOMPARE(f->edt_ra.textColor(), ColorGreen);
        QCOMPARE(f->edt_ra.fontSize(), 18.0);
    }

    void sectionType_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("ddLabel");
        QTest::addColumn<QString>("cLabel");
        QTest::addColumn<bool>("cEnabled");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("firstC");
        QTest::addColumn<QString>("h");
        QTest::newRow("rectangle") << 2 << "矩形长边尺寸    a (mm)"
                                   << "矩形短边尺寸    b (mm)" << true << "1000"
                                   << "1000"
                                   << "1.0b";
        QTest::newRow("ellipse") << 1 << "桩  身   直   径    d (mm)"
                                 << "椭圆直段长度    c (mm)" << true << "500"
                                 << "100"
                                 << "1.0d";
    }
    void sectionType()
    {
        QFETCH(int, section);
        QFETCH(QString, ddLabel);
        QFETCH(QString, cLabel);
        QFETCH(bool, cEnabled);
        QFETCH(QString, c);
        QFETCH(QString, firstC);
        QFETCH(QString, h);
        FormFixture f;
        calculate(*f);
        f->cbe_hr.commit(QStringLiteral("2500"));
        f->cbb_jmlx.pick(section);
        QCOMPARE(f->lb_dd.text(), ddLabel);
        QCOMPARE(f->lb_tyzd.text(), cLabel);
        QCOMPARE(f->cbe_tyzd.isEnabled(), cEnabled);
        QCOMPARE(f->lb_tyzd.isEnabled(), cEnabled);
        QCOMPARE(f->cbe_tyzd.text(), c);
        QCOMPARE(f->cbe_tyzd.items().first(), firstC);
        QCOMPARE(f->cbe_tyzd.textColor(), ColorBlack);
        QCOMPARE(f->cbe_hr.text(), h);
        QCOMPARE(f->cbe_hr.items().size(), 12);
        QCOMPARE(f->cbe_dd.text(), QStringLiteral("1000"));
        checkInvalidated(*f);

        f->cbb_jmlx.pick(0);
        QCOMPARE(f->cbe_tyzd.text(), QStringLiteral("0"));
        QCOMPARE(f->cbe_tyzd.itemIndex(), -1);
        QVERIFY(!f->cbe_tyzd.isEnabled());
        QCOMPARE(f->lb_dd.text(), QStringLiteral("桩  身   直   径    d (mm)"));
        QCOMPARE(f->cbe_hr.text(), QStringLiteral("1.0d"));
    }

    void rectangleFromDefaultsIsASquare()
    {
        FormFixture f;
        f->cbb_jmlx.pick(2);
        QCOMPARE(f->cbe_dd.text(), QStringLiteral("1000"));
        QCOMPARE(f->cbe_tyzd.text(), QStringLiteral("1000"));
        f->cbt_compute.click();
        QCOMPARE(f->edt_ra.text(), QStringLiteral("13000"));
    }

    void process()
    {
        FormFixture f;
        calculate(*f);
        f->cbb_czgy.pick(0);
        QCOMPARE(f->lb_ysjqdqk.text(), QStringLiteral("岩石状况"));
        QCOMPARE(f->cbb_ysjqdqk.geometry().x, 130.0);
        QCOMPARE(f->cbb_ysjqdqk.geometry().width, 230.0);
        QCOMPARE(f->cbb_ysjqdqk.geometry().y, 68.0);
        QCOMPARE(f->cbb_ysjqdqk.items(),
            QStringList(
                {QStringLiteral("匀质无裂缝的岩石"), QStringLiteral("有严重裂缝的风(易)化岩石")}));
        QCOMPARE(f->cbb_ysjqdqk.itemIndex(), 0);
        QVERIFY(!f->cbe_hr.isEnabled());
        QVERIFY(!f->lb_hr.isEnabled());
        QCOMPARE(f->cbe_hr.text(), QStringLiteral("1.0d"));
        QCOMPARE(f->lb_guifan2.text(), QStringLiteral("容许承载力计算公式：6.2.2-3"));
        checkInvalidated(*f);

        f->cbb_czgy.pick(1);
        QCOMPARE(f->lb_ysjqdqk.text(), QStringLiteral("岩石层破碎程度和清底情况"));
        QCOMPARE(f->cbb_ysjqdqk.items(),
            QStringList({QStringLiteral("良好"), QStringLiteral("一般"), QStringLiteral("较差")}));
        QCOMPARE(f->cbb_ysjqdqk.itemIndex(), 1);
        QCOMPARE(f->cbb_ysjqdqk.geometry().x, 272.0);
        QCOMPARE(f->cbb_ysjqdqk.geometry().width, 88.0);
        QVERIFY(f->cbe_hr.isEnabled());
        QCOMPARE(f->lb_guifan2.text(), QStringLiteral("容许承载力计算公式：6.2.2-4"));
    }

    void fieldCheck_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString d = QStringLiteral("桩身直径数据有错");
        const QString c = QStringLiteral("椭圆直段长度数据有错");
        const QString r = QStringLiteral("岩石单轴抗压强度值有错");
        QTest::newRow("d abc") << "d"
                               << "abc" << d;
        QTest::newRow("d empty") << "d"
                                 << "" << d;
        QTest::newRow("d 0") << "d"
                             << "0" << d;
        QTest::newRow("d 1e999") << "d"
                                 << "1e999" << d;
        QTest::newRow("d full-width digits") << "d"
                                             << "１２００" << d;
        QTest::newRow("d emoji") << "d"
                                 << "😀" << d;
        QTest::newRow("d 10000 characters") << "d" << QString(10000, QLatin1Char('x')) << d;
        QTest::newRow("d 1200 passes") << "d"
                                       << "1200"
                                       << "";
        QTest::newRow("c 0 passes") << "c"
                                    << "0"
                                    << "";
        QTest::newRow("c -1") << "c"
                              << "-1" << c;
        QTest::newRow("c -0 passes") << "c"
                                     << "-0"
                                     << "";
        QTest::newRow("R 0 passes") << "R"
                                    << "0"
                                    << "";
        QTest::newRow("R -3") << "R"
                              << "-3" << r;
        QTest::newRow("R NaN") << "R"
                               << "NaN" << r;
    }
    void fieldCheck()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        FormFixture f;
        f->cbb_jmlx.pick(1); // so that c can be typed in
        calculate(*f);
        Control& control = field == "d" ? static_cast<Control&>(f->cbe_dd)
            : field == "c"              ? static_cast<Control&>(f->cbe_tyzd)
                                        : static_cast<Control&>(f->edt_frk);
        if (field == "R")
            f->edt_frk.commit(text);
        else
            static_cast<ComboEdit&>(control).commit(text);
        checkInvalidated(*f);
        QCOMPARE(f->lb_shuoming.text(), message);
        QCOMPARE(control.textColor(), message.isEmpty() ? ColorBlack : ColorRed);
        if (!message.isEmpty())
            QCOMPARE(f->lb_shuoming.textColor(), ColorRed);
        QCOMPARE(control.text(), text);
        QVERIFY(f.platform.errors.isEmpty());
        QCOMPARE(f->lb_YHxingxi.text(), QString());
    }

    void correctionLeavesAnEmptyStatusLine()
    {
        FormFixture f;
        QVERIFY(f->img_logo.isVisible());
        QVERIFY(!f->lb_shuoming.isVisible());
        f->cbe_dd.commit(QStringLiteral("abc"));
        QVERIFY(!f->img_logo.isVisible());
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("桩身直径数据有错"));
        f->cbe_dd.commit(QStringLiteral("1200"));
        QCOMPARE(f->lb_shuoming.text(), QString());
        QVERIFY(f->lb_shuoming.isVisible());
        QVERIFY(!f->img_logo.isVisible());
        QCOMPARE(f->cbe_dd.textColor(), ColorBlack);
    }

    void embedmentAndConditionOnlyInvalidate()
    {
        FormFixture f;
        calculate(*f);
        f->cbe_hr.commit(QStringLiteral("abc"));
        checkInvalidated(*f);
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("较软岩"));
        QCOMPARE(f->cbe_hr.textColor(), ColorBlack);
        f->cbe_hr.commit(QStringLiteral("1.0d"));
        calculate(*f);
        f->cbb_ysjqdqk.pick(2);
        checkInvalidated(*f);
    }

    void unchangedCommitRaisesNoChange()
    {
        FormFixture f;
        calculate(*f);
        f->cbe_dd.commit(QStringLiteral("1000"));
        f->cbb_jmlx.pick(0);
        f->cbe_hr.pick(0);
        QVERIFY(!f->edt_ra.text().isEmpty());
        QVERIFY(f->cbt_View.isVisible());
    }

    void commaLocaleFlagsAPoint()
    {
        FormFixture f(QLocale(QLocale::German, QLocale::Germany));
        f->cbb_jmlx.pick(1);
        f->cbe_tyzd.commit(QStringLiteral("0.5"));
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("椭圆直段长度数据有错"));
        f->cbe_tyzd.commit(QStringLiteral("0,5"));
        QCOMPARE(f->lb_shuoming.text(), QString());
    }

    void precisionPopup()
    {
        FormFixture f;
        calculate(*f);
        f->cbt_JingDu.click();
        QVERIFY(f->popbox_jingdu.isVisible());
        f->popbox_jingdu.pick(0);
        QCOMPARE(f->edt_ra.text(), QStringLiteral("10210.18"));
        QCOMPARE(f->edt_Pr.text(), QStringLiteral("7853.98"));
        QCOMPARE(f->edt_percent.text(), QStringLiteral("76.92%"));
        QVERIFY(!f->popbox_jingdu.isVisible());
        QVERIFY(f->cbt_View.isVisible());
        QCOMPARE(f->ReportPileCount, 2);

        // "≈" twice without a choice runs nothing.
        f->cbt_JingDu.click();
        f->cbt_JingDu.click();
        QVERIFY(!f->popbox_jingdu.isVisible());
        QCOMPARE(f->ReportPileCount, 2);
        // A change while the popup is hidden does nothing either.
        f->popbox_jingdu.setItemIndex(2);
        QCOMPARE(f->edt_ra.text(), QStringLiteral("10210.18"));
    }

    void popupRecalculationThatFailsKeepsThePopup()
    {
        FormFixture f;
        f->cbe_dd.commit(QStringLiteral("0"));
        f->cbt_JingDu.click();
        f->popbox_jingdu.pick(0);
        QVERIFY(f->popbox_jingdu.isVisible());
        QCOMPARE(f->edt_ra.text(), QString());
        QCOMPARE(f->ReportPileCount, 0);
    }

    void controlsOutOfReachIgnoreTheUser()
    {
        FormFixture f;
        f->cbe_tyzd.commit(QStringLiteral("5")); // disabled for a circle
        QCOMPARE(f->cbe_tyzd.text(), QStringLiteral("0"));
        f->edt_ra.commit(QStringLiteral("1")); // read-only result box
        QCOMPARE(f->edt_ra.text(), QString());
        f->cbt_Exit.click(); // on the hidden results screen
        QVERIFY(f->MainFormLayer.isVisible());
        f->cbt_YouHua.click();
        f->cbe_dd.commit(QStringLiteral("5")); // input screen hidden now
        QCOMPARE(f->cbe_dd.text(), QStringLiteral("1000"));
    }
};

ROCKPILE_TEST(PanelTest)
#include "panel_test.moc"
