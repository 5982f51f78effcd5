#include "core/wide.h"
#include "tests/testmain.h"

#include <QTest>

using core::Wide128;

Q_DECLARE_METATYPE(Wide128)

namespace {
constexpr quint64 Max = ~quint64(0);
}

// The exact digits of every number text rest on these few operations; the compiler's
// product and the portable one must agree, above all where a carry crosses the halves.
class WideTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void multiply_data()
    {
        QTest::addColumn<quint64>("a");
        QTest::addColumn<quint64>("b");
        QTest::addColumn<quint64>("high");
        QTest::addColumn<quint64>("low");
        QTest::newRow("zero") << quint64(0) << Max << quint64(0) << quint64(0);
        QTest::newRow("one") << quint64(1) << Max << quint64(0) << Max;
        QTest::newRow("2^32 squared carries into the high word")
            << (quint64(1) << 32) << (quint64(1) << 32) << quint64(1) << quint64(0);
        QTest::newRow("largest square") << Max << Max << quint64(0xFFFFFFFFFFFFFFFE) << quint64(1);
        QTest::newRow("middle column carries")
            << Max << quint64(0xFFFFFFFF00000001) << quint64(0xFFFFFFFF00000000)
            << quint64(0xFFFFFFFF);
        QTest::newRow("low half times high half")
            << quint64(0xFFFFFFFF) << quint64(0xFFFFFFFF00000000) << quint64(0xFFFFFFFE)
            << quint64(0x100000000);
        QTest::newRow("largest mantissa times 5^22")
            << quint64((std::uint64_t(1) << 53) - 1) << quint64(2384185791015625)
            << quint64(0x10F0CF064DD) << quint64(0x591787987CD91537);
        QTest::newRow("two 20-digit numbers")
            << quint64(12345678901234567890u) << quint64(9876543210987654321u)
            << quint64(0x5BBB5EDC654C105D) << quint64(0x1D8F42CF7165332);
    }
    void multiply()
    {
        QFETCH(quint64, a);
        QFETCH(quint64, b);
        QFETCH(quint64, high);
        QFETCH(quint64, low);
        const Wide128 expected{high, low};
        QCOMPARE(core::MultiplyWidePortable(a, b), expected);
        QCOMPARE(core::MultiplyWide(a, b), expected);
        QCOMPARE(core::MultiplyWide(b, a), expected);
    }

    void shifts_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<Wide128>("right");
        QTest::addColumn<Wide128>("left");
        QTest::addColumn<Wide128>("lowBits");
        // Of the value 0x8000000000000001'8000000000000001.
        QTest::newRow("0") << 0 << Wide128{0x8000000000000001, 0x8000000000000001}
                           << Wide128{0x8000000000000001, 0x8000000000000001} << Wide128{0, 0};
        QTest::newRow("1") << 1 << Wide128{0x4000000000000000, 0xC000000000000000}
                           << Wide128{0x0000000000000003, 0x0000000000000002} << Wide128{0, 1};
        QTest::newRow("63") << 63 << Wide128{1, 0x0000000000000003}
                            << Wide128{0xC000000000000000, 0x8000000000000000}
                            << Wide128{0, 0x0000000000000001};
        QTest::newRow("64") << 64 << Wide128{0, 0x8000000000000001}
                            << Wide128{0x8000000000000001, 0} << Wide128{0, 0x8000000000000001};
        QTest::newRow("65") << 65 << Wide128{0, 0x4000000000000000}
                            << Wide128{0x0000000000000002, 0} << Wide128{1, 0x8000000000000001};
        QTest::newRow("127") << 127 << Wide128{0, 1} << Wide128{0x8000000000000000, 0}
                             << Wide128{0x0000000000000001, 0x8000000000000001};
    }
    void shifts()
    {
        QFETCH(int, count);
        QFETCH(Wide128, right);
        QFETCH(Wide128, left);
        QFETCH(Wide128, lowBits);
        const Wide128 value{0x8000000000000001, 0x8000000000000001};
        QCOMPARE(core::ShiftRight(value, count), right);
        QCOMPARE(core::ShiftLeft(value, count), left);
        QCOMPARE(core::LowBits(value, count), lowBits);
        QCOMPARE(core::LowBits(value, 128), value);
        QVERIFY(core::PowerOfTwo(count) > core::LowBits(Wide128{Max, Max}, count));
    }

    void comparesHighWordFirst()
    {
        QVERIFY((Wide128{1, 0}) > (Wide128{0, Max}));
        QVERIFY((Wide128{1, 2}) < (Wide128{1, 3}));
    }
};

ROCKPILE_TEST(WideTest)
#include "wide_test.moc"
