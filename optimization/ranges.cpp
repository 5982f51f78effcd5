#include "optimization/ranges.h"

#include "core/errors.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace optimization {

namespace {

constexpr int MinimumColumn = 1;
constexpr int MaximumColumn = 2;
constexpr int StepColumn = 3;

qint64 saturatingProduct(qint64 a, qint64 b)
{
    if (a == 0 || b == 0)
        return 0;
    if (a > OptimizationRange::CountCeiling / b)
        return OptimizationRange::CountCeiling;
    return std::min(a * b, OptimizationRange::CountCeiling);
}

qint64 saturatingSum(qint64 a, qint64 b)
{
    return std::min(a + b, OptimizationRange::CountCeiling);
}

// Calls visit(value) for every value of a code range, in walking order.
template <typename Visit> void walkCodes(const OptimizationRange& range, Visit visit)
{
    double value = range.minimum;
    for (qint64 i = 0; i < range.count; ++i) {
        if (i > 0)
            value = range.next(value);
        visit(static_cast<int>(value));
    }
}

// The embedment row: the minimum decides the form. As a multiple every cell is cut
// before its first "d" and the part in front must be a number, so a cell without the
// letter is no number at all; in millimetres a cell with the letter is no number either.
double embedmentValue(const QString& text, core::EmbedmentForm form, QChar separator)
{
    if (form == core::EmbedmentForm::Millimetres)
        return core::ParseStrict(text, separator);
    const qsizetype marker = text.indexOf(QLatin1Char('d'));
    const auto value
        = core::TryParseStrict(QStringView(text).left(std::max<qsizetype>(marker, 0)), separator);
    if (!value)
        throw core::ConversionError(core::NotANumberMessage(text));
    return *value;
}

QString negativeMessage(int row)
{
    switch (row) {
    case DiameterRow:
        return QStringLiteral("桩径不能为负值");
    case StraightLengthRow:
        return QStringLiteral("椭圆直段不能为负值");
    case LongSideRow:
        return QStringLiteral("矩形长边不能为负值");
    case ShortSideRow:
        return QStringLiteral("矩形短边不能为负值");
    case SquareSideRow:
        return QStringLiteral("方形边长不能为负值");
    case StrengthRow:
        return QStringLiteral("岩石单轴抗压强度不能为负值");
    default:
        return QString();
    }
}

int codeTop(int row)
{
    switch (row) {
    case SectionTypeRow:
        return SquareCode;
    case ProcessRow:
        return 2;
    default:
        return 3;
    }
}

} // namespace

OptimizationRange NumberRange(double minimum, double maximum, double step)
{
    OptimizationRange r;
    r.minimum = minimum;
    if (!(minimum < maximum)) {
        r.maximum = minimum;
        r.step = 0;
        r.count = 1;
        return r;
    }
    r.maximum = maximum;
    const double diff = maximum - minimum;
    if (step <= 0 || step > diff) {
        r.step = diff;
        r.count = 2;
        return r;
    }
    r.step = step;
    // Whole steps rounded to the nearest, halves up; computed in double so that a step
    // of 1e-9 over a wide range gives a huge count, never a wrapped one.
    const double steps = std::trunc(diff / step + 0.5) + 1;
    r.count = steps < static_cast<double>(OptimizationRange::CountCeiling)
        ? static_cast<qint64>(steps)
        : OptimizationRange::CountCeiling;
    return r;
}

OptimizationRange CodeRange(qint32 minimum, qint32 maximum, qint32 step, qint32 top)
{
    minimum = std::clamp(minimum, 1, top);
    maximum = std::clamp(maximum, 1, top);
    OptimizationRange r;
    r.isCode = true;
    r.minimum = minimum;
    if (maximum <= minimum) {
        r.maximum = minimum;
        r.step = 0;
        r.count = 1;
        return r;
    }
    r.maximum = maximum;
    const qint32 diff = maximum - minimum;
    if (step < 1 || step > diff) {
        r.step = diff;
        r.count = 2;
        return r;
    }
    r.step = step;
    r.count = diff / step + 1;
    return r;
}

