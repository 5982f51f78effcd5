#pragma once

// The [P] band of the result filter (row 11 of the options table). A bound of 0 or less
// sets no limit on its side; a lower bound above the upper one narrows the band to the
// lower bound alone. The band is compared with the [P] texts as the grid shows them,
// that is in the display precision of the run, not with unrounded capacities.

#include <QChar>
#include <QString>
#include <QStringView>

#include <functional>

namespace optimization {

struct FilterBand {
    double lower = 0;
    double upper = 1e15;
    bool contains(double capacity) const { return lower <= capacity && capacity <= upper; }
};

// Throws core::ConversionError when a bound is not a number; given names for the two
// bounds' cells, the error names the cell.
FilterBand ReadFilterBand(QStringView lowerText, QStringView upperText, QChar decimalSeparator,
    const std::function<QString(bool upper)>& boundName = nullptr);

} // namespace optimization
