// The number texts every result row is made of, checked against a plain expansion of
// each double by the standard library: the run's fast digit and parse paths must give
// the same text to the last digit, for the values a run writes and for awkward ones
// (ties at the eighteenth digit, halves at the cut, neighbours of powers of ten).

#include "core/numbers.h"
#include "tests/testmain.h"

#include <QTest>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace reference {

// The expansion and the parsers as written before the fast paths, kept here as the
// yardstick.
bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

QStringView trimmedBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

long long leadingExponent(const std::string& number)
{
    long long intDigits = 0;
    long long index = 0;
    long long firstNonZero = -1;
    bool seenPoint = false;
    size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            seenPoint = true;
            continue;
        }
        if (!seenPoint)
            ++intDigits;
        if (firstNonZero < 0 && number[i] != '0')
            firstNonZero = index;
        ++index;
    }
    if (firstNonZero < 0)
        return std::numeric_limits<long long>::min();
    long long exponent = 0;
    if (i < number.size()) {
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            negative = number[i++] == '-';
        for (; i < number.size(); ++i)
            exponent = std::min<long long>(exponent * 10 + (number[i] - '0'), 1'000'000'000LL);
        if (negative)
            exponent = -exponent;
    }
    return intDigits - 1 - firstNonZero + exponent;
}

enum class Conversion { Ok, Overflow };

// Converts a well-formed ASCII number ("." decimal point, no "+"): underflow gives a
// signed zero, overflow is reported.
Conversion convert(const std::string& number, double& value)
{
    const char* first = number.data();
    const char* last = first + number.size();
    bool negative = false;
    if (first != last && *first == '-') {
        negative = true;
        ++first;
    }
    double magnitude = 0;
    auto [ptr, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (leadingExponent(std::string(first, last)) > 0)
            return Conversion::Overflow;
        magnitude = 0;
    } else if (ec != std::errc() || ptr != last) {
        magnitude = 0;
    }
    if (!std::isfinite(magnitude))
        return Conversion::Overflow;
    value = negative ? -magnitude : magnitude;
    return Conversion::Ok;
}

// The 18 significant digits of |x| (x finite, non-zero) and the decimal exponent of the
// first one: |x| = d0.d1d2...d17 * 10^exponent, rounded to nearest by to_chars.
struct Digits {
    std::array<char, 18> d{};
    int exponent = 0;
};

Digits exactDigits(double x)
{
    char buffer[48];
    auto result = std::to_chars(
        buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific, 17);
    Digits digits;
    const char* p = buffer;
    int count = 0;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && count < 18)
            digits.d[count++] = static_cast<char>(*p - '0');
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), result.ptr, exponent);
    digits.exponent = exponent;
    return digits;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one. Returns
// the kept digits (most significant first) and the exponent of the first kept digit,
// which grows by one when the rounding carries out of the top ("999.6" -> "1000").
struct Rounded {
    std::string digits; // '0'..'9' characters; empty means zero
    int exponent = 0;
};

Rounded roundDigits(const Digits& source, int keep)
{
    Rounded r;
    r.exponent = source.exponent;
    if (keep < 0)
        return r;
    r.digits.reserve(static_cast<size_t>(keep));
    for (int i = 0; i < keep; ++i)
        r.digits.push_back(
            static_cast<char>('0' + (i < 18 ? source.d[static_cast<size_t>(i)] : 0)));
    if (keep < 18 && source.d[static_cast<size_t>(keep)] >= 5) {
        int i = keep - 1;
        while (i >= 0 && r.digits[static_cast<size_t>(i)] == '9')
            r.digits[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++r.digits[static_cast<size_t>(i)];
        } else {
            // Every kept digit carried over: the value is 10^(exponent + 1).
            r.digits.assign(1, '1');
            r.exponent += 1;
        }
    }
    return r;
}

