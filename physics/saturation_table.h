#pragma once

#include <algorithm>
#include <cstdint>

#include "physics/float_bits.h"
#include "physics/rounded_interval.h"
#include "physics/saturation_formula.h"

namespace tarvel {

// The saturation pressure of the exponential fit, Pb's branch from kExponentialFitFrom to below
// kPolynomialFrom, at every 1/32 °C from −1/32 °C to 30 + 1/32 °C: entry i is the fit at
// t = (i − 1)/32, bit for bit as Pb's formula computes it (made by physics/gen_saturation_table.py,
// which writes the constants it used beside the table, where the build compares them with the
// formula's; tests/saturation_enclosure_test.cpp checks every entry against the formula).
inline constexpr int kFitTableStepsPerDegree = 32;
inline constexpr int kFitTableSize =
    static_cast<int>(kPolynomialFrom - kExponentialFitFrom) * kFitTableStepsPerDegree + 3;
extern const double kFitSaturationTable[kFitTableSize];
static_assert(kExponentialFitFrom == 0, "entry i is the fit at (i − 1)/32 °C");

// What the proofs of the fit's filters take from its constants (here, in wet_bulb_span.h and in
// fit_certified_temperatures.h). P(t) = e^x(t), x(t) = A·t/(B + t) + C is the fit with A, B, C =
// kFitA, kFitB, kFitC as the doubles they are, Pb(t) its double on the branch, u = 2^−53.
//
// (F1) For t in [−0.04, 30.04] the quotient A·t/(B + t) lies below kFitQuotientBound in magnitude
//      and x(t) below 16. So the three roundings before Pb's quotient q leave it within 3.0001u|q|
//      < 2^−50.46 of A·t/(B + t), q + C rounds by at most 2^−50, so Pb's exponent is within η =
//      2^−49.22 of x(t), and Pb(t), the exponential rounded once, within ε = 2^−49.13 of P(t),
//      relative. So is each table entry.
inline constexpr double kFitQuotientBound = 1.95;
static_assert(kFitA * 30.04 / (kFitB + 30.04) < kFitQuotientBound &&
              kFitA * 0.04 / (kFitB - 0.04) < kFitQuotientBound && kFitC + kFitQuotientBound < 16);
// (F2) P is convex wherever t < AB/2 − B: P'' = e^x (x'' + x'²), and x'' + x'² =
//      AB(AB − 2(B + t))/(B + t)⁴. The table's span lies far below.
static_assert(kFitA * kFitB / 2 - kFitB > 31);
// (F3) x rises, with x' = AB/(B + t)² between kFitLeastSlope (on [0, 30.2]) and 0.0029·32 (on the
//      table's span): so P does, and neighbouring entries lie within 0.3 % of each other.
inline constexpr double kFitLeastSlope = 0.0573;
static_assert(kFitA * kFitB / ((kFitB + 30.2) * (kFitB + 30.2)) >= kFitLeastSlope &&
              kFitA * kFitB / ((kFitB - 0.04) * (kFitB - 0.04)) <=
                  0.0029 * kFitTableStepsPerDegree);
// (F4) Pb on the branch lies below kFitSaturationHighest (Pa): P(t) < P(30), and Pb(t) within ε
//      of it (a test checks P(30) with a margin).
inline constexpr double kFitSaturationHighest = 4250;

// An enclosure of Pb(t) for 0 ≤ t < 30 from the table alone, by the convexity of the fit.
inline RoundedInterval EncloseFitByTable(double t) {
  constexpr double kShifter = 0x1.8p52;
  constexpr double kFitTableWidening = 0x1p-44;
  // (1) t·32 is exact; j is t·32 rounded to the nearest integer (in a binade of unit spacing, as
  //     in ApproximateExp), 0 ≤ j ≤ 960; s = t·32 − j, |s| ≤ 1/2, is exact (Sterbenz, or j = 0).
  const double scaled = t * kFitTableStepsPerDegree;
  const double biased = scaled + kShifter;
  const std::uint64_t j = BitsOf(biased) - BitsOf(kShifter);
  const double s = scaled - (biased - kShifter);
  const double* w = &kFitSaturationTable[j];  // W_{j−1}, W_j, W_{j+1}
  // (2) The differences of neighbouring entries are exact: they lie within 1 % of each other (F3).
  const double below = w[1] - w[0];
  const double above = w[2] - w[1];
  // (3) With p_i = P(t_i), t = t_j + s/32: on the side of t_j where t lies, the chord lies above
  //     P, and the line through t_j and its other neighbour, extended, lies below (F2). They are
  //     p_j + s·(p_j − p_{j−1}) and p_j + s·(p_{j+1} − p_j), which is which by the sign of s: P(t)
  //     lies between the two.
  // (4) Taken on the entries W_i = p_i (1 ± ε) instead (F1), l1 and l2 move those bounds by at
  //     most 2.03ε of themselves (the weights are at most 3/2 and 1/2, and the lines lie within
  //     0.3 % of W_j, (F3)); so Pb(t) lies in [min(l1, l2)·(1 − 3.04ε), max(l1, l2)·(1 + 2.01ε)].
  //     Each l rounds twice, by less than 2.001u of itself.
  const double l1 = w[1] + s * below;
  const double l2 = w[1] + s * above;
  // (5) The widening 2^−44 exceeds 3.04ε + 3.01u (< 2^−47.3), so the widened ends, rounded once
  //     more, lie beyond.
  return {std::min(l1, l2) * (1 - kFitTableWidening), std::max(l1, l2) * (1 + kFitTableWidening)};
}

}  // namespace tarvel
