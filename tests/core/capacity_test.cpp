// The capacity rules of TB 10093-2017 on their own, away from the form: the hardness
// classes at their bounds, the coefficient tables of both formulas with the shallow
// socket rule, and whole cases against figures worked out by hand.

#include "core/capacity.h"
#include "tests/testmain.h"

#include <QTest>

#include <cmath>

using namespace core;

Q_DECLARE_METATYPE(core::RockHardnessClass)
Q_DECLARE_METATYPE(core::PileProcess)
Q_DECLARE_METATYPE(core::SectionType)

class CapacityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hardness_data()
    {
        QTest::addColumn<double>("R");
        QTest::addColumn<RockHardnessClass>("expected");
        QTest::addColumn<QString>("text");
        using H = RockHardnessClass;
        QTest::newRow("R = -3") << -3.0 << H::Unclassified << "";
        QTest::newRow("R = 0") << 0.0 << H::Unclassified << "";
        QTest::newRow("R = -0") << -0.0 << H::Unclassified << "";
        QTest::newRow("R just above 0") << 1e-300 << H::ExtremelySoftRock << "极软岩";
        QTest::newRow("R = 5 is still extremely soft") << 5.0 << H::ExtremelySoftRock << "极软岩";
        QTest::newRow("R = 5.01") << 5.01 << H::SoftRock << "软岩";
        QTest::newRow("R = 15") << 15.0 << H::SoftRock << "软岩";
        QTest::newRow("R just above 15")
            << std::nextafter(15.0, 16.0) << H::RatherSoftRock << "较软岩";
        QTest::newRow("R = 30") << 30.0 << H::RatherSoftRock << "较软岩";
        QTest::newRow("R = 30.01") << 30.01 << H::RatherHardRock << "较硬岩";
        QTest::newRow("R = 60") << 60.0 << H::RatherHardRock << "较硬岩";
        QTest::newRow("R = 60.01") << 60.01 << H::HardRock << "坚硬岩";
        QTest::newRow("R = 1e300") << 1e300 << H::HardRock << "坚硬岩";
    }
    void hardness()
    {
        QFETCH(double, R);
        QFETCH(RockHardnessClass, expected);
        QFETCH(QString, text);
        QCOMPARE(HardnessRule(R), expected);
        QCOMPARE(HardnessText(HardnessRule(R)), text);
    }

    void coefficients_data()
    {
        QTest::addColumn<PileProcess>("process");
        QTest::addColumn<int>("condition");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("C1");
        QTest::addColumn<double>("C2");
        const auto D = PileProcess::Driven;
        const auto B = PileProcess::Bored;
        // Formula 6.2.2-3: C only; the embedment never matters.
        QTest::newRow("driven, homogeneous") << D << 0 << 0.0 << 0.45 << 0.0;
        QTest::newRow("driven, cracked") << D << 1 << 0.0 << 0.30 << 0.0;
        QTest::newRow("driven, shallow rule not applied") << D << 0 << 400.0 << 0.45 << 0.0;
        QTest::newRow("driven, condition outside the table") << D << 2 << 0.0 << 0.0 << 0.0;
        // Formula 6.2.2-4.
        QTest::newRow("bored, good") << B << 0 << 1000.0 << 0.5 << 0.04;
        QTest::newRow("bored, fair") << B << 1 << 1000.0 << 0.4 << 0.03;
        QTest::newRow("bored, poor") << B << 2 << 1000.0 << 0.3 << 0.02;
        QTest::newRow("bored, h = 501 mm") << B << 1 << 501.0 << 0.4 << 0.03;
        // Sockets of 0.5 m or less: 0.7 of C1 and no side resistance.
        QTest::newRow("bored, h = 500 mm") << B << 0 << 500.0 << 0.5 * 0.7 << 0.0;
        QTest::newRow("bored fair, h = 500 mm") << B << 1 << 500.0 << 0.4 * 0.7 << 0.0;
        QTest::newRow("bored poor, h = 0") << B << 2 << 0.0 << 0.3 * 0.7 << 0.0;
        QTest::newRow("bored, condition outside the table") << B << 3 << 1000.0 << 0.0 << 0.0;
        QTest::newRow("bored, negative condition") << B << -1 << 1000.0 << 0.0 << 0.0;
    }
    void coefficients()
    {
        QFETCH(PileProcess, process);
        QFETCH(int, condition);
        QFETCH(double, h);
        QFETCH(double, C1);
        QFETCH(double, C2);
        const Coefficients k = CoefficientRule(process, condition, h);
        QCOMPARE(k.C1, C1);
        QCOMPARE(k.C2, C2);
    }

    // Whole cases: A, U, the forces and the share, to the hundredth of a unit.
    void cases_data()
    {
        QTest::addColumn<SectionType>("section");
        QTest::addColumn<double>("d");
        QTest::addColumn<double>("c");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("R");
        QTest::addColumn<PileProcess>("process");
        QTest::addColumn<int>("condition");
        QTest::addColumn<double>("P");
        QTest::addColumn<double>("Pp");
        QTest::addColumn<double>("share");
        const auto B = PileProcess::Bored;
        QTest::newRow("circle 1000, 1.0d, 25 MPa, fair")
            << SectionType::Circular << 1000.0 << 0.0 << 1000.0 << 25.0 << B << 1 << 10210.18
            << 7853.98 << 76.92;
        QTest::newRow("ellipse 1000 + 500, 1.5d, 40 MPa, good")
            << SectionType::Elliptical << 1000.0 << 500.0 << 1500.0 << 40.0 << B << 0 << 35647.79
            << 25707.96 << 72.12;
        QTest::newRow("rectangle 1500 x 1000, 1000 mm, 10 MPa, poor")
            << SectionType::Rectangular << 1500.0 << 1000.0 << 1000.0 << 10.0 << B << 2 << 5500.0
            << 4500.0 << 81.82;
        QTest::newRow("square 1000, 400 mm, 70 MPa: shallow")
            << SectionType::Rectangular << 1000.0 << 1000.0 << 400.0 << 70.0 << B << 0 << 24500.0
            << 24500.0 << 100.0;
        QTest::newRow("driven circle 1200, 25 MPa, homogeneous")
            << SectionType::Circular << 1200.0 << 0.0 << 1800.0 << 25.0 << PileProcess::Driven << 0
            << 12723.45 << 12723.45 << 100.0;
        QTest::newRow("negative R: negative forces")
            << SectionType::Circular << 1000.0 << 0.0 << 1000.0 << -3.0 << B << 1 << -1225.22
            << -942.48 << 76.92;
    }
    void cases()
    {
        QFETCH(SectionType, section);
        QFETCH(double, d);
        QFETCH(double, c);
        QFETCH(double, h);
        QFETCH(double, R);
        QFETCH(PileProcess, process);
        QFETCH(int, condition);
        QFETCH(double, P);
        QFETCH(double, Pp);
        QFETCH(double, share);
        PileDesignCase pile;
        pile.section = section;
        pile.d = d;
        pile.c = c;
        pile.a = d;
        pile.b = c;
        pile.h = h;
        pile.R = R;
        pile.process = process;
        pile.condition = condition;
        const CapacityResult r = ComputeCapacity(pile);
        QCOMPARE(std::round(r.P * 100) / 100, P);
        QCOMPARE(std::round(r.Pp * 100) / 100, Pp);
        QCOMPARE(std::round(r.share * 100) / 100, share);
        QCOMPARE(r.Pp + r.Ps, r.P);
        if (process == PileProcess::Driven) {
            QCOMPARE(r.h, 0.0); // a driven pile bears on the rock: no side resistance
            QCOMPARE(r.Ps, 0.0);
        }
    }
};

ROCKPILE_TEST(CapacityTest)
#include "capacity_test.moc"
