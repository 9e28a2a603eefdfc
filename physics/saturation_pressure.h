#pragma once

namespace tarvel {

// Saturation vapour pressure of water in Pa at the temperature `temprature` in °C: over ice below
// 0 °C (Hyland–Wexler), by an exponential fit from 0 °C up to 30 °C, and by a fifth-degree
// polynomial from 30 °C upward. The branches are not blended: the value steps at 0 °C and 30 °C.
// Throws NumericFault for temperatures at or below absolute zero and on overflow.
double Pb(double temprature);

// The ice formula divides its ln T term by the natural logarithm of the literal kLiteralE
// (saturation_formula.h), not of e. This is that logarithm, correctly rounded (as the core's Log
// gives it, which a test checks), written out so that it is a constant from the start and no
// caller of Pb can run before it is set.
inline constexpr double kLnOfLiteralE = 0x1.fffffffe8ca4cp-1;  // 0.99999999983112664

}  // namespace tarvel
