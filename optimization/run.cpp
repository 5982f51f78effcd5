#include "optimization/run.h"

#include "core/numbers.h"

#include <vector>

namespace optimization {

QString DimensionText(double millimetres, QChar separator)
{
    return core::FormatGeneral(millimetres, separator);
}

QString EmbedmentText(double value, core::EmbedmentForm form, int sectionCode, QChar separator)
{
    if (form == core::EmbedmentForm::Millimetres)
        return core::FormatGeneral(value, separator);
    // Multiples of d for round and elliptical piles, of the short side otherwise.
    const QChar marker = sectionCode == CircularCode || sectionCode == EllipticalCode
        ? QLatin1Char('d')
        : QLatin1Char('b');
    return core::FormatFixed(value, 10, 1, separator) + marker;
}

QString StrengthText(double megapascals, QChar separator)
{
    return core::FormatFixed(megapascals, 10, 2, separator);
}

namespace {

// The values of a range in walking order. Only the ranges a run actually enumerates are
// walked, and the case count has been checked before, so none of them is long.
std::vector<double> valuesOf(const OptimizationRange& range)
{
    std::vector<double> values;
    values.reserve(static_cast<size_t>(range.count));
    double value = range.minimum;
    for (qint64 i = 0; i < range.count; ++i) {
        if (i > 0)
            value = range.next(value);
        values.push_back(value);
    }
    return values;
}

class Run {
public:
    Run(const OptimizationRanges& ranges, OptimizationPanel& panel, ResultRowSink& sink,
        QChar separator)
        : m_ranges(ranges)
        , m_panel(panel)
        , m_sink(sink)
        , m_separator(separator)
        , m_builder(separator)
    {
    }

    qint64 run()
    {
        for (double code : valuesOf(m_ranges[SectionTypeRow])) {
            m_section = static_cast<int>(code);
            // A square is calculated as a rectangle with two equal sides.
            m_panel.selectSectionType(m_section == CircularCode ? core::SectionType::Circular
                    : m_section == EllipticalCode               ? core::SectionType::Elliptical
                                                                : core::SectionType::Rectangular);
            dimensions();
        }
        return m_rows;
    }

private:
    void dimensions()
    {
        switch (m_section) {
        case CircularCode:
            for (double d : valuesOf(m_ranges[DiameterRow])) {
                m_panel.setFirstDimension(DimensionText(d, m_separator));
                m_panel.setSecondDimension(QStringLiteral("0"));
                embedments();
            }
            break;
        case EllipticalCode:
            for (double d : valuesOf(m_ranges[DiameterRow])) {
                m_panel.setFirstDimension(DimensionText(d, m_separator));
                for (double c : valuesOf(m_ranges[StraightLengthRow])) {
                    m_panel.setSecondDimension(DimensionText(c, m_separator));
                    embedments();
                }
            }
            break;
        case RectangularCode:
            for (double a : valuesOf(m_ranges[LongSideRow])) {
                const QString aText = DimensionText(a, m_separator);
                m_panel.setFirstDimension(aText);
                for (double b : valuesOf(m_ranges[ShortSideRow])) {
                    // The calculation puts the longer side first; a b longer than a has
                    // swapped the boxes, so side a is written again before every b.
                    m_panel.setFirstDimension(aText);
                    m_panel.setSecondDimension(DimensionText(b, m_separator));
                    embedments();
                }
            }
            break;
        default:
            for (double a : valuesOf(m_ranges[SquareSideRow])) {
                const QString aText = DimensionText(a, m_separator);
                m_panel.setFirstDimension(aText);
                m_panel.setSecondDimension(aText);
                embedments();
            }
            break;
        }
    }

    void embedments()
    {
        const std::vector<double> strengths = valuesOf(m_ranges[StrengthRow]);
        m_embedmentPosition = 0;
        for (double h : valuesOf(m_ranges[EmbedmentRow])) {
            m_embedment = EmbedmentText(h, m_ranges.embedmentForm, m_section, m_separator);
            m_panel.setEmbedment(m_embedment);
            for (double r : strengths) {
                m_panel.setStrength(StrengthText(r, m_separator));
                processes();
            }
            ++m_embedmentPosition;
        }
    }

    void processes()
    {
        for (double code : valuesOf(m_ranges[ProcessRow])) {
            m_panel.selectProcess(code == 1 ? core::PileProcess::Driven : core::PileProcess::Bored);
            conditions();
        }
    }

    void conditions()
    {
        for (double code : valuesOf(m_ranges[RockConditionRow])) {
            const int v = static_cast<int>(code);
            if (m_panel.shownProcess() == core::PileProcess::Driven) {
                // Driven piles know two rock conditions, and their capacity does not
                // depend on the embedment: only its first value gives cases.
                if (v > 2)
                    return;
                m_panel.selectRockCondition(v - 1);
                if (m_embedmentPosition != 0)
                    return;
            } else {
                m_panel.selectRockCondition(v - 1);
            }
            m_panel.calculate();
            m_panel.readBack(m_readback);
            m_builder.fill(m_row, m_section, m_embedment, m_readback);
            ++m_rows;
            m_sink.appendResultRow(m_row);
        }
    }

    const OptimizationRanges& m_ranges;
    OptimizationPanel& m_panel;
    ResultRowSink& m_sink;
    QChar m_separator;
    ResultRowBuilder m_builder;
    PanelReadback m_readback;
    OptimizationResultRow m_row;
    QString m_embedment;
    int m_section = CircularCode;
    qint64 m_embedmentPosition = 0;
    qint64 m_rows = 0;
};

} // namespace

qint64 RunOptimization(const OptimizationRanges& ranges, OptimizationPanel& panel,
    ResultRowSink& sink, QChar decimalSeparator)
{
    return Run(ranges, panel, sink, decimalSeparator).run();
}

} // namespace optimization
