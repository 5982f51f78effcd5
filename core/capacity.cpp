#include "core/capacity.h"

#include "core/numbers.h"

#include <cmath>
#include <numbers>

namespace core {

namespace {
constexpr int ForceDigits = 7;
// Sockets of 0.5 m or less count as resting on rock: reduced end resistance, no side.
constexpr double ShallowEmbedment = 500.0; // mm
constexpr double ShallowEndFactor = 0.7;

double truncated(double x, PrecisionMode mode)
{
    switch (mode) {
    case PrecisionMode::WholeTens:
        return std::trunc(x / 10) * 10;
    case PrecisionMode::WholeHundreds:
        return std::trunc(x / 100) * 100;
    default:
        return x;
    }
}

SectionProperties SectionRule(const PileDesignCase& c)
{
    if (c.section == SectionType::Rectangular || c.section == SectionType::Square)
        return {c.a * c.b, (c.a + c.b) * 2};
    // Two half-circles of diameter d joined by straight sides of length c (c = 0: a circle).
    constexpr double pi = std::numbers::pi;
    return {pi * c.d * c.d / 4 + c.d * c.c, pi * c.d + 2 * c.c};
}

} // namespace

RockHardnessClass HardnessRule(double R)
{
    if (R > 0 && R <= 5)
        return RockHardnessClass::ExtremelySoftRock;
    if (R > 5 && R <= 15)
        return RockHardnessClass::SoftRock;
    if (R > 15 && R <= 30)
        return RockHardnessClass::RatherSoftRock;
    if (R > 30 && R <= 60)
        return RockHardnessClass::RatherHardRock;
    if (R > 60)
        return RockHardnessClass::HardRock;
    return RockHardnessClass::Unclassified;
}

QString HardnessText(RockHardnessClass hardness)
{
    switch (hardness) {
    case RockHardnessClass::ExtremelySoftRock:
        return QStringLiteral("极软岩");
    case RockHardnessClass::SoftRock:
        return QStringLiteral("软岩");
    case RockHardnessClass::RatherSoftRock:
        return QStringLiteral("较软岩");
    case RockHardnessClass::RatherHardRock:
        return QStringLiteral("较硬岩");
    case RockHardnessClass::HardRock:
        return QStringLiteral("坚硬岩");
    case RockHardnessClass::Unclassified:
        break;
    }
    return QString();
}

Coefficients CoefficientRule(PileProcess process, RockCondition condition, double h)
{
    Coefficients k;
    if (process == PileProcess::Driven) {
        // C of formula 6.2.2-3: homogeneous rock 0.45, cracked or weathered rock 0.30.
        if (condition == 0)
            k.C1 = 0.45;
        else if (condition == 1)
            k.C1 = 0.30;
        return k;
    }
    // Table of formula 6.2.2-4 by fracturing of the rock and cleaning of the hole bottom.
    switch (condition) {
    case 0:
        k = {0.5, 0.04};
        break;
    case 1:
        k = {0.4, 0.03};
        break;
    case 2:
        k = {0.3, 0.02};
        break;
    default:
        break;
    }
    if (h <= ShallowEmbedment) {
        k.C1 = k.C1 * ShallowEndFactor;
        k.C2 = 0;
    }
    return k;
}

CapacityResult ComputeCapacity(const PileDesignCase& c)
{
    CapacityResult r;
    const SectionProperties s = SectionRule(c);
    r.A = s.A;
    r.U = s.U;
    r.hardness = HardnessRule(c.R);
    r.h = c.process == PileProcess::Driven ? 0.0 : c.h;
    const Coefficients k = CoefficientRule(c.process, c.condition, r.h);
    r.C1 = k.C1;
    r.C2 = k.C2;
    // R in MPa = N/mm^2, so R*A is in N; /1000 gives kN.
    r.Pp = c.R * r.C1 * r.A / 1000;
    r.Ps = c.R * r.C2 * r.U * r.h / 1000;
    r.P = r.Pp + r.Ps;
    r.share = r.Pp / r.P * 100;
    return r;
}

QString FormulaLabel(PileProcess process)
{
    return process == PileProcess::Driven ? QStringLiteral("容许承载力计算公式：6.2.2-3")
                                          : QStringLiteral("容许承载力计算公式：6.2.2-4");
}

bool IsPrecisionMode(int index)
{
    return index >= 0 && index <= 4;
}

namespace {
int PrecisionDecimals(PrecisionMode mode)
{
    switch (mode) {
    case PrecisionMode::TwoDecimals:
        return 2;
    case PrecisionMode::OneDecimal:
        return 1;
    default:
        return 0;
    }
}
} // namespace

QString ForceText(double kN, PrecisionMode mode, QChar sep)
{
    return FormatFixed(truncated(kN, mode), ForceDigits, PrecisionDecimals(mode), sep);
}

QStringView ForceTextInto(double kN, PrecisionMode mode, QChar sep, FixedText& out)
{
    return FormatFixedInto(truncated(kN, mode), ForceDigits, PrecisionDecimals(mode), sep, out);
}

QStringView BoxShareTextInto(double share, PrecisionMode mode, QChar sep, FixedText& out)
{
    const bool coarse = mode == PrecisionMode::WholeTens || mode == PrecisionMode::WholeHundreds;
    return FormatFixedInto(
        coarse ? std::trunc(share) : share, ForceDigits, PrecisionDecimals(mode), sep, out);
}

QString ReportShareText(double share, PrecisionMode mode, QChar sep)
{
    return FormatFixed(share, ForceDigits, PrecisionDecimals(mode), sep);
}

} // namespace core
