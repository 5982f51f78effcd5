#include "bench/baseline_run.h"

#include "core/numbers.h"
#include "core/result_schema.h"
#include "optimization/run.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace {

using namespace core;
using namespace optimization;

constexpr int Columns = ResultColumnCount;

// A text made before the loop, kept by value: the loop copies it without a string.
struct Text {
    std::array<char16_t, 32> c{};
    int n = 0;

    Text() = default;
    explicit Text(QStringView text)
    {
        if (text.size() > qsizetype(c.size()))
            throw std::length_error("baseline text too long");
        n = int(text.size());
        std::copy_n(text.utf16(), n, c.begin());
    }
};

constexpr std::array<double, 4> powersOfTen = {1, 10, 100, 1000};
constexpr std::array<quint64, 11> wholePowersOfTen
    = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000};

// The digits of `value`, at least `width` of them (leading zeros), written at `out`.
char16_t* digitsOf(quint64 value, int width, char16_t* out)
{
    int count = 1;
    for (quint64 rest = value / 10; rest != 0; rest /= 10)
        ++count;
    count = std::max(count, width);
    for (int i = count - 1; i >= 0; --i, value /= 10)
        out[i] = char16_t(u'0' + value % 10);
    return out + count;
}

// FormatFixed(x, p, n) at `out`; returns the end of the text and, in `readBack`, the
// value the strict conversion reads from it. Rounding the exact x half away from zero
// to n decimals gives the text that rounding its 18 significant digits gives, unless x
// lies so close to a half that the 18 digits (or here the product x * 10^n, rounded to a
// double) fall on the other side of it: with no decimals that never happens, since a
// double's spacing is wider than the 18th digit, and with decimals such a near half,
// like every value the fixed form cannot hold in p digits, goes to the library.
char16_t* fixed(double x, int p, int n, char16_t separator, char16_t* out, double& readBack)
{
    const double magnitude = std::fabs(x);
    if (magnitude < 1e15 && n < int(powersOfTen.size())) {
        const double scaled = magnitude * powersOfTen[size_t(n)];
        // The cut is exact: below 2^53 the whole part and the rest are doubles too.
        const quint64 whole = quint64(scaled);
        const double rest = scaled - double(whole);
        const bool nearHalf = n > 0 && std::fabs(rest - 0.5) <= scaled * 0x1p-50;
        const quint64 kept = whole + (rest >= 0.5 ? 1 : 0);
        if (!nearHalf && kept < wholePowersOfTen[size_t(p)]) {
            const bool minus = x < 0 && kept != 0;
            if (minus)
                *out++ = u'-';
            const quint64 unit = wholePowersOfTen[size_t(n)];
            out = digitsOf(kept / unit, 1, out);
            if (n > 0) {
                *out++ = separator;
                out = digitsOf(kept % unit, n, out);
            }
            // The strict conversion divides the digits by 10^n: so does this.
            const double value = double(kept) / powersOfTen[size_t(n)];
            readBack = minus ? -value : value;
            return out;
        }
    }
    FixedText buffer;
    const QStringView text = FormatFixedInto(x, p, n, QChar(separator), buffer);
    readBack = ParseStrict(text, QChar(separator));
    return std::copy_n(text.utf16(), text.size(), out);
}

// The longest text `fixed` writes, with a "%" after it.
constexpr int NumberRoom = int(std::tuple_size_v<FixedText>) + 1;

struct DimensionLevel {
    PileDesignCase pile; // section, d, c, a and b as the validated panel holds them
    Text first; // the dimension boxes after the calculation
    Text second; // column 3: "-" for a round pile
    double multipleBase = 0; // what an embedment multiple multiplies
};

struct ValueLevel {
    Text text;
    double value = 0;
};

// The texts of the coefficients: few values over a whole run.
struct CoefficientTexts {
    Text end; // C or C1
    Text side; // C2
};

