#include "core/numbers.h"

#include "core/errors.h"
#include "core/wide.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace core {

namespace {

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

// Decimal exponent of the leading non-zero digit of a well-formed ASCII number without
// sign; only used to tell an overflow from an underflow when from_chars reports the
// value out of range.
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

constexpr std::array<double, 23> exactPowersOfTen = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
    1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

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

QString shortened(QStringView text)
{
    constexpr qsizetype limit = 40;
    if (text.size() <= limit)
        return text.toString();
    return text.left(limit).toString() + QStringLiteral("…");
}

// The 18 significant digits of |x| (x finite, non-zero) and the decimal exponent of the
// first one: |x| = d0.d1d2...d17 * 10^exponent, rounded to nearest by to_chars.
struct Digits {
    std::array<char, 18> d{};
    int exponent = 0;
};

// 5^k for k <= 22 fits in 52 bits: x * 10^k is then a 53 x 52-bit product, shifted.
constexpr std::array<std::uint64_t, 23> powersOfFive = [] {
    std::array<std::uint64_t, 23> powers{};
    std::uint64_t p = 1;
    for (std::uint64_t& power : powers) {
        power = p;
        p *= 5;
    }
    return powers;
}();

constexpr std::array<std::uint64_t, 19> powersOfTen64 = [] {
    std::array<std::uint64_t, 19> powers{};
    std::uint64_t p = 1;
    for (std::uint64_t& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

// The 18 digits as one integer 10^17 <= q < 10^18: |x| = q * 10^(exponent - 17).
struct Significand {
    std::uint64_t q = 0;
    int exponent = 0;
};

// The same digits by integer arithmetic, for 1e-5 <= x < 2^53: every dimension,
// strength, coefficient and force the program writes. x = m * 2^e exactly, so
// floor(x * 10^k) and the remainder come from one 128-bit product and a shift; ties go
// to the even digit, as to_chars rounds them. False outside that range.
bool fastSignificand(double x, Significand& out)
{
    if (!(x >= 1e-5 && x < 9007199254740992.0))
        return false;
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa
        = (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
    const int shift = 1075 - biased; // x = mantissa / 2^shift, 0 <= shift <= 69
    // floor(log10(2^(biased - 1023))), possibly one too low or too high.
    int exponent = ((biased - 1023) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 17 - exponent;
        if (k < 0 || k > 22)
            return false;
        // mantissa * 10^k / 2^shift = mantissa * 5^k / 2^(shift - k).
        const Wide128 product = MultiplyWide(mantissa, powersOfFive[static_cast<size_t>(k)]);
        const int net = shift - k; // -22 <= net <= 69
        const Wide128 whole = net >= 0 ? ShiftRight(product, net) : ShiftLeft(product, -net);
        if (whole >= Wide128{0, powersOfTen64[18]}) {
            ++exponent;
            continue;
        }
        std::uint64_t q = whole.low;
        if (q < powersOfTen64[17]) {
            --exponent;
            continue;
        }
        if (net > 0) {
            const Wide128 rest = LowBits(product, net);
            const Wide128 half = PowerOfTwo(net - 1);
            if (rest > half || (rest == half && (q & 1) != 0))
                ++q;
        }
        if (q == powersOfTen64[18]) {
            q /= 10;
            ++exponent;
        }
        out.q = q;
        out.exponent = exponent;
        return true;
    }
    return false;
}

Significand exactSignificand(double x)
{
    Significand s;
    if (fastSignificand(std::fabs(x), s))
        return s;
    char buffer[48];
    auto result = std::to_chars(
        buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific, 17);
    const char* p = buffer;
    int count = 0;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && count < 18) {
            s.q = s.q * 10 + static_cast<std::uint64_t>(*p - '0');
            ++count;
        }
    }
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), result.ptr, s.exponent);
    return s;
}

Digits exactDigits(double x)
{
    const Significand s = exactSignificand(x);
    Digits digits;
    std::uint64_t q = s.q;
    for (int i = 17; i >= 0; --i, q /= 10)
        digits.d[static_cast<size_t>(i)] = static_cast<char>(q % 10);
    digits.exponent = s.exponent;
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

} // namespace

QString NotANumberMessage(QStringView text)
{
    return QStringLiteral("“%1”不是有效的数值").arg(shortened(text));
}

