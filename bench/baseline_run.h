#pragma once

// The yardstick of the optimization run: a plain loop that walks the same ranges in the
// same order, applies the same capacity rules and writes the same 17 cell texts a row
// into one buffer taken at the start, with none of the program around it (no input
// panel, no grid). The benchmarks run it beside the real run, so that the cost of the
// program's own path shows as a ratio on any machine; the tests compare every cell of a
// real run with its texts.

#include "core/capacity.h"
#include "optimization/ranges.h"

#include <QStringView>

#include <memory>

struct BaselineRows {
    // Taken once and left unwritten until the run writes it, as a grid's store is.
    std::unique_ptr<char16_t[]> chars;
    size_t capacity = 0;
    std::unique_ptr<quint32[]> ends; // where each cell's text ends, 17 a row
    qint64 rows = 0;

    QStringView cell(int column, qint64 row) const
    {
        const size_t at = size_t(row) * 17 + size_t(column);
        const quint32 begin = at == 0 ? 0 : ends[at - 1];
        return QStringView(chars.get() + begin, qsizetype(ends[at] - begin));
    }
};

// Fills `out` with the rows of a completed run over `ranges`, numbered "ZH-" as the
// grid numbers them. The ranges are those of a run the program accepts, and every case
// passes the input checks.
void BaselineRun(const optimization::OptimizationRanges& ranges, core::PrecisionMode mode,
    QChar decimalSeparator, BaselineRows& out);
