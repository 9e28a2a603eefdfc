#pragma once

#include "physics/elementary/approximate_exp.h"
#include "physics/elementary/approximate_log.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_pressure.h"

namespace tarvel {

// Pb and its slope on each branch, approximately, in plain double arithmetic: for the searches'
// guesses of where their residual crosses a tolerance, which an enclosure then certifies or not.
// Nothing here is proven, and a result for t outside [−140, 200] °C means nothing.

struct ValueAndSlope {
  double value;
  double slope;  // per °C
};

// The ice formula's exponent F(t + K0) and its slope.
inline ValueAndSlope ApproximateIceExponent(double t) {
  const double T = t + kKelvinOffset;
  const double r = 1 / T;
  const double T2 = T * T;
  const double c7 = kIceC7 / kLnOfLiteralE;
  const double exponent = kIceC1 * r + kIceC2 + kIceC3 * T + kIceC4 * T2 + kIceC5 * T2 * T +
                          kIceC6 * T2 * T2 + c7 * elementary::ApproximateLog(T);
  const double slope =
      -kIceC1 * r * r + kIceC3 + 2 * kIceC4 * T + 3 * kIceC5 * T2 + 4 * kIceC6 * T2 * T + c7 * r;
  return {exponent, slope};
}

// The polynomial and its slope.
inline ValueAndSlope ApproximatePolynomial(double t) {
  const double value =
      kPolynomialA0 +
      t * (kPolynomialA1 +
           t * (kPolynomialA2 + t * (kPolynomialA3 + t * (kPolynomialA4 + t * kPolynomialA5))));
  const double slope =
      kPolynomialA1 +
      t * (2 * kPolynomialA2 +
           t * (3 * kPolynomialA3 + t * (4 * kPolynomialA4 + t * 5 * kPolynomialA5)));
  return {value, slope};
}

// Pb(t) and dPb/dt on t's branch.
inline ValueAndSlope ApproximateSaturation(double t) {
  if (t >= kPolynomialFrom)
    return ApproximatePolynomial(t);
  if (t >= kExponentialFitFrom) {
    const double r = 1 / (kFitB + t);
    const double p = elementary::ApproximateExp(kFitA * t * r + kFitC);
    return {p, p * kFitA * kFitB * r * r};
  }
  const ValueAndSlope s = ApproximateIceExponent(t);
  const double p = elementary::ApproximateExp(s.value);
  return {p, p * s.slope};
}

// The temperature on the fit's branch whose fit value is e^y (y about ln p), by inverting the fit:
// a start for the guesses on every branch, the ice formula and the polynomial lying within a few
// degrees of the fit continued beyond its branch.
inline double FitInverse(double y) {
  const double x = y - kFitC;
  return kFitB * x / (kFitA - x);
}

}  // namespace tarvel
