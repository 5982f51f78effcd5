#pragma once

// The calculation book: one narrative section per computed pile, restating the inputs,
// naming the code and formula, walking through the computation and ending with a
// three-block summary, followed by one stamp line under the last section only. The form
// appends these lines to its book memo after every calculation outside the optimization
// run; the results screen's delete-last finds a section's end by its closing line.
// Pure functions: everything they depend on comes in as an argument.

#include "core/capacity.h"
#include "core/design_case.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace report {

// The last line of every section and no other line of the book: 50 "=".
QString BookClosingLine();

// "计算时间：" and the time text; ends the book and the summary table.
QString StampLine(const QString& timeText);

// The lines of pile n's section, heading to closing line, and then the stamp line.
// Inputs are echoed as the panel holds them; the summary's forces follow the display
// precision, the walk-through always keeps two decimals.
QStringList BookSectionLines(const core::PileDesignCase& pile, const core::CapacityResult& result,
    int n, core::PrecisionMode mode, const QString& timeText, QChar decimalSeparator);

} // namespace report
