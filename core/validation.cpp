#include "core/validation.h"

#include "core/numbers.h"

#include <cmath>
#include <initializer_list>
#include <limits>

namespace core {

namespace {

QString firstDimensionMessage(SectionType section)
{
    return section == SectionType::Rectangular || section == SectionType::Square
        ? QStringLiteral("矩形长边尺寸数据有错")
        : QStringLiteral("桩身直径数据有错");
}

QString secondDimensionMessage(SectionType section)
{
    return section == SectionType::Rectangular || section == SectionType::Square
        ? QStringLiteral("矩形短边尺寸数据有错")
        : QStringLiteral("椭圆直段长度数据有错");
}

QString messageOf(InputField field, SectionType section)
{
    switch (field) {
    case InputField::FirstDimension:
        return firstDimensionMessage(section);
    case InputField::SecondDimension:
        return secondDimensionMessage(section);
    case InputField::Embedment:
        return QStringLiteral("嵌岩深度数据有错");
    case InputField::RockStrength:
        break;
    }
    return QStringLiteral("岩石单轴抗压强度值有错");
}

struct Checks {
    CaseValidation& outcome;
    SectionType section;

    void pass(InputField field) { outcome.passed[size_t(outcome.passedCount++)] = field; }
    void fail(InputField field) { outcome.error = InputError{field, messageOf(field, section)}; }
};

// How far a value lies from the sizes a pile is made of, in decades: 0 for 1, 300 for
// 1e300 and for 1e-300, infinite for 0.
double decadesFromOne(double value)
{
    return std::fabs(std::log10(std::fabs(value)));
}

struct Candidate {
    InputField field;
    double value;
};

// Of the fields that enter the result, the one whose value lies furthest out.
InputField furthestOut(std::initializer_list<Candidate> candidates)
{
    InputField field = candidates.begin()->field;
    double furthest = -1;
    for (const Candidate& c : candidates) {
        const double decades = std::isnan(c.value) ? std::numeric_limits<double>::infinity()
                                                   : decadesFromOne(c.value);
        if (decades > furthest) {
            furthest = decades;
            field = c.field;
        }
    }
    return field;
}

} // namespace

CaseValidation ValidatePileDesignCase(PileDesignCase& pile, QChar decimalSeparator)
{
    CaseValidation outcome;
    Checks checks{outcome, pile.section};
    if (pile.section == SectionType::Rectangular) {
        if (!(pile.d > 0)) {
            checks.fail(InputField::FirstDimension);
            return outcome;
        }
        checks.pass(InputField::FirstDimension);
        if (!(pile.c > 0)) {
            checks.fail(InputField::SecondDimension);
            return outcome;
        }
        checks.pass(InputField::SecondDimension);
        if (pile.c >= pile.d) {
            // Side a is the long one; equal sides take the rewrite too, so a square's
            // texts always come back in the general form.
            pile.dText = FormatGeneral(pile.c, decimalSeparator);
            pile.cText = FormatGeneral(pile.d, decimalSeparator);
            pile.a = pile.c;
            pile.b = pile.d;
            outcome.sidesExchanged = true;
        } else {
            pile.a = pile.d;
            pile.b = pile.c;
        }
    } else {
        if (!(pile.d > 0)) {
            checks.fail(InputField::FirstDimension);
            return outcome;
        }
        checks.pass(InputField::FirstDimension);
        // A circle has no straight length to test; its field passes all the same.
        if (pile.section == SectionType::Elliptical && !(pile.c > 0)) {
            checks.fail(InputField::SecondDimension);
            return outcome;
        }
        checks.pass(InputField::SecondDimension);
    }

    const qsizetype marker = pile.hText.indexOf(EmbedmentMarker(pile.section));
    if (marker >= 0) {
        pile.embedmentForm = EmbedmentForm::Multiple;
        const auto k = TryParseStrict(QStringView(pile.hText).left(marker), decimalSeparator);
        if (!k) {
            // The error report names the field in the user's words.
            outcome.conversionError = ConversionErrorFrom(QStringLiteral("嵌岩深度"),
                ConversionError(NotANumberMessage(QStringView(pile.hText).left(marker))));
            return outcome;
        }
        if (*k < 0) {
            checks.fail(InputField::Embedment);
            return outcome;
        }
        pile.h = *k * (pile.section == SectionType::Rectangular ? pile.b : pile.d);
    } else {
        pile.embedmentForm = EmbedmentForm::Millimetres;
        const auto h = TryParseStrict(pile.hText, decimalSeparator);
        if (!h || *h < 0) {
            checks.fail(InputField::Embedment);
            return outcome;
        }
        pile.h = *h;
    }
    checks.pass(InputField::Embedment);
    return outcome;
}

std::optional<InputError> CheckCapacityRange(
    const PileDesignCase& pile, const CapacityResult& result)
{
    const bool rectangle
        = pile.section == SectionType::Rectangular || pile.section == SectionType::Square;
    const double first = rectangle ? pile.a : pile.d;
    const double second = rectangle ? pile.b : pile.c;
    auto error = [&pile](InputField field) {
        return std::optional<InputError>(InputError{field, messageOf(field, pile.section)});
    };

    if (!std::isfinite(result.A) || !std::isfinite(result.U) || result.A == 0) {
        // A section too large for a double, or so small that its area vanishes: the
        // dimension furthest out is at fault. A circle's straight length plays no part.
        if (pile.section == SectionType::Circular)
            return error(InputField::FirstDimension);
        return error(furthestOut(
            {{InputField::FirstDimension, first}, {InputField::SecondDimension, second}}));
    }
    if (!std::isfinite(result.h))
        return error(InputField::Embedment);
    if (result.P != 0 && std::isfinite(result.P) && std::isfinite(result.share))
        return std::nullopt;
    // [P] vanished or overflowed: R = 0 (infinitely far out) is the common case, but a
    // depth or a dimension can be the one out of range. Only what enters the formulas
    // counts: a driven pile's depth and a zero depth do not.
    const bool depthCounts = pile.process == PileProcess::Bored && result.h != 0;
    const bool secondCounts = pile.section != SectionType::Circular;
    const double never = 1; // a value that is never furthest out
    return error(
        furthestOut({{InputField::RockStrength, pile.R}, {InputField::FirstDimension, first},
            {InputField::SecondDimension, secondCounts ? second : never},
            {InputField::Embedment, depthCounts ? result.h : never}}));
}

} // namespace core