namespace {

QString NotAWholeNumberMessage(QStringView text)
{
    return QStringLiteral("“%1”不是有效的整数").arg(shortened(text));
}

// A well-formed decimal number as the parsers scan it.
struct DecimalParts {
    bool negative = false;
    QStringView integer; // digits before the point
    bool point = false;
    QStringView fraction; // digits after it
    bool exponent = false;
    QChar exponentSign; // '+', '-' or none
    QStringView exponentDigits;
};

// The value of the parts; nullopt when it overflows. Up to 15 significant digits and a
// scale of at most 10^22 are computed at once: both factors are exact doubles, so one
// product or quotient is the correctly rounded value, the same that from_chars gives.
// Anything else goes through the standard conversion.
std::optional<double> decimalValue(const DecimalParts& parts)
{
    std::uint64_t mantissa = 0;
    int significant = 0;
    bool fast = true;
    for (QStringView digits : {parts.integer, parts.fraction}) {
        for (QChar c : digits) {
            if (significant == 0 && c == u'0')
                continue;
            if (++significant > 15) {
                fast = false;
                break;
            }
            mantissa = mantissa * 10 + (c.unicode() - u'0');
        }
    }
    if (fast) {
        int exponent = 0;
        for (QChar c : parts.exponentDigits)
            exponent = std::min(exponent * 10 + (c.unicode() - u'0'), 100000);
        if (parts.exponentSign == u'-')
            exponent = -exponent;
        const qsizetype scale = exponent - parts.fraction.size();
        if (mantissa == 0)
            return parts.negative ? -0.0 : 0.0;
        if (scale >= -22 && scale <= 22) {
            const double magnitude = scale < 0
                ? static_cast<double>(mantissa) / exactPowersOfTen[static_cast<size_t>(-scale)]
                : static_cast<double>(mantissa) * exactPowersOfTen[static_cast<size_t>(scale)];
            return parts.negative ? -magnitude : magnitude;
        }
    }
    std::string number;
    number.reserve(static_cast<size_t>(
        parts.integer.size() + parts.fraction.size() + parts.exponentDigits.size() + 4));
    if (parts.negative)
        number.push_back('-');
    auto append = [&number](QStringView digits) {
        for (QChar c : digits)
            number.push_back(static_cast<char>(c.unicode()));
    };
    append(parts.integer);
    if (parts.point) {
        number.push_back('.');
        append(parts.fraction);
    }
    if (parts.exponent) {
        number.push_back('e');
        if (!parts.exponentSign.isNull())
            number.push_back(static_cast<char>(parts.exponentSign.unicode()));
        append(parts.exponentDigits);
    }
    double value = 0;
    if (convert(number, value) == Conversion::Overflow)
        return std::nullopt;
    return value;
}

qsizetype skipDigits(QStringView text, qsizetype i)
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

} // namespace

double ParseLenient(QStringView text, QChar decimalSeparator)
{
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && isBlank(text[i]))
        ++i;
    DecimalParts parts;
    if (i < size && (text[i] == u'+' || text[i] == u'-'))
        parts.negative = text[i++] == u'-';
    qsizetype end = skipDigits(text, i);
    parts.integer = text.mid(i, end - i);
    i = end;
    // "." or the user's separator, whichever the number uses first: "35,5" is 35.5 under a
    // comma locale and "35.5" is 35.5 everywhere. A second point of either kind ends it.
    if (i < size && (text[i] == u'.' || text[i] == decimalSeparator)) {
        end = skipDigits(text, i + 1);
        // A lone point is no number; "5." and ".5" are.
        if (!parts.integer.isEmpty() || end > i + 1) {
            parts.point = true;
            parts.fraction = text.mid(i + 1, end - i - 1);
            i = end;
        }
    }
    if (parts.integer.isEmpty() && parts.fraction.isEmpty())
        return 0;
    if (i < size && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        QChar sign;
        if (j < size && (text[j] == u'+' || text[j] == u'-'))
            sign = text[j++];
        end = skipDigits(text, j);
        // An exponent without digits is not part of the number.
        if (end > j) {
            parts.exponent = true;
            parts.exponentSign = sign;
            parts.exponentDigits = text.mid(j, end - j);
        }
    }
    return decimalValue(parts).value_or(0);
}

std::optional<double> TryParseStrict(QStringView text, QChar decimalSeparator)
{
    const QStringView t = trimmedBlanks(text);
    const qsizetype size = t.size();
    qsizetype i = 0;
    DecimalParts parts;
    if (i < size && (t[i] == u'+' || t[i] == u'-'))
        parts.negative = t[i++] == u'-';
    qsizetype end = skipDigits(t, i);
    parts.integer = t.mid(i, end - i);
    i = end;
    if (i < size && t[i] == decimalSeparator) {
        parts.point = true;
        end = skipDigits(t, i + 1);
        parts.fraction = t.mid(i + 1, end - i - 1);
        i = end;
    }
    if (parts.integer.isEmpty() && parts.fraction.isEmpty())
        return std::nullopt;
    if (i < size && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        parts.exponent = true;
        if (i < size && (t[i] == u'+' || t[i] == u'-'))
            parts.exponentSign = t[i++];
        end = skipDigits(t, i);
        if (end == i)
            return std::nullopt;
        parts.exponentDigits = t.mid(i, end - i);
        i = end;
    }
    if (i != size)
        return std::nullopt;
    return decimalValue(parts);
}

