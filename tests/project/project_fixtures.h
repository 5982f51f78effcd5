#pragma once

// Piles as the input panel would hold them, computed, for the project tests.

#include "project/project.h"

#include <QTest>

namespace project_testing {

inline project::PileInputs Inputs(core::SectionType section, const QString& d, const QString& c,
    const QString& hr, const QString& R, core::PileProcess process, int condition,
    core::PrecisionMode precision = core::PrecisionMode::WholeUnits)
{
    project::PileInputs in;
    in.section = section;
    in.d = d;
    in.c = c;
    in.hr = hr;
    in.R = R;
    in.process = process;
    in.condition = condition;
    in.precision = precision;
    return in;
}

// The panel's defaults: round, d 1000, 1.0d, R 25, bored, "一般".
inline project::PileInputs DefaultInputs(
    core::PrecisionMode precision = core::PrecisionMode::WholeUnits)
{
    project::PileInputs in;
    in.precision = precision;
    return in;
}

// A computed pile; a pile the rules refuse fails the test.
inline project::Pile Computed(const project::PileInputs& inputs, std::optional<double> N = {},
    const QString& label = {}, QChar separator = QLatin1Char('.'))
{
    project::Pile pile;
    pile.inputs = inputs;
    pile.N = N;
    pile.label = label;
    const auto error = project::ComputePile(pile, separator);
    if (error)
        QTest::qFail(
            qPrintable(QStringLiteral("pile refused: ") + error->message), __FILE__, __LINE__);
    return pile;
}

// The five piles of the form's report tests, each at its own precision.
inline project::Project FivePiles()
{
    using core::PileProcess;
    using core::PrecisionMode;
    using core::SectionType;
    project::Project p;
    p.append(Computed(DefaultInputs(PrecisionMode::WholeUnits)));
    p.append(Computed(Inputs(SectionType::Circular, "1200", "0", "1.0d", "25", PileProcess::Driven,
        0, PrecisionMode::TwoDecimals)));
    p.append(Computed(Inputs(SectionType::Elliptical, "1000", "500", "1.5d", "40",
        PileProcess::Bored, 0, PrecisionMode::OneDecimal)));
    p.append(Computed(Inputs(SectionType::Rectangular, "1500", "1000", "1000", "10",
        PileProcess::Bored, 2, PrecisionMode::WholeTens)));
    p.append(Computed(Inputs(SectionType::Rectangular, "1000", "1000", "400", "70",
        PileProcess::Bored, 0, PrecisionMode::WholeHundreds)));
    p.stamp = QStringLiteral("2026/12/10 09:05:07");
    return p;
}

} // namespace project_testing
