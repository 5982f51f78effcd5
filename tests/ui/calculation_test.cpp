#include "tests/formfixture.h"
#include "tests/testmain.h"

#include <QTest>

using namespace ui;

namespace {

// Puts a case on the panel the way a user would: section and process first, so that
// their change handlers have reloaded the dependent lists before the values go in.
void enterCase(TZAV_FRM_DWOR1& form, int section, const QString& d, const QString& c,
    const QString& h, const QString& R, int process, int condition)
{
    form.cbb_jmlx.pick(section);
    form.cbb_czgy.pick(process);
    form.cbe_dd.commit(d);
    if (section != 0)
        form.cbe_tyzd.commit(c);
    form.cbe_hr.setText(h); // disabled for driven piles, still read by the calculation
    form.edt_frk.commit(R);
    form.cbb_ysjqdqk.pick(condition);
}

const QString Aborted = QStringLiteral("运行中止，主界面可查看中止位置、原因");

} // namespace

class CalculationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void panelDefaults_data()
    {
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("pp");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("share");
        QTest::newRow("两位小数") << 0 << "7853.98"
                                  << "10210.18"
                                  << "76.92%";
        QTest::newRow("一位小数") << 1 << "7854.0"
                                  << "10210.2"
                                  << "76.9%";
        QTest::newRow("个位取整") << 2 << "7854"
                                  << "10210"
                                  << "77%";
        QTest::newRow("十位取整") << 3 << "7850"
                                  << "10210"
                                  << "76%";
        QTest::newRow("百位取整") << 4 << "7800"
                                  << "10200"
                                  << "76%";
    }
    void panelDefaults()
    {
        QFETCH(int, precision);
        QFETCH(QString, pp);
        QFETCH(QString, p);
        QFETCH(QString, share);
        FormFixture f;
        f->popbox_jingdu.setItemIndex(precision);
        f->cbt_compute.click();
        QCOMPARE(f->edt_Pr.text(), pp);
        QCOMPARE(f->edt_ra.text(), p);
        QCOMPARE(f->edt_percent.text(), share);
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("较软岩"));
        QCOMPARE(f->lb_shuoming.textColor(), ColorBlack);
        QVERIFY(!f->img_logo.isVisible());
        QCOMPARE(f->lb_guifan2.text(), QStringLiteral("容许承载力计算公式：6.2.2-4"));
        QCOMPARE(f->LastCapacity.C1, 0.4);
        QCOMPARE(f->LastCapacity.C2, 0.03);
        QCOMPARE(f->LastCapacity.Ps, 25 * 0.03 * (std::numbers::pi * 1000) * 1000 / 1000);
        QVERIFY(f->cbt_View.isVisible());
        QVERIFY(!f->cbt_compute.isVisible());
        QVERIFY(!f->cbt_compute.isEnabled());
        QCOMPARE(f->UnsavedReports, 3);
        QVERIFY(f->cbt_Save.isEnabled());
        QVERIFY(f->cbt_sanchu.isEnabled());
        QVERIFY(f.platform.errors.isEmpty());
    }

    // The worked examples of the code's two formulas, read at two decimals.
    void workedExamples_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("d");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("R");
        QTest::addColumn<int>("process");
        QTest::addColumn<int>("condition");
        QTest::addColumn<QString>("pp");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("share");
        QTest::addColumn<double>("ps");
        QTest::addColumn<QString>("hardness");
        QTest::newRow("ellipse 1000+500, 1.5d, R 40, good") << 1 << "1000"
                                                            << "500"
                                                            << "1.5d"
                                                            << "40" << 1 << 0 << "25707.96"
                                                            << "35647.79"
                                                            << "72.12%" << 9939.82 << "较硬岩";
        QTest::newRow("rectangle 1500x1000, 1000 mm, R 10, poor") << 2 << "1500"
                                                                  << "1000"
                                                                  << "1000"
                                                                  << "10" << 1 << 2 << "4500.00"
                                                                  << "5500.00"
                                                                  << "81.82%" << 1000.0 << "软岩";
        QTest::newRow("square 1000, 400 mm, R 70: shallow socket") << 2 << "1000"
                                                                   << "1000"
                                                                   << "400"
                                                                   << "70" << 1 << 0 << "24500.00"
                                                                   << "24500.00"
                                                                   << "100.00%" << 0.0 << "坚硬岩";
        QTest::newRow("driven d 1200, R 25, homogeneous") << 0 << "1200"
                                                          << "0"
                                                          << "1.0d"
                                                          << "25" << 0 << 0 << "12723.45"
                                                          << "12723.45"
                                                          << "100.00%" << 0.0 << "较软岩";
        QTest::newRow("h exactly 500 mm is shallow") << 0 << "1000"
                                                     << "0"
                                                     << "0.5d"
                                                     << "25" << 1 << 1 << "5497.79"
                                                     << "5497.79"
                                                     << "100.00%" << 0.0 << "较软岩";
        QTest::newRow("h 501 mm is not shallow") << 0 << "1000"
                                                 << "0"
                                                 << "501"
                                                 << "25" << 1 << 1 << "7853.98"
                                                 << "9034.44"
                                                 << "86.93%" << 1180.45 << "较软岩";
        QTest::newRow("R 5 extremely soft") << 0 << "1000"
                                            << "0"
                                            << "1.0d"
                                            << "5" << 1 << 1 << "1570.80"
                                            << "2042.04"
                                            << "76.92%" << 471.24 << "极软岩";
        QTest::newRow("R 5.01 soft") << 0 << "1000"
                                     << "0"
                                     << "1.0d"
                                     << "5.01" << 1 << 1 << "1573.94"
                                     << "2046.12"
                                     << "76.92%" << 472.18 << "软岩";
        QTest::newRow("R 60 rather hard") << 0 << "1000"
                                          << "0"
                                          << "1.0d"
                                          << "60" << 1 << 1 << "18849.56"
                                          << "24504.42"
                                          << "76.92%" << 5654.87 << "较硬岩";
        QTest::newRow("R 60.01 hard") << 0 << "1000"
                                      << "0"
                                      << "1.0d"
                                      << "60.01" << 1 << 1 << "18852.70"
                                      << "24508.51"
                                      << "76.92%" << 5655.81 << "坚硬岩";
        QTest::newRow("negative R computes, unclassified") << 0 << "1000"
                                                           << "0"
                                                           << "1.0d"
                                                           << "-3" << 1 << 1 << "-942.48"
                                                           << "-1225.22"
                                                           << "76.92%" << -282.74 << "";
    }
    void workedExamples()
    {
        QFETCH(int, section);
        QFETCH(QString, d);
        QFETCH(QString, c);
        QFETCH(QString, h);
        QFETCH(QString, R);
        QFETCH(int, process);
        QFETCH(int, condition);
        QFETCH(QString, pp);
        QFETCH(QString, p);
        QFETCH(QString, share);
        QFETCH(double, ps);
        QFETCH(QString, hardness);
        FormFixture f;
        f->popbox_jingdu.setItemIndex(0);
        enterCase(*f, section, d, c, h, R, process, condition);
        f->cbt_compute.click();
        QCOMPARE(f->edt_Pr.text(), pp);
        QCOMPARE(f->edt_ra.text(), p);
        QCOMPARE(f->edt_percent.text(), share);
        QCOMPARE(qRound64(f->LastCapacity.Ps * 100) / 100.0, ps);
        QCOMPARE(f->lb_shuoming.text(), hardness);
        QCOMPARE(f->lb_shuoming.textColor(), ColorBlack);
        QCOMPARE(f->lb_guifan2.text(),
            process == 0 ? QStringLiteral("容许承载力计算公式：6.2.2-3")
                         : QStringLiteral("容许承载力计算公式：6.2.2-4"));
        QVERIFY(f.platform.errors.isEmpty());
    }

    void drivenPileIgnoresEmbedmentButValidatesIt()
    {
        FormFixture f;
        enterCase(*f, 0, QStringLiteral("1200"), QString(), QStringLiteral("3.0d"),
            QStringLiteral("25"), 0, 0);
        f->cbt_compute.click();
        QCOMPARE(f->LastCapacity.C1, 0.45);
        QCOMPARE(f->LastCapacity.C2, 0.0);
        QCOMPARE(f->LastCapacity.Ps, 0.0);
        QCOMPARE(f->edt_ra.text(), QStringLiteral("12723"));

        f->cbe_hr.setText(QStringLiteral("-1"));
        f->cbt_compute.click();
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("嵌岩深度数据有错"));
        QCOMPARE(f->cbe_hr.textColor(), ColorRed);
    }

    void rectangleSidesAreNormalised()
    {
        FormFixture f;
        f->popbox_jingdu.setItemIndex(0);
        enterCase(*f, 2, QStringLiteral("1000"), QStringLiteral("1500"), QStringLiteral("2.0b"),
            QStringLiteral("25"), 1, 1);
        f->cbt_compute.click();
        QCOMPARE(f->cbe_dd.text(), QStringLiteral("1500"));
        QCOMPARE(f->cbe_tyzd.text(), QStringLiteral("1000"));
        // h = 2.0 * b = 2000 mm: Ps = 25 * 0.03 * 5000 * 2000 / 1000.
        QCOMPARE(f->LastCapacity.Ps, 7500.0);
        QCOMPARE(f->edt_Pr.text(), QStringLiteral("15000.00"));
    }

    void squareSidesComeBackInGeneralForm()
    {
        FormFixture f;
        enterCase(*f, 2, QStringLiteral("1000.0"), QStringLiteral("1000.0"), QStringLiteral("1.0b"),
            QStringLiteral("25"), 1, 1);
        f->cbt_compute.click();
        QCOMPARE(f->cbe_dd.text(), QStringLiteral("1000"));
        QCOMPARE(f->cbe_tyzd.text(), QStringLiteral("1000"));
        QCOMPARE(f->edt_ra.text(), QStringLiteral("13000"));
    }

    void rejectedInput_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("d");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("h");
        QTest::addColumn<int>("process");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("field");
        QTest::newRow("diameter 0") << 0 << "0"
                                    << "0"
                                    << "1.0d" << 1 << "桩身直径数据有错"
                                    << "cbe_dd";
        QTest::newRow("diameter empty") << 0 << ""
                                        << "0"
                                        << "1.0d" << 1 << "桩身直径数据有错"
                                        << "cbe_dd";
        QTest::newRow("diameter -5") << 0 << "-5"
                                     << "0"
                                     << "1.0d" << 1 << "桩身直径数据有错"
                                     << "cbe_dd";
        QTest::newRow("diameter 1e999 reads as 0") << 0 << "1e999"
                                                   << "0"
                                                   << "1.0d" << 1 << "桩身直径数据有错"
                                                   << "cbe_dd";
        QTest::newRow("ellipse c 0") << 1 << "1000"
                                     << "0"
                                     << "1.0d" << 1 << "椭圆直段长度数据有错"
                                     << "cbe_tyzd";
        QTest::newRow("rectangle a 0") << 2 << "0"
                                       << "1000"
                                       << "1.0b" << 1 << "矩形长边尺寸数据有错"
                                       << "cbe_dd";
        QTest::newRow("rectangle b 0") << 2 << "1000"
                                       << "0"
                                       << "1.0b" << 1 << "矩形短边尺寸数据有错"
                                       << "cbe_tyzd";
        QTest::newRow("embedment -1d") << 0 << "1000"
                                       << "0"
                                       << "-1d" << 1 << "嵌岩深度数据有错"
                                       << "cbe_hr";
        QTest::newRow("embedment -1") << 0 << "1000"
                                      << "0"
                                      << "-1" << 1 << "嵌岩深度数据有错"
                                      << "cbe_hr";
        QTest::newRow("capital D is no marker") << 0 << "1000"
                                                << "0"
                                                << "1.5D" << 1 << "嵌岩深度数据有错"
                                                << "cbe_hr";
        QTest::newRow("embedment abc") << 0 << "1000"
                                       << "0"
                                       << "abc" << 1 << "嵌岩深度数据有错"
                                       << "cbe_hr";
        QTest::newRow("b is no marker of a circle") << 0 << "1000"
                                                    << "0"
                                                    << "1.5b" << 1 << "嵌岩深度数据有错"
                                                    << "cbe_hr";
        QTest::newRow("driven pile, bad embedment") << 0 << "1000"
                                                    << "0"
                                                    << "-1" << 0 << "嵌岩深度数据有错"
                                                    << "cbe_hr";
        QTest::newRow("diameter too large for a double") << 0 << "1e200"
                                                         << "0"
                                                         << "1.0d" << 1 << "桩身直径数据有错"
                                                         << "cbe_dd";
        QTest::newRow("embedment too large for a double") << 0 << "1e10"
                                                          << "0"
                                                          << "1e300d" << 1 << "嵌岩深度数据有错"
                                                          << "cbe_hr";
        // [P] vanishes or overflows although R is sound: the field out of range is named.
        QTest::newRow("diameter whose area underflows") << 0 << "1e-300"
                                                        << "0"
                                                        << "1.0d" << 1 << "桩身直径数据有错"
                                                        << "cbe_dd";
        QTest::newRow("embedment whose side resistance overflows")
            << 0 << "1000"
            << "0"
            << "1e305d" << 1 << "嵌岩深度数据有错"
            << "cbe_hr";
        QTest::newRow("straight length too long for a double")
            << 1 << "1000"
            << "1e306"
            << "1.0d" << 1 << "椭圆直段长度数据有错"
            << "cbe_tyzd";
    }
    void rejectedInput()
    {
        QFETCH(int, section);
        QFETCH(QString, d);
        QFETCH(QString, c);
        QFETCH(QString, h);
        QFETCH(int, process);
        QFETCH(QString, message);
        QFETCH(QString, field);
        FormFixture f;
        enterCase(*f, section, d, c, h, QStringLiteral("25"), process, 0);
        const auto lastCapacity = f->LastCapacity;
        f->cbt_compute.click();
        QCOMPARE(f->lb_shuoming.text(), message);
        QCOMPARE(f->lb_shuoming.textColor(), ColorRed);
        QVERIFY(f->lb_shuoming.isVisible());
        QVERIFY(!f->img_logo.isVisible());
        const Control* marked = nullptr;
        for (const Control* candidate :
            {static_cast<const Control*>(&f->cbe_dd), static_cast<const Control*>(&f->cbe_tyzd),
                static_cast<const Control*>(&f->cbe_hr)}) {
            if (candidate->name() == field)
                marked = candidate;
        }
        QVERIFY(marked);
        QCOMPARE(marked->textColor(), ColorRed);
        QCOMPARE(f->edt_frk.textColor(), ColorBlack); // the strength is not at fault
        QCOMPARE(f->lb_YHxingxi.text(), Aborted);
        QCOMPARE(f->lb_YHxingxi.textColor(), ColorRed);
        QCOMPARE(f->edt_ra.text(), QString());
        QCOMPARE(f->LastCapacity.C1, lastCapacity.C1);
        QVERIFY(f->cbt_compute.isVisible());
        QCOMPARE(f->ReportPileCount, 0);
        QVERIFY(f.platform.errors.isEmpty());
    }

    void acceptedZeroEmbedment_data()
    {
        QTest::addColumn<QString>("h");
        QTest::newRow("0d") << "0d";
        QTest::newRow("0") << "0";
        QTest::newRow("1.5dx: text after the marker is ignored") << "1.5dx";
    }
    void acceptedZeroEmbedment()
    {
        QFETCH(QString, h);
        FormFixture f;
        f->cbe_hr.commit(h);
        f->cbt_compute.click();
        QVERIFY(!f->edt_ra.text().isEmpty());
        QCOMPARE(f->cbe_hr.textColor(), ColorBlack);
    }

    // The error report says which field holds the text, in the user's words.
    void multiplePrefixThatIsNoNumberGoesToTheErrorReport_data()
    {
        QTest::addColumn<QString>("embedment");
        QTest::addColumn<QString>("error");
        QTest::newRow("a letter in front") << "xd"
                                           << "嵌岩深度：“x”不是有效的数值";
        QTest::newRow("nothing in front") << "d"
                                          << "嵌岩深度：“”不是有效的数值";
        QTest::newRow("two points") << "1.5.0d"
                                    << "嵌岩深度：“1.5.0”不是有效的数值";
    }
    void multiplePrefixThatIsNoNumberGoesToTheErrorReport()
    {
        QFETCH(QString, embedment);
        QFETCH(QString, error);
        FormFixture f;
        f->cbe_hr.commit(embedment);
        f->cbt_compute.click();
        QCOMPARE(f.platform.takeErrors(), QStringList{error});
        QCOMPARE(f->cbe_hr.textColor(), ColorBlack);
        QCOMPARE(f->lb_YHxingxi.text(), QString());
        QCOMPARE(f->edt_ra.text(), QString());
        QVERIFY(f->cbt_compute.isVisible());
    }

    void failedDiameterLeavesTheEmbedmentAlone()
    {
        FormFixture f;
        f->cbe_hr.commit(QStringLiteral("abc"));
        f->cbt_compute.click();
        QCOMPARE(f->cbe_hr.textColor(), ColorRed);
        f->cbe_dd.commit(QStringLiteral("0"));
        f->cbt_compute.click();
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("桩身直径数据有错"));
        QCOMPARE(f->cbe_hr.textColor(), ColorRed);
    }

    // R = 0 would give [P] = 0 and a share of 0/0: refused with the field's own message.
    void zeroStrengthIsRefused()
    {
        FormFixture f;
        f->cbt_compute.click();
        const QString before = f->edt_ra.text();
        f->edt_frk.setText(QStringLiteral("0"));
        f->cbt_compute.click();
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("岩石单轴抗压强度值有错"));
        QCOMPARE(f->edt_frk.textColor(), ColorRed);
        QCOMPARE(f->lb_YHxingxi.text(), Aborted);
        QCOMPARE(f->edt_ra.text(), QString());
        QCOMPARE(f->LastCapacity.C1, 0.4);
        QCOMPARE(f->ReportPileCount, 1);
        QVERIFY(!before.isEmpty());
    }

    void strengthTooLargeForADoubleIsRefused()
    {
        FormFixture f;
        f->edt_frk.commit(QStringLiteral("1e308"));
        f->cbt_compute.click();
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("岩石单轴抗压强度值有错"));
        QCOMPARE(f->edt_ra.text(), QString());
    }

    void optimizationModeWritesNoReport()
    {
        FormFixture f;
        f->OptimizationMode = 1;
        f->cbt_computeClick();
        QCOMPARE(f->edt_ra.text(), QStringLiteral("10210"));
        QCOMPARE(f->lb_shuoming.text(), QStringLiteral("较软岩"));
        QCOMPARE(f->LastCapacity.C1, 0.4);
        QCOMPARE(f->ReportPileCount, 0);
        QCOMPARE(f->UnsavedReports, 0);
        QVERIFY(f->meo_jisuanjieguo_Doc.lines().isEmpty());
        QVERIFY(f->meo_jisuanjieguo_Xls.lines().isEmpty());
        QVERIFY(f->cbt_compute.isVisible());
        QVERIFY(!f->cbt_View.isVisible());
        QVERIFY(!f->cbt_sanchu.isEnabled());
    }

    void commaLocaleReadsTheLocaleSeparator()
    {
        FormFixture f(QLocale(QLocale::German, QLocale::Germany));
        // The program's own defaults are written in the locale and calculate as anywhere.
        QCOMPARE(f->cbe_hr.text(), QStringLiteral("1,0d"));
        QCOMPARE(f->cbe_hr.items().mid(0, 3),
            (QStringList{QStringLiteral("1,0d"), QStringLiteral("1,5d"), QStringLiteral("2,0d")}));
        f->cbt_compute.click();
        QCOMPARE(f->edt_ra.text(), QStringLiteral("10210"));
        QCOMPARE(f->edt_Pr.text(), QStringLiteral("7854"));
        QCOMPARE(f->edt_percent.text(), QStringLiteral("77%"));
        f->cbb_jmlx.pick(2);
        QCOMPARE(f->cbe_hr.text(), QStringLiteral("1,0b"));

        f->cbb_jmlx.pick(0);
        f->popbox_jingdu.setItemIndex(0);
        f->cbe_hr.commit(QStringLiteral("1,5d"));
        f->cbt_compute.click();
        // h = 1500 mm; the result boxes use the comma too.
        QCOMPARE(f->edt_ra.text(), QStringLiteral("11388,27"));
        QCOMPARE(f->edt_percent.text(), QStringLiteral("68,97%"));
        // A strength typed with the locale's comma passes its check and is used as
        // written: 35,5 MPa, not 35.
        f->edt_frk.commit(QStringLiteral("35,5"));
        QCOMPARE(f->lb_shuoming.text(), QString());
        QCOMPARE(f->edt_frk.textColor(), ColorBlack);
        f->cbt_compute.click();
        QCOMPARE(f->edt_ra.text(), QStringLiteral("16171,35"));
        // A point still reads as a point where the reading is lenient.
        f->edt_frk.commit(QStringLiteral("35.5"));
        f->cbt_compute.click();
        QCOMPARE(f->edt_ra.text(), QStringLiteral("16171,35"));
        // The embedment multiple is read strictly, in the locale: "1.5d" is refused.
        f->cbe_hr.commit(QStringLiteral("1.5d"));
        f->cbt_compute.click();
        QCOMPARE(f.platform.takeErrors().size(), 1);
    }
};

ROCKPILE_TEST(CalculationTest)
#include "calculation_test.moc"
