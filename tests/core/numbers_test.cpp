#include "core/errors.h"
#include "core/numbers.h"
#include "tests/testmain.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace core;

class NumbersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formatFixed_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0.125 rounds half away") << 0.125 << 7 << 2 << "0.13";
        QTest::newRow("-0.125 rounds half away") << -0.125 << 7 << 2 << "-0.13";
        QTest::newRow("1.005 is held below the half") << 1.005 << 7 << 2 << "1.00";
        QTest::newRow("p cuts before n: zeros filled") << 123456.78 << 7 << 2 << "123456.80";
        QTest::newRow("whole units") << 7853.981633974483 << 7 << 0 << "7854";
        QTest::newRow("two decimals") << 10210.176124166828 << 7 << 2 << "10210.18";
        QTest::newRow("one decimal") << 10210.176124166828 << 7 << 1 << "10210.2";
        QTest::newRow("zero") << 0.0 << 7 << 2 << "0.00";
        QTest::newRow("negative zero has no sign") << -0.0 << 7 << 2 << "0.00";
        QTest::newRow("rounds to zero without sign") << -0.004 << 7 << 2 << "0.00";
        QTest::newRow("tiny rounds up to last decimal") << 0.005 << 7 << 2 << "0.01";
        QTest::newRow("far below the decimals") << 1e-9 << 7 << 2 << "0.00";
        QTest::newRow("carry into a new digit") << 9.996 << 7 << 2 << "10.00";
        QTest::newRow("carry to 100") << 99.5 << 7 << 0 << "100";
        QTest::newRow("seven integer digits fit") << 1234567.0 << 7 << 2 << "1234567.00";
        QTest::newRow("eight integer digits go scientific") << 12345678.0 << 7 << 2 << "1.234568E7";
        QTest::newRow("carry past p goes scientific") << 9999999.6 << 7 << 0 << "1E7";
        QTest::newRow("area in m2") << 0.7853981633974483 << 6 << 2 << "0.79";
        QTest::newRow("depth in m") << 1.0 << 6 << 3 << "1.000";
        QTest::newRow("strength p10") << 35.0 << 10 << 2 << "35.00";
        QTest::newRow("negative force") << -1234.5 << 7 << 0 << "-1235";
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 7 << 2 << "INF";
    }
    void formatFixed()
    {
        QFETCH(double, value);
        QFETCH(int, p);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QCOMPARE(FormatFixed(value, p, n, QLatin1Char('.')), expected);
    }

    void formatFixedUsesTheSeparator()
    {
        QCOMPARE(FormatFixed(76.923, 7, 2, QLatin1Char(',')), QStringLiteral("76,92"));
        QCOMPARE(FormatGeneral(0.25, QLatin1Char(',')), QStringLiteral("0,25"));
    }

    void formatGeneral_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 1500.0 << "1500";
        QTest::newRow("fraction") << 0.25 << "0.25";
        QTest::newRow("entered 1000.0") << 1000.0 << "1000";
        QTest::newRow("15 significant digits") << 0.1 + 0.2 << "0.3";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("large") << 1e20 << "1E20";
        QTest::newRow("small") << 1.5e-7 << "1.5E-7";
        QTest::newRow("0.00001 stays fixed") << 0.00001 << "0.00001";
        QTest::newRow("count") << 384.0 << "384";
    }
    void formatGeneral()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatGeneral(value, QLatin1Char('.')), expected);
    }

    void parseLenient_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<double>("expected");
        const QChar dot = QLatin1Char('.');
        const QChar comma = QLatin1Char(',');
        QTest::newRow("plain") << "1000" << dot << 1000.0;
        QTest::newRow("leading blanks") << "   25" << dot << 25.0;
        QTest::newRow("trailing text") << "12abc" << dot << 12.0;
        QTest::newRow("trailing blank") << "1.5 " << dot << 1.5;
        QTest::newRow("empty") << "" << dot << 0.0;
        QTest::newRow("letters") << "abc" << dot << 0.0;
        QTest::newRow("comma is no point where the separator is \".\"") << "1,5" << dot << 1.0;
        QTest::newRow("exponent") << "2e3" << dot << 2000.0;
        QTest::newRow("dangling exponent") << "12e" << dot << 12.0;
        QTest::newRow("sign") << "-5" << dot << -5.0;
        QTest::newRow("point first") << ".5" << dot << 0.5;
        QTest::newRow("point last") << "5." << dot << 5.0;
        QTest::newRow("lone point") << "." << dot << 0.0;
        QTest::newRow("overflow") << "1e999" << dot << 0.0;
        QTest::newRow("underflow") << "1e-999" << dot << 0.0;
        QTest::newRow("NaN text") << "NaN" << dot << 0.0;
        QTest::newRow("inf text") << "inf" << dot << 0.0;
        QTest::newRow("full-width digits") << "１２" << dot << 0.0;
        QTest::newRow("long digits") << QString(10000, QLatin1Char('9')) << dot << 0.0;
        QTest::newRow("long zeros then one") << QString(5000, QLatin1Char('0')) + "1" << dot << 1.0;
        // Under a comma locale both the point and the comma are read, whichever comes
        // first; the other one ends the number.
        QTest::newRow("comma locale, comma") << "35,5" << comma << 35.5;
        QTest::newRow("comma locale, point") << "35.5" << comma << 35.5;
        QTest::newRow("comma locale, comma then point") << "1,5.5" << comma << 1.5;
        QTest::newRow("comma locale, point then comma") << "1.5,5" << comma << 1.5;
        QTest::newRow("comma locale, comma first") << ",5" << comma << 0.5;
        QTest::newRow("comma locale, lone comma") << "," << comma << 0.0;
        QTest::newRow("comma locale, exponent") << "-2,5e2" << comma << -250.0;
    }
    void parseLenient()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(double, expected);
        const double value = ParseLenient(text, separator);
        QVERIFY(std::isfinite(value));
        QCOMPARE(value, expected);
    }

    void parseStrict_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("expected");
        const QChar dot = QLatin1Char('.');
        const QChar comma = QLatin1Char(',');
        QTest::newRow("plain") << "1200" << dot << true << 1200.0;
        QTest::newRow("blanks around") << "  1.5  " << dot << true << 1.5;
        QTest::newRow("sign and exponent") << "-1.5e2" << dot << true << -150.0;
        QTest::newRow("point first") << ".5" << dot << true << 0.5;
        QTest::newRow("point last") << "5." << dot << true << 5.0;
        QTest::newRow("negative zero") << "-0" << dot << true << 0.0;
        QTest::newRow("comma locale") << "0,5" << comma << true << 0.5;
        QTest::newRow("point in comma locale") << "0.5" << comma << false << 0.0;
        QTest::newRow("empty") << "" << dot << false << 0.0;
        QTest::newRow("blank only") << "   " << dot << false << 0.0;
        QTest::newRow("letters") << "abc" << dot << false << 0.0;
        QTest::newRow("trailing letters") << "12abc" << dot << false << 0.0;
        QTest::newRow("lone point") << "." << dot << false << 0.0;
        QTest::newRow("dangling exponent") << "1e" << dot << false << 0.0;
        QTest::newRow("overflow") << "1e999" << dot << false << 0.0;
        QTest::newRow("NaN") << "NaN" << dot << false << 0.0;
        QTest::newRow("full-width digits") << "１２" << dot << false << 0.0;
        QTest::newRow("emoji") << "😀" << dot << false << 0.0;
        QTest::newRow("capital D marker") << "1.5D" << dot << false << 0.0;
        QTest::newRow("10000 digits overflow")
            << QString(10000, QLatin1Char('9')) << dot << false << 0.0;
    }
    void parseStrict()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(bool, ok);
        QFETCH(double, expected);
        const auto value = TryParseStrict(text, separator);
        QCOMPARE(value.has_value(), ok);
        if (ok)
            QCOMPARE(*value, expected);
        else
            QVERIFY_THROWS_EXCEPTION(ConversionError, ParseStrict(text, separator));
    }

    void conversionErrorNamesTheText()
    {
        try {
            ParseStrict(QStringLiteral("xd"), QLatin1Char('.'));
            QFAIL("no error");
        } catch (const ConversionError& e) {
            QVERIFY(e.message().contains(QStringLiteral("xd")));
        }
    }

    void parseStrictInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "4" << true << 4;
        QTest::newRow("blanks and sign") << " -3 " << true << -3;
        QTest::newRow("decimal") << "1.0" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("hex") << "0x10" << false << 0;
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    }
    void parseStrictInt()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, expected);
        if (ok)
            QCOMPARE(ParseStrictInt(text), expected);
        else
            QVERIFY_THROWS_EXCEPTION(ConversionError, ParseStrictInt(text));
    }
};

ROCKPILE_TEST(NumbersTest)
#include "numbers_test.moc"
