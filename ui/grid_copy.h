#pragma once

// Result rows as a spreadsheet takes them from the clipboard: tab-separated text, first a
// line of the visible columns' headers, then the chosen rows in the grid's own order.
// The view gathers the rows the user selected and puts the text on the clipboard; what
// the text holds is decided here.

#include "ui/stringgrid.h"

#include <QString>

#include <span>

namespace ui {

// The visible columns of `rows` of `grid`: headers trimmed (their padding is for the
// screen), cells as they stand. Each line ends with a line feed; the order is the grid's
// whatever order `rows` comes in, a row given twice is copied once, and a row the grid
// does not have is left out. No row left: an empty text, which the view does not copy.
QString GridRowsText(const StringGrid& grid, std::span<const int> rows);

} // namespace ui
