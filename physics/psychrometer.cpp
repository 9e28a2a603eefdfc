#include "physics/psychrometer.h"

#include "physics/checked_arithmetic.h"

namespace tarvel {
namespace {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

}  // namespace

double DryBulbFromPsychrometer(double psw, double pv, double tw, double pressure_kpa) {
  const double k1 = Mul(Pascal(pressure_kpa), PsychrometerCoefficient(tw));
  const double f = Add(Mul(tw, kWetBulbFactor), 1);
  double x = Sub(psw, pv);
  x = Div(x, k1);
  x = Div(x, f);
  return Add(tw, x);
}

}  // namespace tarvel
