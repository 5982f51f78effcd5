#pragma once

// The optimization list file: the rows of a result grid as a table of 170 display
// columns (a Chinese character counts two), in the grid's current order. The fields
// shown depend on the section type (d and c for round and elliptical piles, a and b for
// rectangles and squares) and on the process (C for driven piles, C1, C2 and the side
// resistance for bored ones), as the result-row schema assigns them; a row whose section
// or process text is none of the schema's shows none of those fields. The pile numbers
// are the rows' positions in this list, not the numbers in the grid. Every line ends
// with CR LF.
//
// The rows are read from the grid's cell store: each distinct text of a column is laid
// out, measured and encoded once, and a row is its fields' bytes one after the other.
// The bytes come in chunks for a streaming writer, so a list of a million rows never
// exists as one string.

#include "core/cellstore.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>
#include <span>

namespace report {

// Hands the whole file, in the result-file encoding, to `write` chunk by chunk. `rows`
// are the store rows in list order. `stampTime` is asked once the rows are written: the
// date and time of the stamp line, as the user's locale writes them.
void StreamOptimizationTable(const core::CellStore& store, std::span<const quint32> rows,
    QStringView title, const std::function<QString()>& stampTime,
    const std::function<void(QByteArrayView chunk)>& write);

} // namespace report
