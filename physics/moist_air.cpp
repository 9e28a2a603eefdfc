#include "physics/moist_air.h"

#include "physics/checked_arithmetic.h"

namespace tarvel {
namespace {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

}  // namespace

double MoistureFromPv(double pv, double pressure_kpa) {
  const double n = Mul(pv, 622);
  const double m = Sub(Pascal(pressure_kpa), pv);
  return Div(n, m);
}

double PvFromMoisture(double d, double pressure_kpa) {
  const double n = Mul(Pascal(pressure_kpa), d);
  return Div(n, Add(d, 622));
}

double RelHumidityFromMoisture(double d, double ps, double pressure_kpa) {
  double x = Mul(Pascal(pressure_kpa), d);
  x = Div(x, ps);
  x = Div(x, Add(d, 622));
  return Mul(x, 100);
}

double PvFromRelHumidityA(double phi, double ps) {
  return Div(Mul(phi, ps), 100);
}

double RelHumidityFromPv(double pv, double ps) {
  return Mul(Div(pv, ps), 100);
}

double SaturationFromRelHumidity(double pv, double phi) {
  return Mul(Div(pv, phi), 100);
}

double EnthalpyFromMoisture(double t, double d) {
  return EnthalpyFromMoistureRatio(t, Div(d, 1000));
}

double MoistureFromEnthalpy(double h, double t) {
  const double n = Mul(Sub(h, Mul(1.005, t)), 1000);
  const double m = Add(Mul(1.84, t), 2500);
  return Div(n, m);
}

}  // namespace tarvel
