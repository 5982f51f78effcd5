#include "optimization/pickup.h"

#include "optimization/ranges.h"
#include "optimization/result_row.h"

namespace optimization {

PickUp PlanPickUp(const std::function<QString(int column)>& cell)
{
    PickUp pickUp;
    const QString section = cell(SectionColumn);
    if (section == SectionLabel(CircularCode)) {
        pickUp.section = core::SectionType::Circular;
        pickUp.firstDimension = cell(FirstDimensionColumn);
        pickUp.secondDimension = QStringLiteral("0");
    } else if (section == SectionLabel(EllipticalCode) || section == SectionLabel(RectangularCode)
        || section == SectionLabel(SquareCode)) {
        pickUp.section = section == SectionLabel(EllipticalCode) ? core::SectionType::Elliptical
                                                                 : core::SectionType::Rectangular;
        pickUp.firstDimension = cell(FirstDimensionColumn);
        pickUp.secondDimension = cell(SecondDimensionColumn);
    }
    pickUp.embedment = cell(EmbedmentColumn);
    pickUp.strength = cell(StrengthColumn);

    const QString process = cell(ProcessColumn);
    const QString condition = cell(ConditionColumn);
    for (core::PileProcess p : {core::PileProcess::Driven, core::PileProcess::Bored}) {
        if (process != ProcessLabel(p))
            continue;
        pickUp.process = p;
        const int conditions = p == core::PileProcess::Driven ? 2 : 3;
        for (int i = 0; i < conditions; ++i) {
            if (condition == ConditionLabel(p, i))
                pickUp.condition = i;
        }
    }
    return pickUp;
}

} // namespace optimization
