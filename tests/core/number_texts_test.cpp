// The number texts every result row is made of, checked against a yardstick built on the
// standard library's own conversions: the run's fast digit and parse paths must give the same
// text and the same bits, for the values a run writes and for awkward ones (ties at the
// eighteenth digit, halves at the cut, neighbours of powers of ten, overflow and underflow).

#include "core/numbers.h"
#include "tests/testmain.h"

#include <QTest>

#include <bit>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <string_view>

namespace reference {

// The yardstick, written straight from the definitions on the standard library's own
// conversions and a regular expression for the grammar, sharing nothing with the code under
// test: decimal digit strings, cut and rounded as a person would on paper.

QString nonFinite(double x)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    return x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// The non-negative value digits × 10^last; no digits (or only zeros) is zero.
struct Decimal {
    std::string digits;
    int last = 0;

    bool isZero() const { return digits.find_first_not_of('0') == std::string::npos; }
    // The power of ten of the leading digit.
    int lead() const { return last + static_cast<int>(digits.size()) - 1; }
};

// |x| to 18 significant digits, rounded to nearest by to_chars: "d.ddddddddddddddddde-xx".
Decimal exactDigits(double x)
{
    char buffer[40];
    const char* end
        = std::to_chars(buffer, std::end(buffer), std::fabs(x), std::chars_format::scientific, 17)
              .ptr;
    const std::string_view text(buffer, static_cast<size_t>(end - buffer));
    const size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), end, exponent);
    Decimal d;
    for (char c : text.substr(0, e)) {
        if (c != '.')
            d.digits.push_back(c);
    }
    d.last = exponent - static_cast<int>(d.digits.size()) + 1;
    return d;
}

// Rounded to a multiple of 10^unit; the first digit cut off decides, so halves go away from
// zero. A unit below the last digit only appends zeros.
Decimal roundedAt(Decimal d, int unit)
{
    if (unit <= d.last) {
        d.digits.append(static_cast<size_t>(d.last - unit), '0');
    } else {
        const size_t cut = static_cast<size_t>(unit - d.last);
        const bool up = cut <= d.digits.size() && d.digits[d.digits.size() - cut] >= '5';
        d.digits.resize(cut < d.digits.size() ? d.digits.size() - cut : 0);
        if (up) {
            size_t i = d.digits.size();
            while (i > 0 && d.digits[i - 1] == '9')
                d.digits[--i] = '0';
            if (i == 0)
                d.digits.insert(0, 1, '1');
            else
                ++d.digits[i - 1];
        }
    }
    d.last = unit;
    return d;
}

// d with exactly `decimals` decimals and "." as the point; d.last must not lie below the last
// of them.
std::string plain(const Decimal& d, int decimals)
{
    // The value × 10^decimals as a whole number, at least one digit before the point.
    std::string whole = d.digits;
    whole.append(static_cast<size_t>(d.last + decimals), '0');
    if (whole.size() < static_cast<size_t>(decimals) + 1)
        whole.insert(0, static_cast<size_t>(decimals) + 1 - whole.size(), '0');
    if (decimals > 0)
        whole.insert(whole.size() - static_cast<size_t>(decimals), 1, '.');
    return whole;
}

// |x| to at most `significant` digits, trailing zeros dropped, "E" and the exponent:
// "1.234568E7".
std::string scientific(double x, int significant)
{
    const Decimal exact = exactDigits(x);
    Decimal d = roundedAt(exact, exact.lead() + 1 - significant);
    const int exponent = d.lead();
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    if (d.digits.size() > 1)
        d.digits.insert(1, 1, '.');
    return d.digits + 'E' + std::to_string(exponent);
}

// The text of a magnitude with its sign and the user's separator in place of ".".
QString written(bool minus, const std::string& magnitude, QChar separator)
{
    QString out = minus ? QStringLiteral("-") : QString();
    out += QLatin1String(magnitude.data(), static_cast<qsizetype>(magnitude.size()));
    return out.replace(QLatin1Char('.'), separator);
}

QString formatFixed(double x, int p, int n, QChar separator)
{
    if (!std::isfinite(x))
        return nonFinite(x);
    p = std::max(p, 1);
    n = std::max(n, 0);
    Decimal d;
    if (x != 0) {
        // Keep at most p significant digits and at most n decimals.
        const Decimal exact = exactDigits(x);
        d = roundedAt(exact, std::max(exact.lead() + 1 - p, -n));
        if (!d.isZero() && d.lead() + 1 > p)
            return written(x < 0, scientific(x, p), separator);
    }
    // A value that rounds to zero is written without its sign.
    return written(x < 0 && !d.isZero(), plain(d, n), separator);
}