QString nonFinite(double x)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    return x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Scientific form shared by FormatFixed (integer part wider than p) and FormatGeneral:
// at most `significant` digits, trailing zeros dropped, "E" and the exponent without
// a plus sign, as in "1.234568E15" or "1E-7".
QString scientific(double x, int significant, QChar separator)
{
    Rounded r = roundDigits(exactDigits(x), std::max(significant, 1));
    while (r.digits.size() > 1 && r.digits.back() == '0')
        r.digits.pop_back();
    QString out;
    if (x < 0)
        out += QLatin1Char('-');
    out += QLatin1Char(r.digits[0]);
    if (r.digits.size() > 1) {
        out += separator;
        out += QLatin1String(r.digits.data() + 1, static_cast<qsizetype>(r.digits.size() - 1));
    }
    out += QLatin1Char('E');
    out += QString::number(r.exponent);
    return out;
}

QString formatFixed(double x, int p, int n, QChar decimalSeparator)
{
    if (!std::isfinite(x))
        return nonFinite(x);
    n = std::max(n, 0);
    p = std::max(p, 1);
    Rounded r;
    if (x != 0) {
        Digits digits = exactDigits(x);
        if (digits.exponent + 1 > p)
            return scientific(x, p, decimalSeparator);
        r = roundDigits(digits, std::min(p, digits.exponent + 1 + n));
        if (!r.digits.empty() && r.exponent + 1 > p)
            return scientific(x, p, decimalSeparator);
    }
    // The kept digits stand for positions 10^exponent down to 10^(exponent - size + 1);
    // spread them over an integer part and exactly n decimals.
    const bool zero = r.digits.find_first_not_of('0') == std::string::npos;
    QString out;
    out.reserve(24 + n);
    if (x < 0 && !zero)
        out += QLatin1Char('-');
    const int top = zero ? 0 : std::max(r.exponent, 0);
    auto digitAt = [&](int position) -> char {
        if (zero)
            return '0';
        int index = r.exponent - position;
        if (index < 0 || index >= static_cast<int>(r.digits.size()))
            return '0';
        return r.digits[static_cast<size_t>(index)];
    };
    for (int position = top; position >= 0; --position)
        out += QLatin1Char(digitAt(position));
    if (n > 0) {
        out += decimalSeparator;
        for (int position = -1; position >= -n; --position)
            out += QLatin1Char(digitAt(position));
    }
    return out;
}

QString formatGeneral(double x, QChar decimalSeparator)
{
    if (!std::isfinite(x))
        return nonFinite(x);
    if (x == 0)
        return QStringLiteral("0");
    constexpr int precision = 15;
    Rounded r = roundDigits(exactDigits(x), precision);
    while (r.digits.size() > 1 && r.digits.back() == '0')
        r.digits.pop_back();
    if (r.exponent + 1 > precision || r.exponent < -5)
        return scientific(x, precision, decimalSeparator);
    QString out;
    if (x < 0)
        out += QLatin1Char('-');
    const int size = static_cast<int>(r.digits.size());
    if (r.exponent >= 0) {
        for (int i = 0; i <= r.exponent; ++i)
            out += QLatin1Char(i < size ? r.digits[static_cast<size_t>(i)] : '0');
        if (size > r.exponent + 1) {
            out += decimalSeparator;
            out += QLatin1String(r.digits.data() + r.exponent + 1, size - r.exponent - 1);
        }
    } else {
        out += QLatin1Char('0');
        out += decimalSeparator;
        for (int i = 0; i < -r.exponent - 1; ++i)
            out += QLatin1Char('0');
        out += QLatin1String(r.digits.data(), size);
    }
    return out;
}

double parseLenient(QStringView text, QChar decimalSeparator)
{
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && isBlank(text[i]))
        ++i;
    std::string number;
    if (i < size && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            number.push_back('-');
        ++i;
    }
    qsizetype digits = 0;
    while (i < size && isDigit(text[i])) {
        number.push_back(static_cast<char>(text[i].unicode()));
        ++i;
        ++digits;
    }
    if (i < size && (text[i] == u'.' || text[i] == decimalSeparator)) {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (j < size && isDigit(text[j])) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            number.push_back('.');
            for (qsizetype k = i + 1; k < j; ++k)
                number.push_back(static_cast<char>(text[k].unicode()));
            digits += fraction;
            i = j;
        }
    }
    if (digits == 0)
        return 0;
    if (i < size && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < size && (text[j] == u'+' || text[j] == u'-')) {
            exponent.push_back(static_cast<char>(text[j].unicode()));
            ++j;
        }
        qsizetype expDigits = 0;
        while (j < size && isDigit(text[j])) {
            exponent.push_back(static_cast<char>(text[j].unicode()));
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            number += exponent;
    }
    double value = 0;
    if (convert(number, value) == Conversion::Overflow)
        return 0;
    return value;
}

