#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// Reads a number from free text the way the calculator reads every field, whatever the process
// locale: leading blanks, tabs and line feeds are skipped and blanks inside the number are
// ignored; an optional sign, decimal digits with '.' as the decimal point and an optional
// exponent (E or D, either case, sign, digits); or &H / &O followed by a hexadecimal or octal
// integer. Reading stops at the first character that cannot continue the number; text that holds
// no number reads as 0. The value is the double nearest to the decimal (or integer) read; a value
// too large for a double reads as an infinity of its sign, one too small as zero. Never fails.
double ParseNumber(std::string_view text);

// The text the calculator writes for a result: x rounded to two decimals (the exact binary value
// of x, ties to even), written as the shortest decimal form of the rounded double, '-' for
// negative values, '.' as the decimal point, no exponent, no trailing zeros, no decimal point for
// whole values and never "-0". x must be finite.
std::string FormatNumber(double x);

}  // namespace tarvel
