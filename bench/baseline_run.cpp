#include "bench/baseline_run.h"

#include "core/numbers.h"
#include "core/result_schema.h"

#include <algorithm>
#include <stdexcept>

namespace {

using namespace core;
using namespace optimization;

class Baseline {
public:
    Baseline(
        const OptimizationRanges& ranges, PrecisionMode mode, QChar separator, BaselineRows& out)
        : m_ranges(ranges)
        , m_mode(mode)
        , m_separator(separator)
        , m_out(out)
    {
        m_cases = CaseCount(ranges);
        // Room for rows of 128 units; a row takes about 60, and only what is written
        // is touched.
        out.capacity = size_t(m_cases) * RowRoom + RowRoom;
        out.chars.reset(new char16_t[out.capacity]);
        out.ends.reset(new quint32[size_t(m_cases) * 17 + 1]);
        out.rows = 0;
        m_cursor = out.chars.get();
    }

    void run()
    {
        walk(m_ranges[SectionTypeRow], [&](double code) {
            m_sectionCode = int(code);
            switch (m_sectionCode) {
            case CircularCode:
                walk(m_ranges[DiameterRow], [&](double d) {
                    m_case.section = SectionType::Circular;
                    setDimensions(d, 0);
                    embedments();
                });
                break;
            case EllipticalCode:
                walk(m_ranges[DiameterRow], [&](double d) {
                    walk(m_ranges[StraightLengthRow], [&](double c) {
                        m_case.section = SectionType::Elliptical;
                        setDimensions(d, c);
                        embedments();
                    });
                });
                break;
            case RectangularCode:
                walk(m_ranges[LongSideRow], [&](double a) {
                    walk(m_ranges[ShortSideRow], [&](double b) {
                        m_case.section = SectionType::Rectangular;
                        setDimensions(a, b);
                        embedments();
                    });
                });
                break;
            default:
                walk(m_ranges[SquareSideRow], [&](double a) {
                    m_case.section = SectionType::Rectangular;
                    setDimensions(a, a);
                    embedments();
                });
                break;
            }
        });
    }

private:
    template <typename F> static void walk(const OptimizationRange& range, F&& f)
    {
        double value = range.minimum;
        for (qint64 i = 0; i < range.count; ++i) {
            if (i > 0)
                value = range.next(value);
            f(value);
        }
    }

    // The values the panel's texts carry: dimensions in the general form, the longer
    // side of a rectangle first.
    void setDimensions(double first, double second)
    {
        const double d = ParseLenient(FormatGeneral(first, m_separator), m_separator);
        const double c = ParseLenient(FormatGeneral(second, m_separator), m_separator);
        const bool rectangle = m_case.section == SectionType::Rectangular;
        m_case.a = rectangle ? std::max(d, c) : 0;
        m_case.b = rectangle ? std::min(d, c) : 0;
        m_case.d = rectangle ? m_case.a : d;
        m_case.c = rectangle ? m_case.b : c;
        m_firstText = FormatGeneral(m_case.d, m_separator);
        m_secondText = m_sectionCode == CircularCode ? QString(DashText.toString())
                                                     : FormatGeneral(m_case.c, m_separator);
    }

    void embedments()
    {
        qint64 position = 0;
        walk(m_ranges[EmbedmentRow], [&](double h) {
            if (m_ranges.embedmentForm == EmbedmentForm::Multiple) {
                const bool round = m_sectionCode == CircularCode || m_sectionCode == EllipticalCode;
                m_embedmentText = FormatFixed(h, 10, 1, m_separator) + QChar(round ? u'd' : u'b');
                const double k = ParseLenient(FormatFixed(h, 10, 1, m_separator), m_separator);
                m_case.h = k * (round ? m_case.d : m_case.b);
            } else {
                m_embedmentText = FormatGeneral(h, m_separator);
                m_case.h = ParseLenient(m_embedmentText, m_separator);
            }
            walk(m_ranges[StrengthRow], [&](double r) {
                m_strengthText = FormatFixed(r, 10, 2, m_separator);
                m_case.R = ParseLenient(m_strengthText, m_separator);
                walk(m_ranges[ProcessRow], [&](double process) {
                    walk(m_ranges[RockConditionRow], [&](double condition) {
                        const bool driven = process == 1;
                        if (driven && (condition > 2 || position != 0))
                            return;
                        m_case.process = driven ? PileProcess::Driven : PileProcess::Bored;
                        m_case.condition = int(condition) - 1;
                        row();
                    });
                });
            });
            ++position;
        });
    }

    void put(QStringView text)
    {
        m_cursor = std::copy_n(text.utf16(), text.size(), m_cursor);
        m_out.ends[m_cell++] = quint32(m_cursor - m_out.chars.get());
    }
    void putFixed(double value, int decimals, bool percent = false)
    {
        FixedText buffer;
        put(FormatFixedInto(value, 10, decimals, m_separator, buffer));
        if (percent) {
            *m_cursor++ = u'%';
            m_out.ends[m_cell - 1] += 1;
        }
    }

    void row()
    {
        const CapacityResult r = ComputeCapacity(m_case);
        const bool driven = m_case.process == PileProcess::Driven;
        const ResultSection section = ResultSection(std::clamp(m_sectionCode, 1, 4) - 1);
        if (m_out.rows == m_cases || m_cursor + RowRoom > m_out.chars.get() + m_out.capacity)
            throw std::length_error("baseline buffer full");
        const qint64 number = ++m_out.rows;
        CellScratch scratch;
        put(CellStore::PileNumberText(
            quint64(number), PileNumbering::Final, quint64(m_cases), scratch));
        put(SectionLabel(section));
        put(m_firstText);
        put(m_secondText);
        FixedText capacity;
        put(ForceTextInto(r.P, m_mode, m_separator, capacity));
        put(driven ? DrivenEmbedmentText : QStringView(m_embedmentText));
        put(m_strengthText);
        put(ProcessLabel(m_case.process));
        put(ConditionLabel(m_case.process, m_case.condition));
        for (int column : {DrivenCoefficientColumn, EndCoefficientColumn}) {
            if (ShowsDash(column, section, m_case.process))
                put(DashText);
            else
                putFixed(r.C1, 2);
        }
        if (driven)
            put(DashText);
        else
            putFixed(r.C2, 2);
        // Pp and its share as the result boxes show them, then whole.
        FixedText box;
        putFixed(ParseStrict(ForceTextInto(r.Pp, m_mode, m_separator, box), m_separator), 0);
        const double share
            = ParseStrict(BoxShareTextInto(r.share, m_mode, m_separator, box), m_separator);
        putFixed(share, 0, true);
        putFixed(r.Ps, 0);
        putFixed(100 - share, 0, true);
        put(QStringView());
    }

    const OptimizationRanges& m_ranges;
    PrecisionMode m_mode;
    QChar m_separator;
    BaselineRows& m_out;
    PileDesignCase m_case;
    static constexpr size_t RowRoom = 128;
    qint64 m_cases = 0;
    int m_sectionCode = CircularCode;
    QString m_firstText;
    QString m_secondText;
    QString m_embedmentText;
    QString m_strengthText;
    char16_t* m_cursor = nullptr;
    size_t m_cell = 0;
};

} // namespace

void BaselineRun(
    const OptimizationRanges& ranges, PrecisionMode mode, QChar decimalSeparator, BaselineRows& out)
{
    Baseline(ranges, mode, decimalSeparator, out).run();
}