std::optional<double> tryParseStrict(QStringView text, QChar decimalSeparator)
{
    QStringView t = trimmedBlanks(text);
    std::string number;
    number.reserve(static_cast<size_t>(t.size()));
    qsizetype i = 0;
    const qsizetype size = t.size();
    if (i < size && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            number.push_back('-');
        ++i;
    }
    qsizetype intDigits = 0;
    while (i < size && isDigit(t[i])) {
        number.push_back(static_cast<char>(t[i++].unicode()));
        ++intDigits;
    }
    qsizetype fracDigits = 0;
    if (i < size && t[i] == decimalSeparator) {
        number.push_back('.');
        ++i;
        while (i < size && isDigit(t[i])) {
            number.push_back(static_cast<char>(t[i++].unicode()));
            ++fracDigits;
        }
    }
    if (intDigits + fracDigits == 0)
        return std::nullopt;
    if (i < size && (t[i] == u'e' || t[i] == u'E')) {
        number.push_back('e');
        ++i;
        if (i < size && (t[i] == u'+' || t[i] == u'-'))
            number.push_back(static_cast<char>(t[i++].unicode()));
        qsizetype expDigits = 0;
        while (i < size && isDigit(t[i])) {
            number.push_back(static_cast<char>(t[i++].unicode()));
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != size)
        return std::nullopt;
    double value = 0;
    if (convert(number, value) == Conversion::Overflow)
        return std::nullopt;
    return value;
}

std::optional<double> parse(const std::string& number)
{
    double value = 0;
    if (convert(number, value) == Conversion::Overflow)
        return std::nullopt;
    return value;
}

} // namespace reference

class NumberTextsTest : public QObject {
    Q_OBJECT

    int m_failures = 0;

    void compareFormats(double x)
    {
        static const int precisions[][2]
            = {{7, 0}, {7, 1}, {7, 2}, {10, 0}, {10, 1}, {10, 2}, {15, 3}, {20, 25}};
        for (const auto& pn : precisions) {
            const QString fast = core::FormatFixed(x, pn[0], pn[1], QLatin1Char('.'));
            const QString slow = reference::formatFixed(x, pn[0], pn[1], QLatin1Char('.'));
            if (fast != slow && ++m_failures < 10)
                qWarning("FormatFixed(%.17g, %d, %d): %s, expected %s", x, pn[0], pn[1],
                    qPrintable(fast), qPrintable(slow));
        }
        const QString fast = core::FormatGeneral(x, QLatin1Char(','));
        const QString slow = reference::formatGeneral(x, QLatin1Char(','));
        if (fast != slow && ++m_failures < 10)
            qWarning(
                "FormatGeneral(%.17g): %s, expected %s", x, qPrintable(fast), qPrintable(slow));
    }

private Q_SLOTS:
    void init() { m_failures = 0; }

    void formatsAgreeWithTheFullExpansion()
    {
        std::mt19937_64 random(20261210);
        // Across and beyond the range of the fast path, on a logarithmic scale.
        std::uniform_real_distribution<double> logScale(-8, 18);
        for (int i = 0; i < 300000; ++i) {
            const double x = std::pow(10.0, logScale(random));
            compareFormats(x);
            compareFormats(-x);
        }
        // Decimal texts as the panel and the boxes hold them: halves at the cut, and
        // values like 1.005 held just below their text.
        std::uniform_int_distribution<long long> whole(0, 99999999);
        for (int i = 0; i < 200000; ++i) {
            const long long k = whole(random);
            for (double scale : {1.0, 10.0, 100.0, 1000.0, 8.0, 64.0})
                compareFormats(static_cast<double>(k) / scale);
        }
        // Dyadic values whose exact expansion ends in a 5 at or near the eighteenth digit.
        std::uniform_int_distribution<std::uint64_t> mantissa(1, (std::uint64_t(1) << 53) - 1);
        for (int i = 0; i < 200000; ++i) {
            const std::uint64_t m = mantissa(random);
            compareFormats(std::ldexp(static_cast<double>(m), -static_cast<int>(i % 24)));
        }
        compareFormats(123456789012345.0625); // a tie at digit 18: the even digit stays
        compareFormats(123456789012345.6875);
        // Around every power of ten the fast path meets, and its ends.
        for (int e = -7; e <= 17; ++e) {
            double x = std::pow(10.0, e);
            for (int step = 0; step < 4; ++step) {
                compareFormats(x);
                compareFormats(std::nextafter(x, 0.0));
                x = std::nextafter(x, 1e300);
            }
        }
        for (double x : {1e-5, std::nextafter(1e-5, 0.0), 9007199254740992.0, 9007199254740991.0,
                 0.125, 1.005, 2.675, 0.0, -0.0, 5e-324, std::numeric_limits<double>::max()})
            compareFormats(x);
        QCOMPARE(m_failures, 0);
    }

