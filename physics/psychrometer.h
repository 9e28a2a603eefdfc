#pragma once

namespace tarvel {

// The psychrometer equation, Pv = Psw − 1000·B·A·(t − tw)·(1 + 0.00115·tw), with the coefficient
// A = 0.000666 /°C over a wet wick (tw > 0) and 0.000594 /°C over ice (tw ≤ 0).

// Vapour pressure of the air in Pa from the saturation pressure at the wet bulb `aaa` (Pa), the
// dry bulb `bbb` (°C), the wet bulb `ccc` (°C) and the atmospheric pressure `pressure_kpa` (kPa,
// as read from the pressure field).
double Pv1(double aaa, double bbb, double ccc, double pressure_kpa);

// The same equation solved for the dry bulb in °C: from the saturation pressure at the wet bulb
// `psw` (Pa), the vapour pressure of the air `pv` (Pa), the wet bulb `tw` (°C) and the pressure
// (kPa).
double DryBulbFromPsychrometer(double psw, double pv, double tw, double pressure_kpa);

}  // namespace tarvel
