#pragma once

namespace tarvel {

// Saturation vapour pressure of water in Pa at the temperature `temprature` in °C: over ice below
// 0 °C (Hyland–Wexler), by an exponential fit from 0 °C up to 30 °C, and by a fifth-degree
// polynomial from 30 °C upward. The branches are not blended: the value steps at 0 °C and 30 °C.
// Throws NumericFault for temperatures at or below absolute zero and on overflow.
double Pb(double temprature);

}  // namespace tarvel
