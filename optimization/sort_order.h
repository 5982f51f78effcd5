#pragma once

// The row order of the result-grid sort. The grids sort ascending with an exchange
// sort: for each i, scan j = i..n-1 and swap rows i and j whenever the key at i is
// greater than the key at j. Saved lists and screens show the order that algorithm
// leaves, ties included, so we keep that order exactly, but compute it in O(n log n)
// instead of Θ(n²) comparisons and row moves:
//  - the result is ascending by key;
//  - within a class of equal keys v, let N be the number of keys below v and b(x) the
//    number of keys below v that stand before row x. Starting from an empty sequence D,
//    for p = 0..N append the class rows with b = p in their initial order and then, while
//    p < N and D is not empty, rotate D left by one. The class ends in the order of D.
// Every pass of the exchange sort moves only the chain of strict prefix minima of the
// suffix; a class row joins the front once all smaller rows before it have left, and
// each later pass carries the first waiting row of the class behind the others.
//
// Keys are compared as doubles, so -0.0 and +0.0 are equal. They must not be NaN: the
// exchange sort swaps whenever two keys cannot be compared, which no ascending order
// describes. The grid's keys come from the strict number conversion, which never gives
// a NaN; a key text that is no number ends the sort before any row moves.

#include <QtGlobal>

#include <span>
#include <vector>

namespace optimization {

// The sort state of one sortable column of the grid on display (the form's DSortOrder
// and PSortOrder): whether, and in which direction, the rows are now ordered by it. The
// next click on a sorted column only reverses the rows, which relies on this.
namespace SortState {
constexpr qint32 Unsorted = 0;
constexpr qint32 Ascending = 1;
constexpr qint32 Descending = 2;
} // namespace SortState

// order[i] is the initial index of the row that ends at position i.
std::vector<quint32> ExchangeSortOrder(std::span<const double> keys);

} // namespace optimization
