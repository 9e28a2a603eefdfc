#pragma once

#include "physics/checked_arithmetic.h"
#include "physics/pascal.h"

namespace tarvel {

// Closed-form relations between the state variables of moist air. Units: t dry bulb °C, phi
// relative humidity %, d moisture content g/kg dry air, dk moisture content kg/kg dry air, h
// enthalpy kJ/kg dry air, pv vapour pressure Pa, ps saturation pressure at the dry bulb Pa, and
// pressure_kpa the atmospheric pressure in kPa as read from the pressure field (every relation
// forms the pressure in Pa as its own rounded product, Pascal(pressure_kpa)).
//
// Each relation evaluates its operations in one fixed order. Several look like compositions of the
// others but are not: they divide or scale in another order, and the last bit differs. Callers use
// the form that is named for them; do not "simplify" one into another.
//
// The relations that the searches evaluate on a trial saturation pressure (or on a moisture
// content formed from one) are templates: given an enclosure of that value instead of a double
// (physics/rounded_interval.h), the same operations give an enclosure of the result.
//
// Their constants, each the double nearest to the decimal written; in the formulas below they
// stand as 622, 1000, 100, 1.005, 1.84 and 2500. The moisture content in g/kg of air whose vapour
// pressure is pv is 622·pv/(Bpa − pv), 1000 turns g/kg into kg/kg in the enthalpy and 100 a
// fraction into a percent; the enthalpy in kJ/kg dry air is 1.005·t for the dry air and
// (1.84·t + 2500)·dk for the vapour (heat capacities in kJ/(kg·K), enthalpy of vaporisation at
// 0 °C in kJ/kg).
inline constexpr double kMoistureFactor = 622, kGramsPerKilogram = 1000, kPercent = 100;
inline constexpr double kDryAirHeatCapacity = 1.005, kVapourHeatCapacity = 1.84,
                        kVaporisationEnthalpy = 2500;
// The gas constant of dry air, J/(kg·K), in the specific volume below (287).
inline constexpr double kDryAirGasConstant = 287;

// d = (pv × 622) / (Bpa − pv)
double MoistureFromPv(double pv, double pressure_kpa);

// d = (((phi × 622) / 100) × ps) / (Bpa − ((phi / 100) × ps))
// The numerator and the denominator form phi·ps/100 in different orders on purpose. Its factors
// that do not depend on ps can be formed once for many ps (they are the same doubles).
struct RelHumidityFactors {
  double numerator;  // (phi × 622) / 100
  double fraction;   // phi / 100
  double bpa;        // Bpa
};
inline RelHumidityFactors RelHumidityFactorsOf(double phi, double pressure_kpa) {
  using checked::Div;
  using checked::Mul;
  return {Div(Mul(phi, kMoistureFactor), kPercent), Div(phi, kPercent), Pascal(pressure_kpa)};
}
template <typename Pressure>
auto MoistureFromRelHumidity(const RelHumidityFactors& f, const Pressure& ps) {
  using checked::Div;
  using checked::Mul;
  using checked::Sub;
  const auto n = Mul(f.numerator, ps);
  const auto m = Sub(f.bpa, Mul(f.fraction, ps));
  return Div(n, m);
}
template <typename Pressure>
auto MoistureFromRelHumidity(double phi, const Pressure& ps, double pressure_kpa) {
  return MoistureFromRelHumidity(RelHumidityFactorsOf(phi, pressure_kpa), ps);
}

// pv = (Bpa × d) / (d + 622)
double PvFromMoisture(double d, double pressure_kpa);

// phi = (((Bpa × d) / ps) / (d + 622)) × 100 — divides by ps before (d + 622).
double RelHumidityFromMoisture(double d, double ps, double pressure_kpa);

// pv = (phi × ps) / 100
double PvFromRelHumidityA(double phi, double ps);
// pv = (phi / 100) × ps
template <typename Pressure>
auto PvFromRelHumidityB(double phi, const Pressure& ps) {
  using checked::Div;
  using checked::Mul;
  return Mul(Div(phi, kPercent), ps);
}

// phi = (pv / ps) × 100
double RelHumidityFromPv(double pv, double ps);

// ps = (pv / phi) × 100
double SaturationFromRelHumidity(double pv, double phi);

// h = ((1.84 × t) + 2500) × dk + (1.005 × t), with the moisture content dk in kg/kg.
template <typename Ratio>
auto EnthalpyFromMoistureRatio(double t, const Ratio& dk) {
  using checked::Add;
  using checked::Mul;
  const double vapour = Add(Mul(kVapourHeatCapacity, t), kVaporisationEnthalpy);
  return Add(Mul(vapour, dk), Mul(kDryAirHeatCapacity, t));
}
// h = ((1.84 × t) + 2500) × (d / 1000) + (1.005 × t)
double EnthalpyFromMoisture(double t, double d);

// d = ((h − (1.005 × t)) × 1000) / ((1.84 × t) + 2500)
double MoistureFromEnthalpy(double h, double t);

// t = (h − (2500 × dk)) / (1.005 + (1.84 × dk)), dk = d / 1000: the enthalpy relation solved for
// the dry bulb, the temperature along a line on which d and h change in proportion.
double DryBulbFromEnthalpy(double h, double d);

// v = ((287 × (t + 273.15)) × (1 + (d / 622))) / Bpa, m³ per kg of dry air: the ideal gas law
// for the dry air, with the vapour's share of the moles 1 + d/622. Raises a numeric fault for a
// result that is not finite (a pressure of zero).
double SpecificVolume(double t, double d, double pressure_kpa);

// rho = (1 + (d / 1000)) / v, kg of moist air per m³, from the specific volume v (m³/kg dry air).
double DensityFromVolume(double d, double v);

}  // namespace tarvel
