#pragma once

// The fixed lists and places of the input panel, shared by the form's design and its
// change handlers (which reload the lists and move the rock-condition box when the
// section type or the process changes).

#include "ui/controls.h"

#include <QChar>
#include <QStringList>

namespace ui {

// Multiples of d (circles, ellipses) or of the short side b (rectangles), "1.0d" ...
// "4.0d" in steps of 0.5 written with the user's decimal separator, then millimetres.
QStringList CircularEmbedmentItems(QChar decimalSeparator);
QStringList RectangularEmbedmentItems(QChar decimalSeparator);
QStringList StraightLengthItems(); // "100" ... "1200"
QStringList ShortSideItems(); // "1000" ... "2000"
QStringList DrivenConditionItems();
QStringList BoredConditionItems();

// Places inside the panel's group boxes, in design units. Every field sits in one column
// on the right, its label on the left of the same row; the rows are 35 units apart.
namespace PanelGeometry {
constexpr double LabelX = 8;
constexpr double FieldX = 272;
constexpr double FieldWidth = 89;
constexpr double RowHeight = 32;
constexpr double RowY(int row)
{
    return 33 + 35 * row;
}
// Boxes whose items are long texts (the processes, the driven rock conditions) start
// further left and end at the field column's right edge.
constexpr double WideFieldX = 130;
constexpr double WideFieldWidth = 230;
// The rock-condition box: in the field column for the short bored list, wide for the
// driven one.
constexpr Rect BoredConditionBox{FieldX, RowY(1), 88, RowHeight};
constexpr Rect DrivenConditionBox{WideFieldX, RowY(1), WideFieldWidth, RowHeight};
} // namespace PanelGeometry

} // namespace ui
