#include "physics/moist_air.h"

#include "physics/checked_arithmetic.h"

namespace tarvel {
namespace {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

// The pressure field holds kPa; every relation works in Pa from this one rounded product.
double Pascal(double pressure_kpa) {
  return Mul(pressure_kpa, 1000);
}

}  // namespace

double MoistureFromPv(double pv, double pressure_kpa) {
  const double n = Mul(pv, 622);
  const double m = Sub(Pascal(pressure_kpa), pv);
  return Div(n, m);
}

double MoistureFromRelHumidity(double phi, double ps, double pressure_kpa) {
  // The numerator and the denominator form phi·ps/100 in different orders on purpose.
  const double n = Mul(Div(Mul(phi, 622), 100), ps);
  const double m = Sub(Pascal(pressure_kpa), Mul(Div(phi, 100), ps));
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

double PvFromRelHumidityB(double phi, double ps) {
  return Mul(Div(phi, 100), ps);
}

double RelHumidityFromPv(double pv, double ps) {
  return Mul(Div(pv, ps), 100);
}

double SaturationFromRelHumidity(double pv, double phi) {
  return Mul(Div(pv, phi), 100);
}

double EnthalpyFromMoistureRatio(double t, double dk) {
  const double vapour = Add(Mul(1.84, t), 2500);
  return Add(Mul(vapour, dk), Mul(1.005, t));
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
