#include "project/design_load.h"

#include "core/numbers.h"

#include <cmath>

namespace project {

namespace {

// Sockets of 0.5 m or less rest on the rock by the shallow rule: their [P] does not grow
// with the embedment, so the least socket that grows is the first whole 10 mm above.
constexpr double ShallowEmbedment = 500; // mm
constexpr double Step = 10; // mm: sockets are drilled and specified to the centimetre
// Beyond this no pile is drilled and a double no longer counts whole centimetres.
constexpr double DeepestSocket = 1e12; // mm

core::CapacityResult capacityAt(const Pile& pile, double hr)
{
    core::PileDesignCase design = pile.design;
    design.h = hr;
    return core::ComputeCapacity(design);
}

// The length the embedment is counted in: d, or the short side b of a rectangle.
double multipleBase(const Pile& pile)
{
    return pile.design.section == core::SectionType::Rectangular ? pile.design.b : pile.design.d;
}

} // namespace

double ShownCapacity(double P, core::PrecisionMode mode)
{
    bool ok = false;
    const double shown = core::ForceText(P, mode, QLatin1Char('.')).toDouble(&ok);
    return ok ? shown : P;
}

double ShownCapacityAt(const Pile& pile, double hr)
{
    return ShownCapacity(capacityAt(pile, hr).P, pile.inputs.precision);
}

DesignLoadCheck CheckDesignLoad(const Pile& pile)
{
    DesignLoadCheck check;
    if (!pile.N)
        return check;
    check.checked = true;
    check.N = *pile.N;
    check.shownP = ShownCapacity(pile.result.P, pile.inputs.precision);
    check.satisfied = check.N <= check.shownP;
    if (check.shownP > 0)
        check.ratio = check.N / check.shownP * 100;
    return check;
}

QString DesignLoadLine(const Pile& pile, QChar sep)
{
    const DesignLoadCheck check = CheckDesignLoad(pile);
    if (!check.checked)
        return QString();
    QString line = QStringLiteral("  6. 承载力验算: N = ") + core::FormatFixed(check.N, 15, 2, sep)
        + (check.satisfied ? QStringLiteral(" kN ≤ [P] = ") : QStringLiteral(" kN > [P] = "))
        + core::ForceText(pile.result.P, pile.inputs.precision, sep)
        + (check.satisfied ? QStringLiteral(" kN，满足要求") : QStringLiteral(" kN，不满足要求"));
    if (check.ratio)
        line += QStringLiteral(" (N/[P] = ") + UtilisationText(check, sep) + QStringLiteral("%)");
    return line;
}

QString UtilisationText(const DesignLoadCheck& check, QChar sep)
{
    return check.ratio ? core::FormatFixed(*check.ratio, 15, 1, sep) : QString();
}

QString VerdictText(const DesignLoadCheck& check)
{
    if (!check.checked)
        return QString();
    return check.satisfied ? QStringLiteral("满足") : QStringLiteral("不满足");
}

RequiredSocket RequiredEmbedment(const Pile& pile)
{
    RequiredSocket socket;
    if (!pile.N)
        return socket;
    if (pile.design.process == core::PileProcess::Driven) {
        socket.kind = RequiredSocket::Kind::NotApplicable;
        return socket;
    }
    const double N = *pile.N;
    socket.marker = core::EmbedmentMarker(pile.design.section);
    const auto works = [&](double hr) { return ShownCapacityAt(pile, hr) >= N; };

    double hr = 0;
    if (!works(0)) {
        // [P] = R (C1 A + C2 U h) / 1000 above the shallow bound, so the socket that
        // gives N is h = (1000 N / R - C1 A) / (C2 U), with the deep coefficients.
        const core::Coefficients deep = core::CoefficientRule(
            core::PileProcess::Bored, pile.design.condition, ShallowEmbedment + Step);
        const core::CapacityResult& r = pile.result;
        const double exact = (1000 * N / pile.design.R - deep.C1 * r.A) / (deep.C2 * r.U);
        if (!(pile.design.R > 0) || !(deep.C2 > 0) || !std::isfinite(exact)) {
            socket.kind = RequiredSocket::Kind::NoSolution;
            return socket;
        }
        // At or below the bound the shallow rule holds and [P] is the one that failed.
        hr = std::max(ShallowEmbedment + Step, std::ceil(exact / Step) * Step);
        if (hr > DeepestSocket) {
            socket.kind = RequiredSocket::Kind::NoSolution;
            return socket;
        }
        // Confirmed by the rules: the shown [P] rounds and truncates, so the formula's
        // value may be a few centimetres off. [P] grows with the socket above the bound,
        // so the least whole 10 mm that works lies between a socket that fails (the
        // bound itself, where the shallow rule failed) and one that works.
        if (!works(hr) || (hr - Step > ShallowEmbedment && works(hr - Step))) {
            double fails = ShallowEmbedment;
            double holds = hr;
            while (!works(holds)) {
                fails = holds;
                holds *= 2;
                if (holds > DeepestSocket) {
                    socket.kind = RequiredSocket::Kind::NoSolution;
                    return socket;
                }
            }
            while (holds - fails > Step) {
                const double middle = fails + std::floor((holds - fails) / Step / 2) * Step;
                (works(middle) ? holds : fails) = middle;
            }
            hr = holds;
        }
    }
    socket.kind = RequiredSocket::Kind::Found;
    socket.hr = hr;
    // The multiple rounded up to a tenth, and raised until it carries N itself (a tenth
    // of d rounds up whatever a double's last bit says of hr / d).
    const double base = multipleBase(pile);
    double tenths = std::ceil(hr / base * 10 - 1e-9);
    for (int i = 0; i < 1000 && !works(tenths / 10 * base); ++i)
        tenths += 1;
    socket.multiple = tenths / 10;
    return socket;
}

QString RequiredSocketText(const RequiredSocket& socket, QChar sep)
{
    switch (socket.kind) {
    case RequiredSocket::Kind::NoDesignLoad:
        return QString();
    case RequiredSocket::Kind::NotApplicable:
        return QStringLiteral("不适用");
    case RequiredSocket::Kind::NoSolution:
        return QStringLiteral("无解");
    case RequiredSocket::Kind::Found:
        break;
    }
    return core::FormatFixed(socket.hr, 15, 0, sep) + QStringLiteral(" (")
        + core::FormatFixed(socket.multiple, 15, 1, sep) + socket.marker + QStringLiteral(")");
}

} // namespace project
