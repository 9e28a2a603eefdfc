#pragma once

// The elementary functions of the property model, each correctly rounded: the result is the double
// nearest to the exact mathematical value, ties to even, for every double argument, subnormal
// results and overflow to infinity included. So a result depends on its argument alone, not on
// the CPU, the C library or the compiler, and the desktop and the browser agree to the last bit.
namespace tarvel::elementary {

// e^x. Infinite when the result overflows, 0 when it rounds to zero.
double Exp(double x);

// The natural logarithm: −∞ for ±0, NaN for negative x and NaN.
double Log(double x);

}  // namespace tarvel::elementary

// x^n for n from 2 to 5, rounded once from the exact power: IntegerPower.
#include "physics/elementary/integer_power.h"
