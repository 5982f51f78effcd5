#pragma once

// The yardstick of the optimization run: the loop a performance engineer would write for
// the same cases, rules and 17 cell texts a row, with none of the program around it (no
// input panel, no grid). Every text a level of the walk shows (dimensions, depth,
// strength, coefficients, labels) is made once before the loop; the loop computes each
// case with the capacity rules, writes its numbers by integer arithmetic and copies the
// row's texts into one buffer taken at the start. The benchmarks run it beside the real
// run, so that the cost of the program's own path shows as a ratio on any machine; the
// tests compare every cell of a real run with its texts.

#include "core/capacity.h"
#include "optimization/ranges.h"

#include <QStringView>

#include <memory>
#include <vector>

struct BaselineRows {
    // One buffer for every row, taken once and written only where rows are: a row is
    // the lengths of its 17 texts, then the texts one after the other.
    std::unique_ptr<char16_t[]> chars;
    size_t capacity = 0;
    size_t size = 0;
    qint64 rows = 0;

    // A cell for the tests; the first call finds where each row starts.
    QStringView cell(int column, qint64 row) const;

private:
    mutable std::vector<size_t> m_rowStarts;
};

// Fills `out` with the rows of a completed run over `ranges`, numbered "ZH-" as the
// grid numbers them. The ranges are those of a run the program accepts, and every case
// passes the input checks.
void BaselineRun(const optimization::OptimizationRanges& ranges, core::PrecisionMode mode,
    QChar decimalSeparator, BaselineRows& out);
