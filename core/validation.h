#pragma once

// The checks a pile design case must pass before and after its capacity is computed.
// The form reads the input panel into a PileDesignCase, runs these pure checks and then
// marks the panel: the fields of the checks that passed turn black, the field at fault
// red with its message in the status line. Nothing here touches a control.

#include "core/capacity.h"
#include "core/design_case.h"
#include "core/errors.h"

#include <QString>

#include <array>
#include <optional>

namespace core {

// The input fields a check reads, by their place on the panel: d or side a; c or side
// b; the embedment depth; the rock strength.
enum class InputField { FirstDimension, SecondDimension, Embedment, RockStrength };

struct InputError {
    InputField field;
    QString message;
};

struct CaseValidation {
    // The fields whose check passed, in the order the checks ran.
    std::array<InputField, 3> passed{};
    int passedCount = 0;
    // A rectangle entered with its short side first (or a square): dText and cText now
    // hold the sides exchanged, in the general form, to be written back into the panel.
    bool sidesExchanged = false;
    // The first check that failed, if any; the checks after it did not run.
    std::optional<InputError> error;
    // An embedment multiple whose factor is no number: not an input message but a
    // conversion error for the error report.
    std::optional<ConversionError> conversionError;
};

// Runs the checks in their fixed order and, as far as they pass, completes the case:
// sides a and b of a rectangle, the embedment form and h in mm.
CaseValidation ValidatePileDesignCase(PileDesignCase& pile, QChar decimalSeparator);

// A case that passed validation can still give a [P] no engineer could sign: zero, or
// too large for a double. Names the input field whose value is out of range then (a
// strength of 0, a diameter of 1e-300 whose area vanishes, an embedment of 1e300d), or
// nothing when the result is sound.
std::optional<InputError> CheckCapacityRange(
    const PileDesignCase& pile, const CapacityResult& result);

} // namespace core