RangeReading ReadOptimizationRanges(
    const OptionCellReader& cell, QChar separator, const OptionCellNamer& name)
{
    RangeReading reading;
    for (int row = SectionTypeRow; row <= RockConditionRow; ++row) {
        // The conversion of one cell; a failure names the cell when it can.
        const auto at = [&name, row](int column, const auto& convert) {
            try {
                return convert();
            } catch (const core::ConversionError& error) {
                if (!name)
                    throw;
                throw core::ConversionErrorFrom(name(column, row), error);
            }
        };
        const QString minimumText = cell(MinimumColumn, row);
        const QString maximumText = cell(MaximumColumn, row);
        const QString stepText = cell(StepColumn, row);
        OptimizationRange& range = reading.ranges.rows[static_cast<size_t>(row)];
        if (row == SectionTypeRow || row == ProcessRow || row == RockConditionRow) {
            const qint32 minimum
                = at(MinimumColumn, [&] { return core::ParseStrictInt(minimumText); });
            const qint32 maximum
                = at(MaximumColumn, [&] { return core::ParseStrictInt(maximumText); });
            const qint32 step = at(StepColumn, [&] { return core::ParseStrictInt(stepText); });
            range = CodeRange(minimum, maximum, step, codeTop(row));
            continue;
        }
        double minimum = 0;
        double maximum = 0;
        double step = 0;
        if (row == EmbedmentRow) {
            const auto form = minimumText.contains(QLatin1Char('d'))
                ? core::EmbedmentForm::Multiple
                : core::EmbedmentForm::Millimetres;
            reading.ranges.embedmentForm = form;
            minimum
                = at(MinimumColumn, [&] { return embedmentValue(minimumText, form, separator); });
            maximum
                = at(MaximumColumn, [&] { return embedmentValue(maximumText, form, separator); });
            step = at(StepColumn, [&] { return embedmentValue(stepText, form, separator); });
        } else {
            minimum = at(MinimumColumn, [&] { return core::ParseStrict(minimumText, separator); });
            maximum = at(MaximumColumn, [&] { return core::ParseStrict(maximumText, separator); });
            step = at(StepColumn, [&] { return core::ParseStrict(stepText, separator); });
            // A depth below zero is left to the case check, which names the field.
            if (minimum < 0 || maximum < 0) {
                reading.refusal = negativeMessage(row);
                return reading;
            }
        }
        range = NumberRange(minimum, maximum, step);
    }
    return reading;
}

namespace {

// The dimension combinations of one section code.
qint64 dimensionCount(const OptimizationRanges& ranges, int code)
{
    switch (code) {
    case CircularCode:
        return ranges[DiameterRow].count;
    case EllipticalCode:
        return saturatingProduct(ranges[DiameterRow].count, ranges[StraightLengthRow].count);
    case RectangularCode:
        return saturatingProduct(ranges[LongSideRow].count, ranges[ShortSideRow].count);
    default:
        return ranges[SquareSideRow].count;
    }
}

// Sum over the enumerated section types of their dimension combinations times `each`.
qint64 overSections(const OptimizationRanges& ranges, qint64 each)
{
    qint64 total = 0;
    walkCodes(ranges[SectionTypeRow], [&](int code) {
        total = saturatingSum(total, saturatingProduct(dimensionCount(ranges, code), each));
    });
    return total;
}

} // namespace

qint64 CombinationCount(const OptimizationRanges& ranges)
{
    const qint64 each = saturatingProduct(
        saturatingProduct(ranges[EmbedmentRow].count, ranges[StrengthRow].count),
        ranges[ProcessRow].count);
    return overSections(ranges, each);
}

bool ExceedsRunLimit(const OptimizationRanges& ranges)
{
    return CaseCount(ranges) > MaxOptimizationCases
        || CombinationCount(ranges) > 2 * MaxOptimizationCases;
}

qint64 CaseCount(const OptimizationRanges& ranges)
{
    qint64 drivenProcesses = 0;
    qint64 boredProcesses = 0;
    walkCodes(
        ranges[ProcessRow], [&](int code) { ++(code == 1 ? drivenProcesses : boredProcesses); });
    qint64 drivenConditions = 0;
    walkCodes(ranges[RockConditionRow], [&](int code) { drivenConditions += code <= 2 ? 1 : 0; });
    const qint64 conditions = ranges[RockConditionRow].count;
    // Per dimension combination: every embedment value for bored piles, the first only
    // for driven ones.
    const qint64 bored = saturatingProduct(
        saturatingProduct(ranges[EmbedmentRow].count, boredProcesses), conditions);
    const qint64 perEmbedmentAndStrength = saturatingSum(bored, drivenProcesses * drivenConditions);
    const qint64 perDimensions
        = saturatingProduct(ranges[StrengthRow].count, perEmbedmentAndStrength);

    return overSections(ranges, perDimensions);
}

} // namespace optimization
