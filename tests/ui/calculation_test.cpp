#include "tests/formfixture.h"
#include "tests/testmain.h"

#include <QTest>

using namespace ui;

class CalculationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void panelDefaults_data()
    {
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("pp");
        QTest::addColumn<QString>("p");
        QTest::addColumn<QString>("share");
        QTest::newRow("两位小数") << 0 << "7853.98" << "10210.18" << "76.92%";
        QTest::newRow("一位小数") << 1 << "7854.0" << "10210.2" << "76.9%";
        QTest::newRow("个位取整") << 2 << "7854" << "10210" << "77%";
        QTest::newRow("十位取整") << 3 << "7850" << "10210" << "76%";
        QTest::newRow("百位取整") << 4 << "7800" << "10200" << "76%";
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
        QVERIFY(f->cbt_View.isVisible());
        QVERIFY(!f->cbt_compute.isVisible());
        QVERIFY(f.platform.errors.isEmpty());
    }
};

ROCKPILE_TEST(CalculationTest)
#include "calculation_test.moc"
