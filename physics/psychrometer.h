#pragma once

#include "physics/checked_arithmetic.h"
#include "physics/pascal.h"

namespace tarvel {

// The psychrometer equation, Pv = Psw − Bpa·A·(t − tw)·(1 + k·tw), Bpa the pressure in Pa, with
// the coefficient A of a wet wick above 0 °C and of an iced one at 0 °C and below.

// A in 1/°C: over a wet wick (tw > 0) and over an iced one (tw ≤ 0).
inline constexpr double kWetWickCoefficient = 0.000666;
inline constexpr double kIcedWickCoefficient = 0.000594;
// k in 1/°C: the pressure term carries the factor (1 + k·tw).
inline constexpr double kWetBulbFactor = 0.00115;

inline double PsychrometerCoefficient(double tw) {
  return tw > 0 ? kWetWickCoefficient : kIcedWickCoefficient;
}

// Vapour pressure of the air in Pa from the saturation pressure at the wet bulb `aaa` (Pa), the
// dry bulb `bbb` (°C), the wet bulb `ccc` (°C) and the atmospheric pressure `pressure_kpa` (kPa,
// as read from the pressure field). `aaa` may also be an enclosure of the saturation pressure
// (physics/rounded_interval.h), which gives an enclosure of the result.
template <typename Pressure>
auto Pv1(const Pressure& aaa, double bbb, double ccc, double pressure_kpa) {
  using checked::Add;
  using checked::Mul;
  using checked::Sub;
  const double bpa = Pascal(pressure_kpa);
  const double k1 = Mul(bpa, PsychrometerCoefficient(ccc));
  const double k2 = Mul(k1, Sub(bbb, ccc));
  const double f = Add(1, Mul(kWetBulbFactor, ccc));
  return Sub(aaa, Mul(k2, f));
}

// The same equation solved for the dry bulb in °C: from the saturation pressure at the wet bulb
// `psw` (Pa), the vapour pressure of the air `pv` (Pa), the wet bulb `tw` (°C) and the pressure
// (kPa).
double DryBulbFromPsychrometer(double psw, double pv, double tw, double pressure_kpa);

}  // namespace tarvel
