#pragma once

// The optimization list file: the rows of a result grid as a table of 170 display
// columns (a Chinese character counts two), in the grid's current order. The fields
// shown depend on the section type (d and c for round and elliptical piles, a and b for
// rectangles and squares) and on the process (C for driven piles, C1, C2 and the side
// resistance for bored ones); the pile numbers are the rows' positions in this list,
// not the numbers in the grid. Every line ends with CR LF. The text is produced in
// chunks for a streaming writer, so a list of a million rows never exists as one string.

#include <QString>
#include <QStringView>

#include <functional>

namespace report {

// The cells of a result grid, read back exactly as they stand.
class OptimizationTableRows {
public:
    virtual ~OptimizationTableRows() = default;
    virtual qint64 rowCount() const = 0;
    virtual QStringView cell(int column, qint64 row) const = 0;
};

// Hands the whole file text to `write`, chunk by chunk. `stampTime` is asked once the
// rows are written: the date and time of the stamp line, as the user's locale writes
// them.
void StreamOptimizationTable(const OptimizationTableRows& rows, QStringView title,
    const std::function<QString()>& stampTime, const std::function<void(QStringView chunk)>& write);

} // namespace report