class Baseline {
public:
    Baseline(
        const OptimizationRanges& ranges, PrecisionMode mode, QChar separator, BaselineRows& out)
        : m_ranges(ranges)
        , m_mode(mode)
        , m_decimals(mode == PrecisionMode::TwoDecimals ? 2
                  : mode == PrecisionMode::OneDecimal   ? 1
                                                        : 0)
        , m_separator(separator.unicode())
        , m_out(out)
    {
        prepare();
        const qint64 cases = CaseCount(ranges);
        m_numberDigits = int(QString::number(cases).size());
        const size_t longest = size_t(Columns + m_numberDigits + 3 + 4 * 4 + m_longestLevelTexts
            + 3 * m_longestCoefficient + 7 * NumberRoom);
        // Rows take about 70 units; the room for a row at its longest is asked for before
        // each row, and only what is written is ever touched.
        out.capacity = size_t(cases) * std::min<size_t>(longest, 192) + longest;
        out.chars.reset(new char16_t[out.capacity]);
        out.size = 0;
        out.rows = 0;
        m_cursor = out.chars.get();
        m_end = m_cursor + out.capacity;
        m_longestRow = longest;
    }

    void run()
    {
        for (size_t s = 0; s < m_sections.size(); ++s) {
            const int code = m_sections[s];
            const ResultSection section = ResultSection(std::clamp(code, 1, 4) - 1);
            const Text& label = m_sectionLabels[size_t(section)];
            const std::vector<ValueLevel>& embedments
                = m_embedments[code <= EllipticalCode ? 0 : 1];
            for (const DimensionLevel& dims : m_dimensions[s]) {
                m_case = dims.pile;
                for (size_t e = 0; e < embedments.size(); ++e) {
                    const ValueLevel& embedment = embedments[e];
                    m_case.h = m_ranges.embedmentForm == EmbedmentForm::Multiple
                        ? embedment.value * dims.multipleBase
                        : embedment.value;
                    for (const ValueLevel& strength : m_strengths) {
                        m_case.R = strength.value;
                        for (const PileProcess process : m_processes) {
                            m_case.process = process;
                            for (const int condition : m_conditions) {
                                // Driven piles know two rock conditions and take only the
                                // first embedment: their capacity does not depend on it.
                                if (process == PileProcess::Driven && (condition >= 2 || e != 0))
                                    break;
                                m_case.condition = condition;
                                row(label, dims, embedment.text, strength.text);
                            }
                        }
                    }
                }
            }
        }
        m_out.size = size_t(m_cursor - m_out.chars.get());
    }

private:
    template <typename F> void walk(const OptimizationRange& range, F&& f)
    {
        double value = range.minimum;
        for (qint64 i = 0; i < range.count; ++i) {
            if (i > 0)
                value = range.next(value);
            f(value);
        }
    }

