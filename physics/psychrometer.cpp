#include "physics/psychrometer.h"

#include "physics/checked_arithmetic.h"

namespace tarvel {
namespace {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

// Psychrometer coefficient in 1/°C: a wet wick above 0 °C, an iced one at 0 °C and below.
double Coefficient(double tw) {
  return tw > 0 ? 0.000666 : 0.000594;
}

}  // namespace

double Pv1(double aaa, double bbb, double ccc, double pressure_kpa) {
  const double bpa = Mul(pressure_kpa, 1000);
  const double k1 = Mul(bpa, Coefficient(ccc));
  const double k2 = Mul(k1, Sub(bbb, ccc));
  const double f = Add(1, Mul(0.00115, ccc));
  return Sub(aaa, Mul(k2, f));
}

double DryBulbFromPsychrometer(double psw, double pv, double tw, double pressure_kpa) {
  const double k1 = Mul(Mul(pressure_kpa, 1000), Coefficient(tw));
  const double f = Add(Mul(tw, 0.00115), 1);
  double x = Sub(psw, pv);
  x = Div(x, k1);
  x = Div(x, f);
  return Add(tw, x);
}

}  // namespace tarvel
