#include "optimization/pickup.h"

#include "core/result_schema.h"

namespace optimization {

PickUp PlanPickUp(const std::function<QString(int column)>& cell)
{
    using namespace core;
    PickUp pickUp;
    if (const auto section = SectionOfLabel(cell(SectionColumn))) {
        // The panel has no square: a square is a rectangle with the same side twice.
        pickUp.section = *section == ResultSection::Circular ? SectionType::Circular
            : *section == ResultSection::Elliptical          ? SectionType::Elliptical
                                                             : SectionType::Rectangular;
        pickUp.firstDimension = cell(FirstDimensionColumn);
        pickUp.secondDimension = *section == ResultSection::Circular ? QStringLiteral("0")
                                                                     : cell(SecondDimensionColumn);
    }
    pickUp.embedment = cell(EmbedmentColumn);
    pickUp.strength = cell(StrengthColumn);
    if (const auto process = ProcessOfLabel(cell(ProcessColumn))) {
        pickUp.process = *process;
        pickUp.condition = ConditionOfLabel(*process, cell(ConditionColumn));
    }
    return pickUp;
}

} // namespace optimization
