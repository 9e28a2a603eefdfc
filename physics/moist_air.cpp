#include "physics/moist_air.h"

#include "physics/checked_arithmetic.h"
#include "physics/saturation_formula.h"

namespace tarvel {
namespace {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

}  // namespace

double MoistureFromPv(double pv, double pressure_kpa) {
  const double n = Mul(pv, kMoistureFactor);
  const double m = Sub(Pascal(pressure_kpa), pv);
  return Div(n, m);
}

double PvFromMoisture(double d, double pressure_kpa) {
  const double n = Mul(Pascal(pressure_kpa), d);
  return Div(n, Add(d, kMoistureFactor));
}

double RelHumidityFromMoisture(double d, double ps, double pressure_kpa) {
  double x = Mul(Pascal(pressure_kpa), d);
  x = Div(x, ps);
  x = Div(x, Add(d, kMoistureFactor));
  return Mul(x, kPercent);
}

double PvFromRelHumidityA(double phi, double ps) {
  return Div(Mul(phi, ps), kPercent);
}

double RelHumidityFromPv(double pv, double ps) {
  return Mul(Div(pv, ps), kPercent);
}

double SaturationFromRelHumidity(double pv, double phi) {
  return Mul(Div(pv, phi), kPercent);
}

double EnthalpyFromMoisture(double t, double d) {
  return EnthalpyFromMoistureRatio(t, Div(d, kGramsPerKilogram));
}

double MoistureFromEnthalpy(double h, double t) {
  const double n = Mul(Sub(h, Mul(kDryAirHeatCapacity, t)), kGramsPerKilogram);
  const double m = Add(Mul(kVapourHeatCapacity, t), kVaporisationEnthalpy);
  return Div(n, m);
}

double DryBulbFromEnthalpy(double h, double d) {
  const double dk = Div(d, kGramsPerKilogram);
  return Div(Sub(h, Mul(kVaporisationEnthalpy, dk)),
             Add(kDryAirHeatCapacity, Mul(kVapourHeatCapacity, dk)));
}

double SpecificVolume(double t, double d, double pressure_kpa) {
  const double gas = Mul(kDryAirGasConstant, Add(t, kKelvinOffset));
  const double vapour = Add(1, Div(d, kMoistureFactor));
  return Div(Mul(gas, vapour), Pascal(pressure_kpa));
}

double DensityFromVolume(double d, double v) {
  return Div(Add(1, Div(d, kGramsPerKilogram)), v);
}

}  // namespace tarvel
