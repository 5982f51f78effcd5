#pragma once

// Taking a result row back into the input panel: which panel item and which texts each
// cell stands for. The texts go into the panel unchanged (only a circle's c becomes
// "0"); a section, process or rock-condition text outside the known lists leaves the
// matching controls as they are.

#include "core/design_case.h"

#include <QString>

#include <functional>
#include <optional>

namespace optimization {

struct PickUp {
    // Set when column 1 holds a known section text; then both dimension texts apply.
    std::optional<core::SectionType> section; // panel item: a square is a rectangle
    QString firstDimension;
    QString secondDimension;
    QString embedment;
    QString strength;
    std::optional<core::PileProcess> process;
    // Applied after the process, which reloads the rock-condition list.
    std::optional<int> condition;
};

// cell(column) reads the row's text in the given column as created.
PickUp PlanPickUp(const std::function<QString(int column)>& cell);

} // namespace optimization
