#pragma once

// The ranges of an optimization run, read from the options table (rows 0-9, columns
// minimum, maximum, step) as texts at the moment the run starts. Number rows (1-7) hold
// dimensions in mm, the embedment depth and the rock strength; code rows (0, 8, 9) hold
// the section type, the process and the rock condition as whole numbers. Reading checks
// every row in order, also the rows of section types the run will not enumerate; a
// failed strict conversion throws core::ConversionError, a negative dimension or
// strength comes back as a refusal message. The enumeration (run.h) walks the ranges;
// CaseCount tells the form beforehand how many cases that walk would produce.

#include "core/design_case.h"

#include <QChar>
#include <QString>

#include <array>
#include <functional>

namespace optimization {

// Rows of the options table.
enum OptionRow {
    SectionTypeRow = 0,
    DiameterRow = 1,
    StraightLengthRow = 2,
    LongSideRow = 3,
    ShortSideRow = 4,
    SquareSideRow = 5,
    EmbedmentRow = 6,
    StrengthRow = 7,
    ProcessRow = 8,
    RockConditionRow = 9,
    FilterRow = 11,
};

// Section-type codes of row 0.
enum SectionCode { CircularCode = 1, EllipticalCode = 2, RectangularCode = 3, SquareCode = 4 };

// Largest run the program accepts: beyond it a run would exhaust memory or never end.
inline constexpr qint64 MaxOptimizationCases = 1'000'000;

struct OptimizationRange {
    double minimum = 0;
    double maximum = 0;
    double step = 0;
    // Number of values the walk yields, at least 1. A count that does not fit (a tiny
    // step over a wide range) saturates at CountCeiling; such a run is always refused.
    qint64 count = 1;
    bool isCode = false;

    static constexpr qint64 CountCeiling = qint64(1) << 53;

    // Value i of the walk (0 <= i < count), given value i - 1: the previous value plus
    // the step, or the maximum once that sum exceeds it.
    double next(double previous) const
    {
        const double value = previous + step;
        return value > maximum ? maximum : value;
    }
};

struct OptimizationRanges {
    std::array<OptimizationRange, 10> rows;
    core::EmbedmentForm embedmentForm = core::EmbedmentForm::Multiple;
    const OptimizationRange& operator[](int row) const { return rows[static_cast<size_t>(row)]; }
};

// Text of a cell of the options table.
using OptionCellReader = std::function<QString(int column, int row)>;

struct RangeReading {
    OptimizationRanges ranges;
    // Non-empty when a row was refused; the rows after it have not been read.
    QString refusal;
};

// What the user calls a cell of the options table ("嵌岩深度 h(mm) / 最大值").
using OptionCellNamer = std::function<QString(int column, int row)>;

// Reads and checks rows 0-9 in order. Throws core::ConversionError for a cell that is
// not a number (rows 1-7) or not a whole number (rows 0, 8, 9), naming the cell's text
// and, given a namer, the cell.
RangeReading ReadOptimizationRanges(
    const OptionCellReader& cell, QChar decimalSeparator, const OptionCellNamer& name = nullptr);

// The building blocks, for the rows they name.
OptimizationRange NumberRange(double minimum, double maximum, double step);
OptimizationRange CodeRange(qint32 minimum, qint32 maximum, qint32 step, qint32 top);

// The cases a run over these ranges produces: the product of the counts of the levels
// each enumerated section type walks, less the driven cases the run skips (driven piles
// take only the first embedment value and rock codes 1 and 2). Saturates instead of
// overflowing, so any count above MaxOptimizationCases is reported as such.
qint64 CaseCount(const OptimizationRanges& ranges);

// The combinations of section type, dimensions, embedment, strength and process the
// run walks, with or without a case at the end. A run of driven piles only walks every
// embedment value yet calculates only the first, and a rock range the driven piles do
// not know gives no case at all: such a walk is bounded here, not by CaseCount. With a
// bored process in the range every combination gives at least one case, so this never
// exceeds twice the case count.
qint64 CombinationCount(const OptimizationRanges& ranges);

// A run is refused before anything is enumerated when it would calculate more cases,
// or walk more combinations, than the program handles.
bool ExceedsRunLimit(const OptimizationRanges& ranges);

} // namespace optimization
