#pragma once

// The summary table: one row of 190 display columns per computed pile, between a
// five-line head and a four-line footer whose last line is the stamp of the latest
// calculation. The form writes the head before the first pile, and for every later pile
// takes the old footer off before it appends the new row and footer. Pure functions.

#include "core/capacity.h"
#include "core/design_case.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace report {

inline constexpr int SummaryTableWidth = 190;
inline constexpr int SummaryTableFooterLines = 4;

QStringList SummaryTableHead();

// Pile n's row: 19 cells that are 190 columns in all when every value fits its cell; a
// value too wide for its cell is written whole and pushes the rest of the row right.
QString SummaryTableRow(const core::PileDesignCase& pile, const core::CapacityResult& result, int n,
    core::PrecisionMode mode, QChar decimalSeparator);

QStringList SummaryTableFooter(const QString& timeText);

} // namespace report
