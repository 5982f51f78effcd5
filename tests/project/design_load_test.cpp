// The design-load check and the required socket against hand-checked cases: the panel's
// default pile carries [P] = 7853.98 + 2.35619 h kN above the shallow bound and
// 5497.79 kN at or below it (0.7 C1, no side resistance), so a socket just past 0.5 m
// carries far more than one at 0.5 m.

#include "tests/project/project_fixtures.h"
#include "tests/testmain.h"

#include "project/design_load.h"

#include <QTest>

using namespace project_testing;
using core::PileProcess;
using core::PrecisionMode;
using core::SectionType;
using project::RequiredSocket;

Q_DECLARE_METATYPE(project::PileInputs)

namespace {

project::PileInputs withStrength(const QString& R)
{
    project::PileInputs in = DefaultInputs();
    in.R = R;
    return in;
}

project::PileInputs withPrecision(PrecisionMode mode)
{
    return DefaultInputs(mode);
}

} // namespace

class DesignLoadTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void requiredSocket_data()
    {
        QTest::addColumn<project::PileInputs>("inputs");
        QTest::addColumn<double>("N");
        QTest::addColumn<QString>("expected");
        const auto round = DefaultInputs();
        QTest::newRow("formula, rounded up to 10 mm") << round << 9800.0 << "830 (0.9d)";
        QTest::newRow("the rock alone carries N: no socket") << round << 5000.0 << "0 (0.0d)";
        QTest::newRow("N exactly the shallow [P] as shown") << round << 5498.0 << "0 (0.0d)";
        QTest::newRow("1 kN more: the first socket past 0.5 m") << round << 5499.0 << "510 (0.6d)";
        QTest::newRow("formula says 70 mm, where the shallow rule holds")
            << round << 8000.0 << "510 (0.6d)";
        QTest::newRow("just what 510 mm carries") << round << 9056.0 << "510 (0.6d)";
        QTest::newRow("1 kN beyond it") << round << 9057.0 << "520 (0.6d)";
        QTest::newRow("deeper socket") << round << 12000.0 << "1760 (1.8d)";
        QTest::newRow("truncated to hundreds: the formula's 850 mm shows 9800")
            << withPrecision(PrecisionMode::WholeHundreds) << 9850.0 << "870 (0.9d)";
        QTest::newRow("R 5, the top of 极软岩") << withStrength("5") << 3000.0 << "3040 (3.1d)";
        QTest::newRow("R 5.01, 软岩") << withStrength("5.01") << 3000.0 << "3020 (3.1d)";
        QTest::newRow("R 30, the top of 较软岩") << withStrength("30") << 12000.0 << "920 (1.0d)";
        QTest::newRow("R 30.01, 较硬岩") << withStrength("30.01") << 12000.0 << "910 (1.0d)";
        QTest::newRow("rectangle: a multiple of the short side b")
            << Inputs(SectionType::Rectangular, "1500", "1000", "1000", "10", PileProcess::Bored, 2)
            << 6000.0 << "1500 (1.5b)";
        QTest::newRow("ellipse") << Inputs(
            SectionType::Elliptical, "1000", "500", "1.5d", "40", PileProcess::Bored, 0)
                                 << 40000.0 << "2160 (2.2d)";
        QTest::newRow("driven pile: hr does not enter 6.2.2-3")
            << Inputs(SectionType::Circular, "1200", "0", "1.0d", "25", PileProcess::Driven, 0)
            << 20000.0 << "不适用";
        QTest::newRow("a rock too weak for any socket")
            << withStrength("1e-300") << 9800.0 << "无解";
    }
    void requiredSocket()
    {
        QFETCH(project::PileInputs, inputs);
        QFETCH(double, N);
        QFETCH(QString, expected);
        const project::Pile pile = Computed(inputs, N);
        const RequiredSocket socket = project::RequiredEmbedment(pile);
        QCOMPARE(project::RequiredSocketText(socket, QLatin1Char('.')), expected);
        if (socket.kind != RequiredSocket::Kind::Found)
            return;
        // Confirmed by the rules themselves: it carries N, 10 mm less does not, and so
        // does the multiple shown beside it.
        QVERIFY(project::ShownCapacityAt(pile, socket.hr) >= N);
        if (socket.hr > 0)
            QVERIFY(project::ShownCapacityAt(pile, socket.hr - 10) < N);
        const double base
            = inputs.section == SectionType::Rectangular ? pile.design.b : pile.design.d;
        QVERIFY(project::ShownCapacityAt(pile, socket.multiple * base) >= N);
    }

    void noDesignLoadNoSocket()
    {
        const project::Pile pile = Computed(DefaultInputs());
        QCOMPARE(project::RequiredEmbedment(pile).kind, RequiredSocket::Kind::NoDesignLoad);
        QVERIFY(project::RequiredSocketText(project::RequiredEmbedment(pile), QLatin1Char('.'))
                    .isEmpty());
        QVERIFY(project::DesignLoadLine(pile, QLatin1Char('.')).isEmpty());
        QVERIFY(!project::CheckDesignLoad(pile).checked);
    }

    // The cliff itself, as the curve of a chart reads it.
    void shallowRuleDropsTheCapacityAtHalfAMetre()
    {
        const project::Pile pile = Computed(DefaultInputs());
        QCOMPARE(project::ShownCapacityAt(pile, 0), 5498.0);
        QCOMPARE(project::ShownCapacityAt(pile, 500), 5498.0);
        QCOMPARE(project::ShownCapacityAt(pile, 510), 9056.0);
        QCOMPARE(project::ShownCapacityAt(pile, 1000), 10210.0);
    }

    void checkLine_data()
    {
        QTest::addColumn<project::PileInputs>("inputs");
        QTest::addColumn<double>("N");
        QTest::addColumn<QString>("line");
        QTest::newRow("carried")
            << DefaultInputs(PrecisionMode::TwoDecimals) << 9800.0
            << "  6. 承载力验算: N = 9800.00 kN ≤ [P] = 10210.18 kN，满足要求 (N/[P] = 96.0%)";
        QTest::newRow("not carried")
            << DefaultInputs() << 12000.5
            << "  6. 承载力验算: N = 12000.50 kN > [P] = 10210 kN，不满足要求 (N/[P] = 117.5%)";
        // The checker reads 10200: N = 10210 is more than that, though [P] is 10210.18.
        QTest::newRow("truncated [P] is what counts")
            << DefaultInputs(PrecisionMode::WholeHundreds) << 10210.0
            << "  6. 承载力验算: N = 10210.00 kN > [P] = 10200 kN，不满足要求 (N/[P] = 100.1%)";
        QTest::newRow("N equal to the shown [P]")
            << DefaultInputs() << 10210.0
            << "  6. 承载力验算: N = 10210.00 kN ≤ [P] = 10210 kN，满足要求 (N/[P] = 100.0%)";
    }
    void checkLine()
    {
        QFETCH(project::PileInputs, inputs);
        QFETCH(double, N);
        QFETCH(QString, line);
        QCOMPARE(project::DesignLoadLine(Computed(inputs, N), QLatin1Char('.')), line);
    }

    void checkLineInTheUsersFormat()
    {
        project::PileInputs in = DefaultInputs(PrecisionMode::TwoDecimals);
        in.hr = QStringLiteral("1,0d");
        const project::Pile pile = Computed(in, 9800.25, {}, QLatin1Char(','));
        QCOMPARE(project::DesignLoadLine(pile, QLatin1Char(',')),
            QStringLiteral("  6. 承载力验算: N = 9800,25 kN ≤ [P] = 10210,18 kN，满足要求 (N/[P] = "
                           "96,0%)"));
    }

    void typedDesignLoads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("N"); // 0: none
        QTest::addColumn<QString>("error");
        QTest::newRow("whole number") << "9800" << 9800.0 << "";
        QTest::newRow("blanks around") << " 9800 " << 9800.0 << "";
        QTest::newRow("hundredths kept, the rest rounded") << "9800.456" << 9800.46 << "";
        QTest::newRow("empty clears") << "" << 0.0 << "";
        QTest::newRow("blank clears") << "   " << 0.0 << "";
        QTest::newRow("zero") << "0" << 0.0 << "N 应大于 0";
        QTest::newRow("negative") << "-5" << 0.0 << "N 应大于 0";
        QTest::newRow("rounds to zero") << "0.001" << 0.0 << "N 应大于 0";
        QTest::newRow("not a number") << "9800kN" << 0.0 << "N 不是有效的数值（“9800kN”）";
        QTest::newRow("comma where the point is the separator")
            << "9800,5" << 0.0 << "N 不是有效的数值（“9800,5”）";
        QTest::newRow("NaN") << "nan" << 0.0 << "N 不是有效的数值（“nan”）";
        QTest::newRow("huge") << "1e300" << 0.0 << "N 超出范围（至多 1000000000 kN）";
    }
    void typedDesignLoads()
    {
        QFETCH(QString, text);
        QFETCH(double, N);
        QFETCH(QString, error);
        const project::DesignLoadReading reading = project::ReadDesignLoad(text, QLatin1Char('.'));
        QCOMPARE(reading.error, error);
        QCOMPARE(reading.N.value_or(0), N);
    }
};

ROCKPILE_TEST(DesignLoadTest)
#include "design_load_test.moc"
