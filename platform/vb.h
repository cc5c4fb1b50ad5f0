// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// The number and text rules that every window shares. Pure: no Qt, no files.
/// Strings are UTF-8 inside the program.
namespace vb {

/// Leading number of a text (the classic Val): blanks, tabs, CR and LF anywhere are passed over, then an
/// optional sign, digits, an optional '.' fraction, an optional exponent ('E' or 'D'); stops at the first
/// other character. No number gives 0, and so does a number beyond the range of a Double (the old
/// runtime stopped with an overflow there). The decimal separator is always '.', whatever the locale.
double Val(std::string_view text);

/// Strict conversion (the classic CDbl): the whole text, less surrounding blanks, tabs and line ends, must
/// be a number (sign, digits, '.' fraction, exponent E or D). Empty or non-numeric text, or a number beyond
/// the range of a Double, gives nullopt so that the target can keep its value.
std::optional<double> StrictNumber(std::string_view text);

/// Format(value, pattern) for the digit patterns "0", "0.0", "0.00", "0.00 ", "00", "000.0000", ...:
/// the value's 15-significant-digit decimal text, then rounded half away from zero to the pattern's
/// decimals, the integer part zero-filled to the pattern's integer digits; literal characters after the
/// digits (the trailing blank of "0.00 ") are kept. A '#' is a digit written only when needed: "######.##"
/// writes 850.5 as "850.5", 850 as "850." and 0.25 as ".25". A pattern with a point always writes it.
/// A value that rounds to zero is written without a minus sign (-0.001 with "0.00" gives "0.00"): a signed
/// zero tells an engineer nothing. A pattern without digits gives CStr(value) between its literal
/// characters. A non-finite value gives "".
std::string Format(double value, std::string_view pattern);

/// Plain number text (the classic CStr): at most 15 significant digits, no trailing zeros, no exponent,
/// negative zero prints "0". A non-finite value gives "".
std::string CStr(double value);

/// A 16-bit Integer, as the classic runtime has it.
using Integer = std::int16_t;

/// Whole-number rounding with halves to even (CInt). nullopt when the result does not fit a 16-bit
/// Integer or the value is not finite: the statement fails and its target keeps its value.
std::optional<Integer> CInt(double value);

/// Whole-number rounding with halves to even into a 32-bit Long (CLng); nullopt on overflow.
std::optional<std::int32_t> CLng(double value);

/// Rounding to the nearest whole number with halves to even, as a double (no range check).
double RoundHalfEven(double value);

/// Int: drops the fraction towards minus infinity.
double Int(double value);

/// Display width of a UTF-8 text as the GBK bytes count it: a character outside ASCII counts two columns.
int DisplayWidth(std::string_view text);

/// Trims blanks and tabs at both ends (the classic Trim).
std::string Trim(std::string_view text);

} // namespace vb
