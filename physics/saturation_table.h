#pragma once

#include <algorithm>
#include <cstdint>

#include "physics/float_bits.h"
#include "physics/rounded_interval.h"

namespace tarvel {

// The saturation pressure of the exponential fit, Pb's branch from 0 °C to below 30 °C, at every
// 1/32 °C from −1/32 °C to 30 + 1/32 °C: entry i is the fit at t = (i − 1)/32, bit for bit as Pb's
// formula computes it (made by physics/gen_saturation_table.py, checked against the formula by
// tests/saturation_enclosure_test.cpp).
inline constexpr int kFitTableStepsPerDegree = 32;
inline constexpr int kFitTableSize = 30 * kFitTableStepsPerDegree + 3;
extern const double kFitSaturationTable[kFitTableSize];

// An enclosure of Pb(t) for 0 ≤ t < 30 from the table alone, by the convexity of the fit.
//
// The fit with its constants as the doubles they are, P(t) = e^x(t), x(t) = A·t/(B + t) + C, is
// convex on the table's span: P'' = e^x (x'' + x'²), and x'' + x'² = AB (AB − 2(B + t))/(B + t)⁴ is
// positive for t < AB/2 − B ≈ 1851. Pb's double, and each table entry, is P within ε = 2^−49
// (relative): for |t| ≤ 30.04 the three roundings before the quotient q (|q| < 1.95) leave it
// within 3.0001u|q| < 2^−50.46 of A·t/(B + t), q + C (below 16) rounds by at most 2^−50, so x is
// within 2^−49.22 of x(t), and its exponential, rounded once, within 2^−49.13 of P(t) (u = 2^−53).
//
// With h = 1/32, j the grid point nearest to t, t = t_j + s·h, |s| ≤ 1/2, and p_i = P(t_i): on
// the side of t_j where t lies, the chord lies above P, and the line through t_j and its other
// neighbour, extended, lies below. Both lines are p_j + s·(p_j − p_{j−1}) and
// p_j + s·(p_{j+1} − p_j) (which is which depends on the sign of s), so P(t) lies between the two.
// Taken on the table's entries W_i = p_i (1 ± ε) instead, the two values l1, l2 move P's bounds by
// at most 2.03ε of themselves (the weights are at most 3/2 and 1/2, and the lines are within 0.3 %
// of W_j); so Pb(t) lies in [min(l1, l2)·(1 − 3.04ε), max(l1, l2)·(1 + 2.01ε)].
//
// The arithmetic: t·32 is exact; j is t·32 rounded to the nearest integer (in a binade of unit
// spacing, as in ApproximateExp), 0 ≤ j ≤ 960; s = t·32 − j is exact (Sterbenz, or j = 0),
// and so are the differences of neighbouring entries (within 1 % of each other). Each l rounds
// twice, by less than 2.001u of itself, and the widened ends once more: the widening
// w = kFitTableWidening = 2^−44 exceeds 3.04ε + 3.01u (< 2^−47.3), so the ends lie beyond.
inline RoundedInterval EncloseFitByTable(double t) {
  constexpr double kShifter = 0x1.8p52;
  constexpr double kFitTableWidening = 0x1p-44;
  const double scaled = t * kFitTableStepsPerDegree;
  const double biased = scaled + kShifter;
  const std::uint64_t j = BitsOf(biased) - BitsOf(kShifter);
  const double s = scaled - (biased - kShifter);
  const double* w = &kFitSaturationTable[j];  // W_{j−1}, W_j, W_{j+1}
  const double below = w[1] - w[0];
  const double above = w[2] - w[1];
  const double l1 = w[1] + s * below;
  const double l2 = w[1] + s * above;
  return {std::min(l1, l2) * (1 - kFitTableWidening), std::max(l1, l2) * (1 + kFitTableWidening)};
}

}  // namespace tarvel
