#pragma once

// The texts of the input panel's fixed lists. They are also the texts the calculation
// book echoes for the process and the rock condition, so a pile kept by item index (in a
// project, in a file) gets exactly the book of the panel it was computed from.

#include "core/design_case.h"

#include <QStringList>

namespace core {

// "圆桩", "椭圆桩", "矩形桩": the panel offers no square (a rectangle with equal sides).
QStringList SectionItems();
QStringList ProcessItems();
// The rock conditions of a process: two for driven piles, three for bored ones.
QStringList ConditionItems(PileProcess process);

} // namespace core