double ParseStrict(QStringView text, QChar decimalSeparator)
{
    if (auto value = TryParseStrict(text, decimalSeparator))
        return *value;
    throw ConversionError(NotANumberMessage(text));
}

qint32 ParseStrictInt(QStringView text)
{
    QStringView t = trimmedBlanks(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        negative = t[i++] == u'-';
    if (i == t.size())
        throw ConversionError(NotAWholeNumberMessage(text));
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        if (!isDigit(t[i]))
            throw ConversionError(NotAWholeNumberMessage(text));
        value = value * 10 + (t[i].unicode() - u'0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            throw ConversionError(NotAWholeNumberMessage(text));
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        throw ConversionError(NotAWholeNumberMessage(text));
    return static_cast<qint32>(value);
}

namespace {

// FormatFixed into `out`, which has room for the text; an empty view asks the caller
// to take the scientific form.
QStringView fixedInto(double x, int p, int n, QChar decimalSeparator, char16_t* out)
{
    // The kept digits as one integer and the position of their leading digit: the
    // 18-digit significand cut to at most p digits and n decimals, halves away from zero.
    std::uint64_t kept = 0;
    int keptDigits = 0;
    int leading = 0;
    if (x != 0) {
        const Significand s = exactSignificand(x);
        if (s.exponent + 1 > p)
            return {};
        const int keep = std::min(p, s.exponent + 1 + n);
        leading = s.exponent;
        if (keep >= 18) {
            kept = s.q;
            keptDigits = 18;
        } else if (keep >= 0) {
            const std::uint64_t divisor = powersOfTen64[static_cast<size_t>(18 - keep)];
            kept = s.q / divisor;
            keptDigits = keep;
            if ((s.q / (divisor / 10)) % 10 >= 5
                && ++kept == powersOfTen64[static_cast<size_t>(keep)]) {
                // Every kept digit carried over: the value is 10^(leading + 1).
                kept = 1;
                keptDigits = 1;
                ++leading;
            }
            if (keptDigits > 0 && leading + 1 > p)
                return {};
        }
    }
    std::array<char16_t, 18> digits{};
    for (int i = keptDigits - 1; i >= 0; --i, kept /= 10)
        digits[static_cast<size_t>(i)] = static_cast<char16_t>(u'0' + kept % 10);
    // The kept digits stand for positions 10^leading down to 10^(leading - count + 1);
    // spread them over an integer part and exactly n decimals.
    const bool zero = keptDigits == 0;
    const bool minus = x < 0 && !zero;
    const int top = zero ? 0 : std::max(leading, 0);
    auto digitAt = [&](int position) -> char16_t {
        const int index = leading - position;
        if (zero || index < 0 || index >= keptDigits)
            return u'0';
        return digits[static_cast<size_t>(index)];
    };
    // Written in place: a run writes millions of these.
    char16_t* cursor = out;
    if (minus)
        *cursor++ = u'-';
    for (int position = top; position >= 0; --position)
        *cursor++ = digitAt(position);
    if (n > 0) {
        *cursor++ = decimalSeparator.unicode();
        for (int position = -1; position >= -n; --position)
            *cursor++ = digitAt(position);
    }
    return QStringView(out, cursor - out);
}

} // namespace

QString FormatFixed(double x, int p, int n, QChar decimalSeparator)
{
    if (!std::isfinite(x))
        return nonFinite(x);
    n = std::max(n, 0);
    p = std::max(p, 1);
    // A sign, at most p integer digits, the separator and n decimals.
    char16_t local[64];
    std::vector<char16_t> large;
    char16_t* buffer = local;
    if (p + n + 3 > 64) {
        large.resize(size_t(p + n + 3));
        buffer = large.data();
    }
    const QStringView text = fixedInto(x, p, n, decimalSeparator, buffer);
    return text.isEmpty() ? scientific(x, p, decimalSeparator) : text.toString();
}

QStringView FormatFixedInto(double x, int p, int n, QChar decimalSeparator, FixedText& out)
{
    n = std::clamp(n, 0, MaxFixedPrecision);
    p = std::clamp(p, 1, MaxFixedPrecision);
    QStringView text;
    if (std::isfinite(x))
        text = fixedInto(x, p, n, decimalSeparator, out.data());
    if (!text.isEmpty())
        return text;
    const QString other = std::isfinite(x) ? scientific(x, p, decimalSeparator) : nonFinite(x);
    const auto length = std::min<qsizetype>(other.size(), qsizetype(out.size()));
    std::copy_n(other.utf16(), length, out.data());
    return QStringView(out.data(), length);
}

QString FormatGeneral(double x, QChar decimalSeparator)
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

} // namespace core
