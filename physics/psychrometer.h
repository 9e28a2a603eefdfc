#pragma once

#include "physics/checked_arithmetic.h"

namespace tarvel {

// The psychrometer equation, Pv = Psw − 1000·B·A·(t − tw)·(1 + 0.00115·tw), with the coefficient
// A = 0.000666 /°C over a wet wick (tw > 0) and 0.000594 /°C over ice (tw ≤ 0).

// Psychrometer coefficient in 1/°C: a wet wick above 0 °C, an iced one at 0 °C and below.
inline double PsychrometerCoefficient(double tw) {
  return tw > 0 ? 0.000666 : 0.000594;
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
  const double bpa = Mul(pressure_kpa, 1000);
  const double k1 = Mul(bpa, PsychrometerCoefficient(ccc));
  const double k2 = Mul(k1, Sub(bbb, ccc));
  const double f = Add(1, Mul(0.00115, ccc));
  return Sub(aaa, Mul(k2, f));
}

// The same equation solved for the dry bulb in °C: from the saturation pressure at the wet bulb
// `psw` (Pa), the vapour pressure of the air `pv` (Pa), the wet bulb `tw` (°C) and the pressure
// (kPa).
double DryBulbFromPsychrometer(double psw, double pv, double tw, double pressure_kpa);

}  // namespace tarvel
