#pragma once

#include <cmath>

#include "physics/elementary/approximate_exp.h"
#include "physics/elementary/approximate_log.h"
#include "physics/rounded_interval.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_table.h"

namespace tarvel {

// Cheap enclosures of the saturation pressure, for the searches that only need to know on which
// side of a threshold Pb lies. Each is proven to contain the very double that Pb returns, so a
// decision taken on it is the decision Pb itself would give.

// The temperatures (°C) on which the enclosures are given; outside them, and for NaN, the
// enclosures are not finite. Pb faults only at or below absolute zero (−kKelvinOffset) and for
// temperatures whose fifth power overflows, far outside; every Pb value here is a normal number,
// within kIceSaturationRange.lo and kPolynomialSaturationRange.hi (below), and every exponent
// below well inside ±40.
inline constexpr double kEnclosureLowest = -140;
inline constexpr double kEnclosureHighest = 200;

// The correctly rounded elementary functions of Pb (physics/elementary), each replaced by an
// enclosure of its double result. SaturationFormula instantiated with these carries the rest of
// each branch through on enclosures (rounded_interval.h): Pb(t)'s double lies in the result.
struct EnclosingElementary {
  // IntegerPower(x, n), n = 2 to 5, for positive x in [2^−100, 2^100] (Pb uses it on t ≥ 30 and
  // on the kelvin temperature). n = 2 is the rounded product, as IntegerPower computes it. For
  // n ≥ 3, a = RN(RN(x²)·x), RN(RN(x²)²) or RN(RN(RN(x²)²)·x) is x^n (1 + e1)…(1 + ek), k ≤ 4,
  // |ei| ≤ u = 2^−53, so x^n lies in a·[(1 + u)^−4, (1 − u)^−4] and its rounding RN(x^n) in
  // a·[1 − 5u, 1 + 5.0001u]. The ends a·(1 ∓ 2^−50) = a·(1 ∓ 8u) round to a·(1 − 8u)(1 + u) at
  // most and a·(1 + 8u)(1 − u) at least, beyond both.
  static RoundedInterval Pow(double x, int n) {
    const double x2 = x * x;
    if (n == 2)
      return RoundedInterval::Point(x2);
    double a = x2 * x;
    if (n >= 4)
      a = x2 * x2;
    if (n == 5)
      a = a * x;
    if (!(x >= 0x1p-100 && x <= 0x1p100 && n <= 5))
      return {};
    return {a * (1 - kPowerWidening), a * (1 + kPowerWidening)};
  }

  // Log(x), the double nearest to ln x, for x in [2^−60, 2^60]: ApproximateLog(x) = y is within
  // α = kApproximateLogError (2^−46.5) of ln x, and ln x (below 64 in magnitude) within 2^−48 of
  // its rounding, so Log(x) lies in [y − α − 2^−48, y + α + 2^−48]. The ends y ∓ 2^−45 round by
  // at most 2^−48 and stay beyond: 2^−45 − 2^−48 > α + 2^−48.
  static RoundedInterval Log(double x) {
    if (!(x >= elementary::kApproximateLogLowest && x <= elementary::kApproximateLogHighest))
      return {};
    const double y = elementary::ApproximateLog(x);
    return {y - kLogWidening, y + kLogWidening};
  }

  // Exp(x), the double nearest to e^x, for |x| ≤ 40: ApproximateExp(x) = y = e^x (1 + ε) with
  // |ε| ≤ kApproximateExpError (2^−48), and Exp(x) = e^x (1 + e), |e| ≤ u, so Exp(x) lies in
  // y·[(1 − u)/(1 + ε), (1 + u)/(1 − ε)] ⊂ y·[1 − 2^−47.9, 1 + 2^−47.9]. The ends y·(1 ∓ 2^−46)
  // round to at most y·(1 − 2^−46)(1 + u) and at least y·(1 + 2^−46)(1 − u): beyond both. (y is a
  // normal number, above e^−41.)
  static RoundedInterval Exp(double x) { return Exp(RoundedInterval::Point(x)); }
  // The same for an enclosure of the argument: Exp is monotone, so Exp(x) for x in [lo, hi] lies
  // between the enclosures of Exp(lo) and Exp(hi).
  static RoundedInterval Exp(const RoundedInterval& x) {
    const double limit = elementary::kApproximateExpLimit;
    if (!(x.lo >= -limit && x.hi <= limit))
      return {};
    return {elementary::ApproximateExp(x.lo) * (1 - kExpWidening),
            elementary::ApproximateExp(x.hi) * (1 + kExpWidening)};
  }

