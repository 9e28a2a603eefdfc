#pragma once

#include "physics/elementary/approximate_exp.h"
#include "physics/elementary/approximate_log.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_pressure.h"

namespace tarvel {

// Pb and its slope on each branch, approximately, in plain double arithmetic: for the searches'
// guesses of where their residual crosses a tolerance, which a proof or an enclosure then
// certifies. Only the ice exponent's value carries a proven bound, (E1); a result for t outside
// [−140, 200] °C means nothing.

struct ValueAndSlope {
  double value;
  double slope;  // per °C
};

struct SlopeAndCurvature {
  double slope;      // per °C
  double curvature;  // per °C²
};

// The ice formula's dF/dt and d²F/dt² at t, without its logarithm.
inline SlopeAndCurvature IceExponentSlopes(double t) {
  const double T = t + kKelvinOffset;
  const double r = 1 / T;
  const double c7 = kIceC7 / kLnOfLiteralE;
  const double slope = -kIceC1 * r * r + kIceC3 + 2 * kIceC4 * T + 3 * kIceC5 * T * T +
                       4 * kIceC6 * T * T * T + c7 * r;
  const double curvature =
      2 * kIceC1 * r * r * r + 2 * kIceC4 + 6 * kIceC5 * T + 12 * kIceC6 * T * T - c7 * r * r;
  return {slope, curvature};
}

// The ice formula's exponent and its slope dF/dT (= dF/dt), at T = t + K0 rounded as Pb rounds it
// (notation of saturation_enclosure.h: F, C1 to C7, LE = ln(kLiteralE), u = 2^−53).
// (E1) For t in [kEnclosureLowest, 0) the value is within kApproximateIceExponentError of F(T).
//      In units of 2^−48: c7·L, L = ApproximateLog(T) within 2^−46.5 of ln T (ln T < 5.62), and
//      c7 = C7/kLnOfLiteralE rounded, within 2u of C7/LE, so c7·L rounded within 12.1 + 3.0 + 1.5
//      of C7·ln T/LE (< 23.4); C1·r with r = 1/T rounded, |C1/T| < 42.7, within 2.7; the power
//      terms (each below 0.047, three roundings at most) within 0.1; the six sums, the partial
//      sums below 39 in magnitude (2^−48 each) and the last one below 18 (2^−49): 5.5. In all
//      24.9, below 2^−43.3.
// (E2) Its slope, IceExponentSlopes': the terms lie below 0.33 in magnitude and take four roundings
// at most; their sum,
//      five more: within 3.5u of the exact sum, which is F'(T) ≥ 0.081 (I2): within 2^−47 relative.
inline constexpr double kApproximateIceExponentError = 0x1p-43;
static_assert(-kIceC1 / 133 < 42.7 && kIceC7 / 0.99999999 * 5.62 < 23.4 && kKelvinOffset < 275);

inline ValueAndSlope ApproximateIceExponent(double t) {
  const double T = t + kKelvinOffset;
  const double r = 1 / T;
  const double T2 = T * T;
  const double c7 = kIceC7 / kLnOfLiteralE;
  const double exponent = kIceC1 * r + kIceC2 + kIceC3 * T + kIceC4 * T2 + kIceC5 * T2 * T +
                          kIceC6 * T2 * T2 + c7 * elementary::ApproximateLog(T);
  return {exponent, IceExponentSlopes(t).slope};
}

// The polynomial and its slope.
inline ValueAndSlope ApproximatePolynomial(double t) {
  const double value = PolynomialByHorner(t);
  const double slope =
      kPolynomialA1 +
      t * (2 * kPolynomialA2 +
           t * (3 * kPolynomialA3 + t * (4 * kPolynomialA4 + t * 5 * kPolynomialA5)));
  return {value, slope};
}

// dPb/dt and d²Pb/dt² at t on its branch, given Pb(t) = p (on the polynomial p is not needed).
inline SlopeAndCurvature SaturationSlopes(double t, double p) {
  if (t >= kPolynomialFrom) {
    const double curvature =
        2 * kPolynomialA2 +
        t * (6 * kPolynomialA3 + t * (12 * kPolynomialA4 + t * 20 * kPolynomialA5));
    return {ApproximatePolynomial(t).slope, curvature};
  }
  SlopeAndCurvature x{0, 0};  // of the exponent
  if (t >= kExponentialFitFrom) {
    const double r = 1 / (kFitB + t);
    x.slope = kFitA * kFitB * r * r;
    x.curvature = -2 * x.slope * r;
  } else {
    x = IceExponentSlopes(t);
  }
  return {p * x.slope, p * (x.curvature + x.slope * x.slope)};
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

}  // namespace tarvel
