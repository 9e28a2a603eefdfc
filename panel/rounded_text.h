#pragma once

#include <string>

namespace tarvel {

// x rounded to `decimals` places, 1 to 3 (the exact binary value of x, ties to even), written as
// FormatNumber writes its two: the shortest decimal form of the rounded double, '-' for negative
// values, '.' as the decimal point, no exponent, no trailing zeros, no decimal point for whole
// values and never "-0". FormatRounded(x, 2) is FormatNumber(x). For figures shown with more or
// fewer places than a field's two: a pressure in kPa to the pascal, a specific volume in m³/kg.
// A NaN or infinity is named as FormatNumber names it; `decimals` outside 1 to 3 is taken as the
// nearer end.
std::string FormatRounded(double x, int decimals);

}  // namespace tarvel