    // Every text a level shows, made once with the library's formats and the panel's
    // own readings of them.
    void prepare()
    {
        const QChar separator(m_separator);
        auto lenient = [&](const QString& text) { return ParseLenient(text, separator); };
        walk(m_ranges[SectionTypeRow], [&](double code) {
            m_sections.push_back(int(code));
            std::vector<DimensionLevel>& levels = m_dimensions.emplace_back();
            // The sides as the panel holds them after the calculation: the longer first.
            auto add = [&](SectionType type, double first, double second) {
                DimensionLevel level;
                const QString firstText = DimensionText(first, separator);
                const QString secondText = DimensionText(second, separator);
                PileDesignCase& pile = level.pile;
                pile.section = type;
                pile.d = lenient(firstText);
                pile.c = lenient(secondText);
                QString shownFirst = firstText;
                QString shownSecond = secondText;
                if (type == SectionType::Rectangular) {
                    pile.a = std::max(pile.d, pile.c);
                    pile.b = std::min(pile.d, pile.c);
                    if (pile.c >= pile.d) {
                        shownFirst = FormatGeneral(pile.c, separator);
                        shownSecond = FormatGeneral(pile.d, separator);
                    }
                }
                level.first = Text(shownFirst);
                level.second
                    = Text(int(code) == CircularCode ? DashText : QStringView(shownSecond));
                level.multipleBase = type == SectionType::Rectangular ? pile.b : pile.d;
                m_longestLevelTexts = std::max(m_longestLevelTexts, level.first.n + level.second.n);
                levels.push_back(level);
            };
            switch (int(code)) {
            case CircularCode:
                walk(m_ranges[DiameterRow], [&](double d) { add(SectionType::Circular, d, 0); });
                break;
            case EllipticalCode:
                walk(m_ranges[DiameterRow], [&](double d) {
                    walk(m_ranges[StraightLengthRow],
                        [&](double c) { add(SectionType::Elliptical, d, c); });
                });
                break;
            case RectangularCode:
                walk(m_ranges[LongSideRow], [&](double a) {
                    walk(m_ranges[ShortSideRow],
                        [&](double b) { add(SectionType::Rectangular, a, b); });
                });
                break;
            default:
                walk(m_ranges[SquareSideRow],
                    [&](double a) { add(SectionType::Rectangular, a, a); });
                break;
            }
        });
        // Embedment texts with "d" (round and elliptical piles) and with "b"; a multiple is
        // read back as the calculation reads it, a depth in mm as the panel does.
        int longestEmbedment = 0;
        for (int kind = 0; kind < 2; ++kind) {
            walk(m_ranges[EmbedmentRow], [&](double h) {
                const QString text = EmbedmentText(h, m_ranges.embedmentForm,
                    kind == 0 ? CircularCode : RectangularCode, separator);
                const double value = m_ranges.embedmentForm == EmbedmentForm::Multiple
                    ? ParseStrict(QStringView(text).chopped(1), separator)
                    : ParseStrict(text, separator);
                m_embedments[size_t(kind)].push_back({Text(text), value});
                longestEmbedment = std::max(longestEmbedment, int(text.size()));
            });
        }
        int longestStrength = 0;
        walk(m_ranges[StrengthRow], [&](double r) {
            const QString text = StrengthText(r, separator);
            m_strengths.push_back({Text(text), lenient(text)});
            longestStrength = std::max(longestStrength, int(text.size()));
        });
        m_longestLevelTexts += longestEmbedment + longestStrength;
        walk(m_ranges[ProcessRow], [&](double code) {
            m_processes.push_back(code == 1 ? PileProcess::Driven : PileProcess::Bored);
        });
        walk(m_ranges[RockConditionRow],
            [&](double code) { m_conditions.push_back(int(code) - 1); });

        for (int s = 0; s < 4; ++s)
            m_sectionLabels[size_t(s)] = Text(SectionLabel(ResultSection(s)));
        for (const PileProcess process : {PileProcess::Driven, PileProcess::Bored}) {
            const size_t p = size_t(process);
            m_processLabels[p] = Text(ProcessLabel(process));
            for (int condition = 0; condition < 3; ++condition) {
                m_conditionLabels[p][size_t(condition)] = Text(ConditionLabel(process, condition));
                // Sockets of 0.5 m or less lose their side resistance.
                for (const double h : {1000.0, 0.0}) {
                    const Coefficients k = CoefficientRule(process, condition, h);
                    CoefficientTexts& texts = m_coefficients[p][size_t(condition)][h == 0 ? 1 : 0];
                    texts.end = Text(FormatFixed(k.C1, 10, 2, separator));
                    texts.side = Text(FormatFixed(k.C2, 10, 2, separator));
                    m_longestCoefficient
                        = std::max({m_longestCoefficient, texts.end.n, texts.side.n});
                }
            }
        }
        m_longestCoefficient = std::max(m_longestCoefficient, 1);
    }

    void put(const Text& text)
    {
        for (int i = 0; i < text.n; ++i)
            m_cursor[i] = text.c[size_t(i)];
        m_cursor += text.n;
        endCell();
    }
    void endCell()
    {
        m_lengths[m_cell] = char16_t(m_cursor - m_cellStart);
        m_cellStart = m_cursor;
        ++m_cell;
    }
    // A number the way the result boxes and the grid write it; returns its read-back.
    double putNumber(double x, int p, int n, bool percent = false)
    {
        double readBack = 0;
        m_cursor = fixed(x, p, n, m_separator, m_cursor, readBack);
        if (percent)
            *m_cursor++ = u'%';
        endCell();
        return readBack;
    }

