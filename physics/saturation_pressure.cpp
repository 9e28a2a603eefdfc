#include "physics/saturation_pressure.h"

#include "physics/checked_arithmetic.h"

namespace tarvel {
namespace {

using checked::Add;
using checked::Div;
using checked::Exp;
using checked::Log;
using checked::Mul;
using checked::Pow;

// Over liquid water from 30 °C up: a fifth-degree polynomial in t, summed left to right with each
// power from the general power function.
double PolynomialAbove30(double t) {
  double s = Add(610.8, Mul(44.442, t));
  s = Add(s, Mul(1.4133, Pow(t, 2)));
  s = Add(s, Mul(0.02768, Pow(t, 3)));
  s = Add(s, Mul(0.000255667, Pow(t, 4)));
  return Add(s, Mul(2.89166e-6, Pow(t, 5)));
}

// Over liquid water from 0 °C to 30 °C: a Magnus-type exponential fit.
double ExponentialFit(double t) {
  const double q = Div(Mul(17.438, t), Add(239.78, t));
  return Exp(Add(q, 6.4147));
}

// ln of the literal 2.718281828 (not of e itself): the ice formula divides its ln T term by it.
// Computed by the C library at start-up, like every other logarithm.
const double kLnOfE = Log(2.718281828);

// Over ice below 0 °C: the Hyland–Wexler formulation in kelvin. The logarithm is taken first, so a
// temperature at or below absolute zero faults before any other term is formed.
double HylandWexlerIce(double t) {
  const double T = Add(t, 273.15);
  const double ln_T = Log(T);
  double s = Div(-5674.5359, T);
  s = Add(s, 6.3925247);
  s = Add(s, Mul(-0.009677843, T));
  s = Add(s, Mul(6.2215701e-7, Pow(T, 2)));
  s = Add(s, Mul(2.0747825e-9, Pow(T, 3)));
  s = Add(s, Mul(-9.484024e-13, Pow(T, 4)));
  s = Add(s, Div(Mul(4.1635019, ln_T), kLnOfE));
  return Exp(s);
}

}  // namespace

double Pb(double temprature) {
  const double t = temprature;
  if (t >= 30)
    return PolynomialAbove30(t);
  if (t >= 0)
    return ExponentialFit(t);
  return HylandWexlerIce(t);
}

}  // namespace tarvel