QString formatGeneral(double x, QChar separator)
{
    if (!std::isfinite(x))
        return nonFinite(x);
    if (x == 0)
        return QStringLiteral("0");
    const Decimal exact = exactDigits(x);
    Decimal d = roundedAt(exact, exact.lead() + 1 - 15);
    if (d.lead() + 1 > 15 || d.lead() < -5)
        return written(x < 0, scientific(x, 15), separator);
    while (d.last < 0 && d.digits.back() == '0') {
        d.digits.pop_back();
        ++d.last;
    }
    return written(x < 0, plain(d, std::max(-d.last, 0)), separator);
}

// The power of ten of the leading non-zero digit of an ASCII number ("." as the point, no
// sign); the number is not zero.
long long leadingPlace(const std::string& number)
{
    const size_t e = std::min(number.find_first_of("eE"), number.size());
    const std::string mantissa = number.substr(0, e);
    const long long point = static_cast<long long>(std::min(mantissa.find('.'), e));
    const long long first = static_cast<long long>(mantissa.find_first_not_of("0."));
    long long exponent = 0;
    if (e < number.size()) {
        const char* from = number.data() + e + 1;
        if (*from == '+')
            ++from;
        if (std::from_chars(from, number.data() + number.size(), exponent).ec != std::errc())
            exponent = *from == '-' ? -1'000'000'000'000LL : 1'000'000'000'000LL;
    }
    return point - first - (first < point ? 1 : 0) + exponent;
}

// The value of an ASCII number the grammar accepted ("." as the point); nullopt when it
// overflows, a signed zero when it underflows.
std::optional<double> toDouble(std::string number)
{
    const bool negative = number.front() == '-';
    if (negative || number.front() == '+')
        number.erase(0, 1);
    double magnitude = 0;
    const char* last = number.data() + number.size();
    const auto [end, error] = std::from_chars(number.data(), last, magnitude);
    if (end != last)
        qFatal("the reference grammar accepted \"%s\"", number.c_str());
    // from_chars answers both an overflow and an underflow with result_out_of_range and
    // leaves the value alone; where the leading digit stands tells them apart.
    if (error == std::errc::result_out_of_range) {
        if (leadingPlace(number) > 0)
            return std::nullopt;
        magnitude = 0;
    }
    return negative ? -magnitude : magnitude;
}

bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

// The number as std::from_chars reads it: the decimal separator becomes ".".
std::string ascii(const std::wstring& number, QChar separator)
{
    std::string out;
    for (wchar_t c : number)
        out.push_back(c == separator.unicode() ? '.' : static_cast<char>(c));
    return out;
}

// [+-]? (digits (P digits*)? | P digits) ([eE] [+-]? digits)?, with P any one character of
// `points`; only ASCII digits.
const std::wregex& numberGrammar(const QString& points)
{
    static std::map<QString, std::wregex> grammars;
    auto grammar = grammars.find(points);
    if (grammar == grammars.end()) {
        QString point = QStringLiteral("[");
        for (QChar c : points)
            point += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        point += QLatin1Char(']');
        const QString pattern = QStringLiteral("[+-]?([0-9]+(P[0-9]*)?|P[0-9]+)([eE][+-]?[0-9]+)?")
                                    .replace(QLatin1Char('P'), point);
        grammar = grammars.emplace(points, std::wregex(pattern.toStdWString())).first;
    }
    return grammar->second;
}

double parseLenient(QStringView text, QChar separator)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.mid(1);
    // The longest numeric prefix: every later part of the grammar is optional and greedy.
    const std::wstring t = text.toString().toStdWString();
    std::wsmatch number;
    if (!std::regex_search(t, number, numberGrammar(QString(QLatin1Char('.')) + separator),
            std::regex_constants::match_continuous))
        return 0;
    return toDouble(ascii(number.str(), separator)).value_or(0);
}

std::optional<double> tryParseStrict(QStringView text, QChar separator)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    const std::wstring t = text.toString().toStdWString();
    if (!std::regex_match(t, numberGrammar(QString(separator))))
        return std::nullopt;
    return toDouble(ascii(t, separator));
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
            const auto expected = reference::toDouble(text);
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