    void row(const Text& sectionLabel, const DimensionLevel& dims, const Text& embedment,
        const Text& strength)
    {
        if (size_t(m_end - m_cursor) < m_longestRow)
            throw std::length_error("baseline buffer full");
        const CapacityResult r = ComputeCapacity(m_case);
        const bool driven = m_case.process == PileProcess::Driven;
        const size_t p = size_t(m_case.process);
        const bool shallow = !driven && r.h <= 500;
        const CoefficientTexts& coefficients
            = m_coefficients[p][size_t(m_case.condition)][shallow ? 1 : 0];

        m_lengths = m_cursor;
        m_cursor += Columns;
        m_cellStart = m_cursor;
        m_cell = 0;
        ++m_out.rows;
        *m_cursor++ = u'Z';
        *m_cursor++ = u'H';
        *m_cursor++ = u'-';
        m_cursor = digitsOf(quint64(m_out.rows), m_numberDigits, m_cursor);
        endCell();
        put(sectionLabel);
        put(dims.first);
        put(dims.second);
        putNumber(truncated(r.P), 7, m_decimals);
        if (driven) {
            *m_cursor++ = u'0';
            endCell();
        } else {
            put(embedment);
        }
        put(strength);
        put(m_processLabels[p]);
        put(m_conditionLabels[p][size_t(m_case.condition)]);
        put(driven ? coefficients.end : m_dash);
        put(driven ? m_dash : coefficients.end);
        put(driven ? m_dash : coefficients.side);
        // Pp and the share as the result boxes show them, read back and written whole.
        std::array<char16_t, NumberRoom> box;
        double endResistance = 0;
        fixed(truncated(r.Pp), 7, m_decimals, m_separator, box.data(), endResistance);
        putNumber(endResistance, 10, 0);
        const bool coarse
            = m_mode == PrecisionMode::WholeTens || m_mode == PrecisionMode::WholeHundreds;
        double share = 0;
        fixed(
            coarse ? std::trunc(r.share) : r.share, 7, m_decimals, m_separator, box.data(), share);
        putNumber(share, 10, 0, true);
        putNumber(r.Ps, 10, 0);
        putNumber(100 - share, 10, 0, true);
        endCell();
    }

    // The two coarsest precisions truncate, as the result boxes do.
    double truncated(double kN) const
    {
        switch (m_mode) {
        case PrecisionMode::WholeTens:
            return std::trunc(kN / 10) * 10;
        case PrecisionMode::WholeHundreds:
            return std::trunc(kN / 100) * 100;
        default:
            return kN;
        }
    }

    const OptimizationRanges& m_ranges;
    PrecisionMode m_mode;
    int m_decimals;
    char16_t m_separator;
    BaselineRows& m_out;

    std::vector<int> m_sections;
    std::vector<std::vector<DimensionLevel>> m_dimensions; // per section value
    std::array<std::vector<ValueLevel>, 2> m_embedments; // "d", "b"
    std::vector<ValueLevel> m_strengths;
    std::vector<PileProcess> m_processes;
    std::vector<int> m_conditions;
    std::array<Text, 4> m_sectionLabels;
    std::array<Text, 2> m_processLabels;
    std::array<std::array<Text, 3>, 2> m_conditionLabels;
    std::array<std::array<std::array<CoefficientTexts, 2>, 3>, 2> m_coefficients;
    const Text m_dash{DashText};
    int m_longestLevelTexts = 0;
    int m_longestCoefficient = 0;
    int m_numberDigits = 1;
    size_t m_longestRow = 0;

    PileDesignCase m_case;
    char16_t* m_cursor = nullptr;
    char16_t* m_end = nullptr;
    char16_t* m_lengths = nullptr;
    char16_t* m_cellStart = nullptr;
    int m_cell = 0;
};

} // namespace

QStringView BaselineRows::cell(int column, qint64 row) const
{
    if (m_rowStarts.empty()) {
        m_rowStarts.reserve(size_t(rows));
        for (size_t at = 0; m_rowStarts.size() < size_t(rows);) {
            m_rowStarts.push_back(at);
            size_t length = Columns;
            for (int c = 0; c < Columns; ++c)
                length += chars[at + size_t(c)];
            at += length;
        }
    }
    const size_t start = m_rowStarts[size_t(row)];
    size_t at = start + Columns;
    for (int c = 0; c < column; ++c)
        at += chars[start + size_t(c)];
    return QStringView(chars.get() + at, qsizetype(chars[start + size_t(column)]));
}

void BaselineRun(
    const OptimizationRanges& ranges, PrecisionMode mode, QChar decimalSeparator, BaselineRows& out)
{
    Baseline(ranges, mode, decimalSeparator, out).run();
}