  // The widenings of the three proofs above: each proven bound with the roundings it must
  // cover and a margin. tests/saturation_enclosure_test.cpp checks that each enclosure holds the
  // correctly rounded result on many arguments, which a widening 2^10 times smaller fails.
  static constexpr double kPowerWidening = 0x1p-50;
  static constexpr double kLogWidening = 0x1p-45;
  static constexpr double kExpWidening = 4 * elementary::kApproximateExpError;  // 2^−46
};

// An enclosure of Pb(t): its double lies in [lo, hi]. Not finite outside [kEnclosureLowest,
// kEnclosureHighest] (and for NaN).
RoundedInterval EncloseSaturation(double t);

// The polynomial over water in plain arithmetic, by Horner's scheme: a0 + t·(a1 + t·(a2 + …)).
inline double PolynomialByHorner(double t) {
  return kPolynomialA0 +
         t * (kPolynomialA1 +
              t * (kPolynomialA2 + t * (kPolynomialA3 + t * (kPolynomialA4 + t * kPolynomialA5))));
}

// Pb(t) from 30 °C on, enclosed from PolynomialByHorner(t), with no arithmetic on enclosures: a few
// times wider than EncloseSaturation's, and a third of its cost. With
// u = 2^−53 and P(t) = Σ ai·t^i exactly, the constants the doubles they are:
// (P1) For t > 0 every operand and every intermediate value of both evaluations is positive, so
//      each rounding multiplies what it rounds by some 1 + δ, |δ| ≤ u, and every term of P ends up
//      multiplied by the product of the factors of the roundings it passes through.
// (P2) Pb rounds each term at most six times: a1·t its product and five sums; a2·t² its power
//      (IntegerPower rounds once), its product and four sums; the others fewer. So Pb lies in
//      P·[(1 − u)^6, (1 + u)^6]. Horner's scheme rounds a5·t⁵ ten times, the others fewer: its
//      value v lies in P·[(1 − u)^10, (1 + u)^10]. So Pb/v lies within 16.01u of 1.
// (P3) The ends v·(1 ∓ 2^−48), 2^−48 = 32u, round to at most v·(1 − 32u)(1 + u) < v·(1 − 30.9u)
//      and at least v·(1 + 32u)(1 − u) > v·(1 + 30.9u): beyond Pb on both sides. v lies between
//      610 and 2·10^6 on the domain, far from overflow and the subnormal numbers.
inline constexpr double kPolynomialWidening = 0x1p-48;
static_assert(kPolynomialWidening * (1 - 0x1p-53) > 16.01 * 0x1p-53 + 0x1p-53);
inline RoundedInterval EnclosePolynomial(double t) {
  const double v = PolynomialByHorner(t);
  return {v * (1 - kPolynomialWidening), v * (1 + kPolynomialWidening)};
}

// An enclosure of the exponent s that Pb below 0 °C passes to its exponential, Pb(t) = Exp(s),
// for t in [kEnclosureLowest, kExponentialFitFrom); not finite for other t.
RoundedInterval EncloseIceExponent(double t);

// Pb on a whole branch of the enclosures' domain, for searches that can decide a step without
// looking closer.
//
// Below 0 °C, t in [kEnclosureLowest, 0): Pb(t) lies in kIceSaturationRange. With the ice
// formula's constants C1 to C7 = kIceC1 to kIceC7 as the doubles they are and LE = ln(kLiteralE),
// F(T) = C1/T + C2 + C3·T + C4·T² + C5·T³ + C6·T⁴ + C7·ln(T)/LE in the kelvin temperature T:
// (I1) T is the rounded t + kKelvinOffset, which rises with t, from 133.15 (t = −140) to
//      kKelvinOffset (t just below 0), within [133, 274].
// (I2) F rises on [133, 274]: F'(T) = −C1/T² + C3 + 2C4·T + 3C5·T² + 4C6·T³ + C7/(LE·T) is at
//      least −C1/274² + C7/274 + C3 + 4C6·274³ > 0.081 there (C1, C6 < 0 < C4, C5, C7; LE < 1).
// (I3) The exponent s that Pb computes from its double T is F(T) to within 2^−44: C1/T (below 43
//      in magnitude) and the five partial sums before the last (magnitudes 14 to 38) round by at
//      most 2^−48 each; C3·T by 2^−52; the three power terms (below 0.047) by less than 2^−56
//      with their powers; C7·Log(T)/LE by less than 2^−47.5 (Log(T) within 2^−51, C7 times it by
//      2^−49, the division by 2^−49); the last sum (below 32 in magnitude) by 2^−49: in all below
//      8.1 · 2^−48 < 2^−44.9.
// (I4) So for every such t, s lies within 2^−43 of the range of the exponents at the two ends,
//      and Pb(t) within a factor 1 ± 2^−42.9 of the range of Pb(−140) = 3.6265541125e-8 and
//      Pb(−1e-300) = 611.1535733014; the range below holds those with room to spare (tests check
//      its ends against Pb with a margin of 2^−40).
static_assert(kEnclosureLowest + kKelvinOffset >= 133 && kKelvinOffset <= 274);  // (I1)
static_assert(kIceC1 < 0 && kIceC6 < 0 && kIceC4 > 0 && kIceC5 > 0 && kIceC7 > 0 &&
              kLiteralE < 2.7182818284590452);
static_assert(-kIceC1 / (274.0 * 274) + kIceC7 / 274 + kIceC3 + 4 * kIceC6 * 274 * 274 * 274 >
              0.081);  // (I2)
static_assert(-kIceC1 / 133 < 43 && kIceC4 * 274 * 274 < 0.047 &&
              kIceC5 * 274 * 274 * 274 < 0.047 && -kIceC6 * 274 * 274 * 274 * 274 < 0.047);  // (I3)
//
// From 30 °C, t in [kPolynomialFrom, kEnclosureHighest]: Pb(t) lies in
// kPolynomialSaturationRange. There Pb is a sum of products of positive constants with correctly
// rounded powers of t > 0; every operation of it is monotone, so Pb itself rises with t, from
// Pb(30) to Pb(200) (tests check the ends).
static_assert(kPolynomialA0 > 0 && kPolynomialA1 > 0 && kPolynomialA2 > 0 && kPolynomialA3 > 0 &&
              kPolynomialA4 > 0 && kPolynomialA5 > 0 && kPolynomialFrom > 0);
inline constexpr RoundedInterval kIceSaturationRange = {3.6265e-8, 611.1536};
inline constexpr RoundedInterval kPolynomialSaturationRange = {4240.7476, 1621869.7};

// A first, cheaper enclosure of Pb(t) on the same domain: on the fit's branch by the table
// (EncloseFitByTable), on the polynomial's by Horner's scheme (EnclosePolynomial), below 0 °C the
// branch's range. Each decides all but the steps within a few dozen ulps of Pb from a threshold,
// the ice branch's range the steps far from it. Not finite outside the domain.
inline RoundedInterval QuickSaturationEnclosure(double t) {
  if (t >= kPolynomialFrom) {
    if (t <= kEnclosureHighest)
      return EnclosePolynomial(t);
    return {};
  }
  if (t >= kExponentialFitFrom)
    return EncloseFitByTable(t);
  if (t >= kEnclosureLowest)
    return kIceSaturationRange;
  return {};
}

}  // namespace tarvel