    void parsingAgreesWithTheStandardConversion()
    {
        std::mt19937_64 random(8);
        std::uniform_int_distribution<int> length(1, 20);
        std::uniform_int_distribution<int> digit(0, 9);
        std::uniform_int_distribution<int> coin(0, 3);
        std::uniform_int_distribution<int> exponent(-30, 30);
        for (int i = 0; i < 300000; ++i) {
            std::string text;
            if (coin(random) == 0)
                text += '-';
            const int digits = length(random);
            const int point = std::uniform_int_distribution<int>(0, digits)(random);
            for (int d = 0; d < digits; ++d) {
                if (d == point && d > 0)
                    text += '.';
                text += static_cast<char>('0' + (coin(random) == 0 ? 0 : digit(random)));
            }
            if (coin(random) == 0)
                text += 'e' + std::to_string(exponent(random));
            const auto expected = reference::parse(text);
            const auto strict
                = core::TryParseStrict(QString::fromStdString(text), QLatin1Char('.'));
            const double lenient
                = core::ParseLenient(QString::fromStdString(text), QLatin1Char('.'));
            const bool same = strict.has_value() == expected.has_value()
                && (!strict
                    || std::bit_cast<std::uint64_t>(*strict)
                        == std::bit_cast<std::uint64_t>(*expected))
                && std::bit_cast<std::uint64_t>(lenient)
                    == std::bit_cast<std::uint64_t>(expected.value_or(0));
            if (!same && ++m_failures < 10)
                qWarning("%s: %.17g / %.17g, expected %.17g", text.c_str(), strict.value_or(-1),
                    lenient, expected.value_or(-1));
        }
        QCOMPARE(m_failures, 0);
    }

    void parsingAgreesOnAnyText()
    {
        // Lone points, dangling exponents, signs, blanks, commas and letters: every
        // prefix rule of the lenient reading and every refusal of the strict one.
        static const char alphabet[] = "0123456789012345.e+- ,xE";
        std::mt19937_64 random(77);
        std::uniform_int_distribution<int> length(0, 12);
        std::uniform_int_distribution<int> pick(0, sizeof alphabet - 2);
        auto same = [](std::optional<double> a, std::optional<double> b) {
            return a.has_value() == b.has_value()
                && (!a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b));
        };
        for (int i = 0; i < 400000; ++i) {
            QString text;
            for (int n = length(random); n > 0; --n)
                text += QLatin1Char(alphabet[pick(random)]);
            const bool agree = same(core::ParseLenient(text, QLatin1Char('.')),
                                   reference::parseLenient(text, QLatin1Char('.')))
                && same(core::ParseLenient(text, QLatin1Char(',')),
                    reference::parseLenient(text, QLatin1Char(',')))
                && same(core::TryParseStrict(text, QLatin1Char('.')),
                    reference::tryParseStrict(text, QLatin1Char('.')))
                && same(core::TryParseStrict(text, QLatin1Char(',')),
                    reference::tryParseStrict(text, QLatin1Char(',')));
            if (!agree && ++m_failures < 10)
                qWarning("\"%s\" is read differently", qPrintable(text));
        }
        QCOMPARE(m_failures, 0);
    }
};

ROCKPILE_TEST(NumberTextsTest)
#include "number_texts_test.moc"
