#pragma once

namespace tarvel {

// Closed-form relations between the state variables of moist air. Units: t dry bulb °C, phi
// relative humidity %, d moisture content g/kg dry air, dk moisture content kg/kg dry air, h
// enthalpy kJ/kg dry air, pv vapour pressure Pa, ps saturation pressure at the dry bulb Pa, and
// pressure_kpa the atmospheric pressure in kPa as read from the pressure field (every relation
// forms the pressure in Pa as its own rounded product pressure_kpa × 1000).
//
// Each relation evaluates its operations in one fixed order. Several look like compositions of the
// others but are not: they divide or scale in another order, and the last bit differs. Callers use
// the form that is named for them; do not "simplify" one into another.

// d = (pv × 622) / (Bpa − pv)
double MoistureFromPv(double pv, double pressure_kpa);

// d = (((phi × 622) / 100) × ps) / (Bpa − ((phi / 100) × ps))
double MoistureFromRelHumidity(double phi, double ps, double pressure_kpa);

// pv = (Bpa × d) / (d + 622)
double PvFromMoisture(double d, double pressure_kpa);

// phi = (((Bpa × d) / ps) / (d + 622)) × 100 — divides by ps before (d + 622).
double RelHumidityFromMoisture(double d, double ps, double pressure_kpa);

// pv = (phi × ps) / 100
double PvFromRelHumidityA(double phi, double ps);
// pv = (phi / 100) × ps
double PvFromRelHumidityB(double phi, double ps);

// phi = (pv / ps) × 100
double RelHumidityFromPv(double pv, double ps);

// ps = (pv / phi) × 100
double SaturationFromRelHumidity(double pv, double phi);

// h = ((1.84 × t) + 2500) × dk + (1.005 × t), with the moisture content dk in kg/kg.
double EnthalpyFromMoistureRatio(double t, double dk);
// h = ((1.84 × t) + 2500) × (d / 1000) + (1.005 × t)
double EnthalpyFromMoisture(double t, double d);

// d = ((h − (1.005 × t)) × 1000) / ((1.84 × t) + 2500)
double MoistureFromEnthalpy(double h, double t);

}  // namespace tarvel
