#pragma once

// The fixed lists of the input panel, shared by the form's design and its change
// handlers (which reload them when the section type or the process changes).

#include <QStringList>

namespace ui {

QStringList CircularEmbedmentItems(); // "1.0d" ... "4.0d", then millimetres
QStringList RectangularEmbedmentItems(); // "1.0b" ... "4.0b", then millimetres
QStringList StraightLengthItems(); // "100" ... "1200"
QStringList ShortSideItems(); // "1000" ... "2000"
QStringList DrivenConditionItems();
QStringList BoredConditionItems();

} // namespace ui
