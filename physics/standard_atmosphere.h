#pragma once

namespace tarvel {

// The pressure of the standard atmosphere at an altitude, for a pressure field when only the
// height above sea level is known: p = 101.325 · (1 − 2.25577 × 10⁻⁵ · Z)^5.2559 kPa, Z in metres.
namespace standard_atmosphere {

// The pressure at sea level, kPa.
inline constexpr double kSeaLevelPressure = 101.325;
// The temperature lapse rate over the sea-level temperature, 0.0065 K/m / 288.15 K, per metre.
inline constexpr double kLapseOverSeaLevelTemperature = 2.25577e-5;
// g · M / (R · L): gravity times the molar mass of air over the gas constant times the lapse rate.
inline constexpr double kPressureExponent = 5.2559;

}  // namespace standard_atmosphere

// The standard atmosphere's pressure in kPa at `metres` above sea level (negative below it). The
// power is e^(5.2559 · ln(1 − 2.25577 × 10⁻⁵ · Z)) with the core's correctly rounded exp and ln and
// every operation rounded in that order, so the value is the same bits on every machine. 0 at
// Z = 1 / 2.25577 × 10⁻⁵ (about 44 331 m), NaN above it, where the formula has no value, and for
// a NaN altitude.
double PressureAtAltitude(double metres);

}  // namespace tarvel
