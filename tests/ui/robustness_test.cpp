#include "tests/formfixture.h"
#include "tests/testmain.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ui;

// Whatever a keyboard can type into the input panel, the program answers with a result,
// a message or an error report, and never with an infinite or undefined number.
class RobustnessTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomTextsNeverBreakTheCalculation()
    {
        static const QStringList pieces = {QStringLiteral("0"), QStringLiteral("1"),
            QStringLiteral("9"), QStringLiteral("."), QStringLiteral(","), QStringLiteral("-"),
            QStringLiteral("+"), QStringLiteral("e"), QStringLiteral("E"), QStringLiteral("d"),
            QStringLiteral("b"), QStringLiteral(" "), QStringLiteral("999"), QStringLiteral("e308"),
            QStringLiteral("e-400"), QStringLiteral("NaN"), QStringLiteral("inf"),
            QStringLiteral("１"), QStringLiteral("😀"), QStringLiteral("桩"), QStringLiteral("\t"),
            QString(300, QLatin1Char('7'))};
        QRandomGenerator random(20261210);
        int results = 0;
        int messages = 0;
        for (const QLocale& locale :
            {QLocale(QLocale::Chinese, QLocale::China), QLocale(QLocale::German)}) {
            FormFixture f(locale);
            for (int round = 0; round < 3000; ++round) {
                static const QStringList sound
                    = {QStringLiteral("1200"), QStringLiteral("800"), QStringLiteral("1.5d"),
                        QStringLiteral("2.0b"), QStringLiteral("1500"), QStringLiteral("30")};
                QString text;
                if (random.bounded(3) != 0) {
                    text = sound[random.bounded(sound.size())];
                } else {
                    const int length = random.bounded(6);
                    for (int i = 0; i < length; ++i)
                        text += pieces[random.bounded(pieces.size())];
                }
                switch (random.bounded(8)) {
                case 0:
                    f->cbe_dd.commit(text);
                    break;
                case 1:
                    f->cbe_tyzd.commit(text);
                    break;
                case 2:
                    f->cbe_hr.commit(text);
                    break;
                case 3:
                    f->edt_frk.commit(text);
                    break;
                case 4:
                    f->cbb_jmlx.pick(random.bounded(3));
                    break;
                case 5:
                    f->cbb_czgy.pick(random.bounded(2));
                    break;
                case 6:
                    f->cbt_JingDu.click();
                    f->popbox_jingdu.pick(random.bounded(5));
                    break;
                default:
                    break;
                }
                f->cbt_compute.click();
                // The only error report a typed text may cause is a refused number.
                for (const QString& error : f.platform.takeErrors())
                    QVERIFY2(error.contains(QStringLiteral("不是有效的数值")), qPrintable(error));
                for (const Edit* box : {&f->edt_ra, &f->edt_Pr, &f->edt_percent}) {
                    QVERIFY2(!box->text().contains(QLatin1String("INF"))
                            && !box->text().contains(QLatin1String("NAN")),
                        qPrintable(box->text()));
                }
                results += f->edt_ra.text().isEmpty() ? 0 : 1;
                messages += f->lb_shuoming.textColor() == ColorRed ? 1 : 0;
                if (f->cbt_View.isVisible())
                    f->cbe_dd.commit(f->cbe_dd.text() + QLatin1Char(' ')); // back to "计算"
            }
            QVERIFY(f->ReportPileCount >= 0);
        }
        // Both outcomes were met many times, so the rounds did exercise the checks.
        QVERIFY2(results > 200 && messages > 200,
            qPrintable(QStringLiteral("%1 %2").arg(results).arg(messages)));
    }
};

ROCKPILE_TEST(RobustnessTest)
#include "robustness_test.moc"
