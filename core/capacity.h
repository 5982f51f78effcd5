#pragma once

// Allowable axial bearing capacity [P] of a rock-socketed pile by TB 10093-2017:
// formula (6.2.2-3) [P] = C*R*A for driven or vibrated piles bearing on rock, formula
// (6.2.2-4) [P] = R*(C1*A + C2*U*h) for bored (dug) piles and tube columns on or in rock.
// Input is a validated PileDesignCase; output the CapacityResult and the texts the
// result boxes and reports show at each display precision. Pure functions: the form
// calls them from its calculation action, which is the only place they are combined.

#include "core/design_case.h"
#include "core/numbers.h"

#include <QString>

namespace core {

enum class RockHardnessClass {
    Unclassified, // R <= 0
    ExtremelySoftRock, // 0 < R <= 5
    SoftRock, // 5 < R <= 15
    RatherSoftRock, // 15 < R <= 30
    RatherHardRock, // 30 < R <= 60
    HardRock, // R > 60
};

// Item index of the precision popup.
enum class PrecisionMode {
    TwoDecimals = 0,
    OneDecimal = 1,
    WholeUnits = 2,
    WholeTens = 3,
    WholeHundreds = 4
};

struct CapacityResult {
    double A = 0; // mm^2
    double U = 0; // mm
    double h = 0; // mm used in the formula; 0 for driven piles
    double C1 = 0; // C for driven piles; after the shallow embedment rule
    double C2 = 0;
    double Pp = 0; // kN, end resistance
    double Ps = 0; // kN, side resistance
    double P = 0; // kN, [P]
    double share = 0; // %, Pp of [P]
    RockHardnessClass hardness = RockHardnessClass::Unclassified;
};

// What the optimization run reads back after every calculation that passed validation.
struct LastCapacityRecord {
    double C1 = 0;
    double C2 = 0;
    double Ps = 0;
};

struct SectionProperties {
    double A = 0;
    double U = 0;
};

struct Coefficients {
    double C1 = 0;
    double C2 = 0;
};

RockHardnessClass HardnessRule(double R);
QString HardnessText(RockHardnessClass hardness);
// h in mm as used by the formula (0 for driven piles).
Coefficients CoefficientRule(PileProcess process, RockCondition condition, double h);
CapacityResult ComputeCapacity(const PileDesignCase& validated);

QString FormulaLabel(PileProcess process);

// Display precision rule; the two coarsest modes truncate toward zero.
bool IsPrecisionMode(int index);
QString ForceText(double kN, PrecisionMode mode, QChar decimalSeparator);
// The same text in a buffer, for the result boxes of a run.
QStringView ForceTextInto(double kN, PrecisionMode mode, QChar decimalSeparator, FixedText& out);
// Share as the result box shows it (truncated in the coarse modes), without "%".
QStringView BoxShareTextInto(
    double share, PrecisionMode mode, QChar decimalSeparator, FixedText& out);
// Share as the reports show it (never truncated), without "%".
QString ReportShareText(double share, PrecisionMode mode, QChar decimalSeparator);

} // namespace core
