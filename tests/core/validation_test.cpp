// The checks of a design case as pure functions: which check fails first, which fields
// passed before it, the rectangle's exchanged sides, and the field at fault when a case
// that passed gives a [P] of zero or one too large for a double.

#include "core/validation.h"
#include "tests/testmain.h"

#include <QTest>

using namespace core;

Q_DECLARE_METATYPE(core::SectionType)
Q_DECLARE_METATYPE(core::PileProcess)

namespace {

PileDesignCase makeCase(SectionType section, double d, double c, const QString& hText,
    double R = 25, PileProcess process = PileProcess::Bored)
{
    PileDesignCase pile;
    pile.section = section;
    pile.d = d;
    pile.dText = QString::number(d);
    pile.c = c;
    pile.cText = QString::number(c);
    pile.hText = hText;
    pile.R = R;
    pile.process = process;
    pile.condition = 1;
    return pile;
}

// "field" is the failing field (-1: none); "passed" the number of fields that passed.
QString describe(const CaseValidation& v)
{
    QString out = QString::number(v.passedCount) + QLatin1Char(' ');
    if (v.conversionError)
        return out + QStringLiteral("conversion: ") + v.conversionError->message();
    if (v.error)
        return out + v.error->message;
    return out + QStringLiteral("ok");
}

} // namespace

class ValidationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstFailure_data()
    {
        QTest::addColumn<SectionType>("section");
        QTest::addColumn<double>("d");
        QTest::addColumn<double>("c");
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("expected");
        const auto C = SectionType::Circular;
        const auto E = SectionType::Elliptical;
        const auto R = SectionType::Rectangular;
        QTest::newRow("defaults") << C << 1000.0 << 0.0 << "1.0d"
                                  << "3 ok";
        QTest::newRow("zero diameter") << C << 0.0 << 0.0 << "1.0d"
                                       << "0 桩身直径数据有错";
        QTest::newRow("negative diameter") << C << -5.0 << 0.0 << "xd"
                                           << "0 桩身直径数据有错";
        QTest::newRow("ellipse without straight length") << E << 1000.0 << 0.0 << "1.0d"
                                                         << "1 椭圆直段长度数据有错";
        QTest::newRow("rectangle without long side") << R << 0.0 << 1000.0 << "1.0b"
                                                     << "0 矩形长边尺寸数据有错";
        QTest::newRow("rectangle without short side") << R << 1000.0 << -1.0 << "1.0b"
                                                      << "1 矩形短边尺寸数据有错";
        QTest::newRow("negative multiple") << C << 1000.0 << 0.0 << "-1d"
                                           << "2 嵌岩深度数据有错";
        QTest::newRow("negative millimetres") << C << 1000.0 << 0.0 << "-1"
                                              << "2 嵌岩深度数据有错";
        QTest::newRow("zero depth") << C << 1000.0 << 0.0 << "0"
                                    << "3 ok";
        QTest::newRow("capital D is no marker") << C << 1000.0 << 0.0 << "1.5D"
                                                << "2 嵌岩深度数据有错";
        QTest::newRow("b is no marker for a circle") << C << 1000.0 << 0.0 << "1.5b"
                                                     << "2 嵌岩深度数据有错";
        QTest::newRow("factor that is no number") << C << 1000.0 << 0.0 << "xd"
                                                  << "2 conversion: 嵌岩深度：“x”不是有效的数值";
        QTest::newRow("marker alone") << C << 1000.0 << 0.0 << "d"
                                      << "2 conversion: 嵌岩深度：“”不是有效的数值";
    }
    void firstFailure()
    {
        QFETCH(SectionType, section);
        QFETCH(double, d);
        QFETCH(double, c);
        QFETCH(QString, h);
        QFETCH(QString, expected);
        PileDesignCase pile = makeCase(section, d, c, h);
        QCOMPARE(describe(ValidatePileDesignCase(pile, QLatin1Char('.'))), expected);
    }

    void completesTheCase()
    {
        PileDesignCase rectangle = makeCase(SectionType::Rectangular, 1000, 1500, "2.0b");
        CaseValidation v = ValidatePileDesignCase(rectangle, QLatin1Char('.'));
        QVERIFY(v.sidesExchanged);
        QCOMPARE(rectangle.dText, QStringLiteral("1500"));
        QCOMPARE(rectangle.cText, QStringLiteral("1000"));
        QCOMPARE(rectangle.a, 1500.0);
        QCOMPARE(rectangle.b, 1000.0);
        QCOMPARE(rectangle.h, 2000.0); // a multiple of the short side
        QCOMPARE(rectangle.embedmentForm, EmbedmentForm::Multiple);

        // Equal sides are rewritten too, in the general form.
        PileDesignCase square = makeCase(SectionType::Rectangular, 1000, 1000, "1500");
        square.dText = square.cText = QStringLiteral("1000.0");
        v = ValidatePileDesignCase(square, QLatin1Char(','));
        QVERIFY(v.sidesExchanged);
        QCOMPARE(square.dText, QStringLiteral("1000"));
        QVERIFY(square.isSquare());
        QCOMPARE(square.embedmentForm, EmbedmentForm::Millimetres);
        QCOMPARE(square.h, 1500.0);

        // The exchange stands even when a later check fails.
        PileDesignCase failing = makeCase(SectionType::Rectangular, 800, 1200, "-1");
        v = ValidatePileDesignCase(failing, QLatin1Char('.'));
        QVERIFY(v.sidesExchanged);
        QVERIFY(v.error);
        QCOMPARE(failing.dText, QStringLiteral("1200"));

        // The factor is read in the locale.
        PileDesignCase comma = makeCase(SectionType::Circular, 1000, 0, "1,5d");
        QVERIFY(!ValidatePileDesignCase(comma, QLatin1Char(',')).error);
        QCOMPARE(comma.h, 1500.0);
    }

    void fieldAtFault_data()
    {
        QTest::addColumn<SectionType>("section");
        QTest::addColumn<double>("d");
        QTest::addColumn<double>("c");
        QTest::addColumn<QString>("h");
        QTest::addColumn<double>("R");
        QTest::addColumn<PileProcess>("process");
        QTest::addColumn<QString>("expected");
        const auto C = SectionType::Circular;
        const auto E = SectionType::Elliptical;
        const auto R = SectionType::Rectangular;
        const auto B = PileProcess::Bored;
        const auto D = PileProcess::Driven;
        QTest::newRow("sound") << C << 1000.0 << 0.0 << "1.0d" << 25.0 << B << "";
        QTest::newRow("negative R is a result, not a fault")
            << C << 1000.0 << 0.0 << "1.0d" << -3.0 << B << "";
        QTest::newRow("R = 0") << C << 1000.0 << 0.0 << "1.0d" << 0.0 << B
                               << "岩石单轴抗压强度值有错";
        QTest::newRow("R too large")
            << C << 1000.0 << 0.0 << "1.0d" << 1e308 << B << "岩石单轴抗压强度值有错";
        QTest::newRow("a diameter whose area underflows")
            << C << 1e-300 << 0.0 << "1.0d" << 25.0 << B << "桩身直径数据有错";
        QTest::newRow("a diameter whose area overflows")
            << C << 1e200 << 0.0 << "1.0d" << 25.0 << B << "桩身直径数据有错";
        QTest::newRow("a straight length too long")
            << E << 1000.0 << 1e306 << "1.0d" << 25.0 << B << "椭圆直段长度数据有错";
        QTest::newRow("a long side too long")
            << R << 1e200 << 1e150 << "1000" << 25.0 << B << "矩形长边尺寸数据有错";
        QTest::newRow("a short side too short")
            << R << 1e-150 << 1e-200 << "0" << 25.0 << B << "矩形短边尺寸数据有错";
        QTest::newRow("an embedment whose depth overflows")
            << C << 1e10 << 0.0 << "1e300d" << 25.0 << B << "嵌岩深度数据有错";
        QTest::newRow("an embedment whose side resistance overflows")
            << C << 1000.0 << 0.0 << "1e305d" << 25.0 << B << "嵌岩深度数据有错";
        QTest::newRow("a driven pile ignores its depth")
            << C << 1000.0 << 0.0 << "1e305d" << 25.0 << D << "";
        QTest::newRow("R = 0 with a zero depth")
            << C << 1000.0 << 0.0 << "0" << 0.0 << B << "岩石单轴抗压强度值有错";
    }
    void fieldAtFault()
    {
        QFETCH(SectionType, section);
        QFETCH(double, d);
        QFETCH(double, c);
        QFETCH(QString, h);
        QFETCH(double, R);
        QFETCH(PileProcess, process);
        QFETCH(QString, expected);
        PileDesignCase pile = makeCase(section, d, c, h, R, process);
        const CaseValidation v = ValidatePileDesignCase(pile, QLatin1Char('.'));
        QVERIFY(!v.error && !v.conversionError);
        const auto error = CheckCapacityRange(pile, ComputeCapacity(pile));
        QCOMPARE(error ? error->message : QString(), expected);
    }
};

ROCKPILE_TEST(ValidationTest)
#include "validation_test.moc"
