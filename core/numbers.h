#pragma once

// Text <-> number for every field, cell, report and file of the program.
//
// Two readings of user texts: ParseLenient never fails and takes "." or the user's
// decimal separator as the decimal point (it reads the dimension and strength fields at
// calculation time); ParseStrict accepts only a whole number in the user's locale format and throws
// a ConversionError naming the text otherwise. Two writings: FormatFixed (fixed decimals, rounded
// from the exact 18 significant digits of the double, halves away from zero) and FormatGeneral
// (shortest form up to 15 significant digits). Everything takes the decimal separator as an
// argument: nothing here reads a global locale.

#include <QChar>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace core {

// Value of the longest well-formed numeric prefix after leading blanks (the first "."
// or decimal separator as the point, optional sign, fraction and exponent); 0 when there is none or
// the value overflows. Never infinite, never NaN.
double ParseLenient(QStringView text, QChar decimalSeparator);

// The whole text, apart from blanks around it, must be [+-]? (digits (SEP digits*)? |
// SEP digits) ([eE] [+-]? digits)? with SEP the given decimal separator, and its value
// finite. Throws ConversionError otherwise.
double ParseStrict(QStringView text, QChar decimalSeparator);
std::optional<double> TryParseStrict(QStringView text, QChar decimalSeparator);

// Whole number in 32 bits: blanks around it, optional sign, decimal digits. Throws
// ConversionError otherwise ("1.0", "", "0x10", "99999999999").
qint32 ParseStrictInt(QStringView text);

// Fixed notation with exactly n decimals and at most p significant digits; see the
// definition for the scientific form used when the integer part needs more than p digits.
QString FormatFixed(double x, int p, int n, QChar decimalSeparator);
// The same text written into a buffer, for the millions of cells of a run; p and n are
// taken at most MaxFixedPrecision. The view points into `out`.
inline constexpr int MaxFixedPrecision = 20;
using FixedText = std::array<char16_t, 2 * MaxFixedPrecision + 8>;
QStringView FormatFixedInto(double x, int p, int n, QChar decimalSeparator, FixedText& out);

// Shortest general form with up to 15 significant digits: "1500", "0.25", "1E20".
QString FormatGeneral(double x, QChar decimalSeparator);

// The message of a ConversionError for a text that is not a number / whole number.
QString NotANumberMessage(QStringView text);

} // namespace core
