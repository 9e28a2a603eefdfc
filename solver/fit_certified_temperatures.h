#pragma once

#include <algorithm>
#include <limits>

#include "physics/elementary/approximate_log.h"
#include "physics/saturation_branches.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_table.h"

namespace tarvel {

// Certified temperatures on the fit's branch, [0 °C, 30 °C): around the crossing of a threshold p
// on the saturation pressure (p1 or p3 of saturation_thresholds.h), a temperature `below` such
// that every m of the branch up to it has Pb(m) ≤ p, and one `above` such that every m of the
// branch from it on has Pb(m) > p. −∞ and +∞ certify nothing. A step of a search at such an m
// then costs a comparison of m.
struct FitCrossing {
  double below;
  double above;
};

// δ: the certified temperatures' distance from the guessed crossing, far beyond the guess's error
// and still a tiny part of any tolerance's span of temperature.
inline constexpr double kGuessOffset = 0x1p-38;

// The crossing of p, from center = ApproximateLog(c) for the c of p (saturation_thresholds.h).
//
// Notation: x(t) = A·t/(B + t) + C the fit's exponent with its constants as the doubles they are,
// Q = kFitQuotientBound, u = 2^−53. What the proof uses:
// - Pb's exponent at m in [0, 30) is within η = 2^−49.22 of x(m), and x rises with
//   x' ≥ kFitLeastSlope on [0, 30.2] (saturation_table.h (F1), (F3));
// - |center − ln c| ≤ α = 2^−46.5 (ApproximateLog), and ln c − 2^−51 ≤ ln p,
//   ln next(p) ≤ ln c + 2^−52 (saturation_thresholds.h (2));
// - an exponent at most ln p gives Pb(m) ≤ p, one at least ln next(p) gives Pb(m) > p
//   (saturation_log_bounds.h (1)).
inline FitCrossing CertifiedAround(double center) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  constexpr double kAlpha = elementary::kApproximateLogError;
  constexpr double kEta = 0x1p-49;  // above η
  // (1) For center in [C, C + Q] ⊂ [C/2, 2C], y = center − C is exact (Sterbenz).
  static_assert(kFitC + kFitQuotientBound <= 2 * kFitC);
  const double y = center - kFitC;
  if (y >= 0 && y <= kFitQuotientBound) {
    // (2) t* = B·y/(A − y) lies in [0, 30.19], with x(t*) = center. The guess, three roundings,
    //     is within 3.0001u·t* < 1.5 · 2^−47 of t*.
    static_assert(kFitB * kFitQuotientBound / (kFitA - kFitQuotientBound) <= 30.19 &&
                  3.0001 * 30.19 * 0x1p-53 < 0x1.8p-47);
    const double guess = kFitB * y / (kFitA - y);
    // (3) guess ∓ δ (below 32) round by at most 2^−49: below ≤ t* − d and above ≥ t* + d with
    //     d = δ − 1.5 · 2^−47 − 2^−49 > 0.9961δ.
    static_assert(kGuessOffset - 0x1.8p-47 - 0x1p-49 > 0.9961 * kGuessOffset);
    const double below = guess - kGuessOffset;
    const double above = guess + kGuessOffset;
    // (4) By the least slope, at m ≤ below Pb's exponent is at most center − 0.0573·d + η ≤
    //     ln c + α − 2^−42.14 + η, below ln c − 2^−51 ≤ ln p; at m ≥ above at least
    //     ln c − α + 2^−42.14 − η, above ln c + 2^−52 ≥ ln next(p).
    static_assert(kFitLeastSlope * 0.9961 * kGuessOffset > kAlpha + kEta + 0x1p-51);
    // (5) Below is cut to the branch's last double; an end that leaves the branch certifies
    //     nothing.
    return {below >= kExponentialFitFrom ? std::min(below, kFitLast) : -kInfinity,
            above < kPolynomialFrom ? above : kInfinity};
  }
  // (6) y > Q: every m of the branch has x(m) < x(30) ≤ C + Q − 0.01 < center − 0.01 (y rounds by
  //     at most 2^−47 below 64; +∞ stands for a p above every Pb of the branch), so Pb's exponent
  //     lies below ln p: the whole branch is at or below p.
  static_assert(kFitA * kPolynomialFrom / (kFitB + kPolynomialFrom) <= kFitQuotientBound - 0.01);
  if (y > kFitQuotientBound)
    return {kFitLast, kInfinity};
  // (7) y ≤ −2^−40: center ≤ C − 2^−40, and every m of the branch has x(m) ≥ C, so Pb's exponent
  //     is at least C − η, above ln next(p) ≤ center + α + 2^−52 (−∞ stands for a p below every
  //     Pb): the whole branch lies above p.
  static_assert(0x1p-40 > kAlpha + kEta + 0x1p-52);
  if (y <= -0x1p-40)
    return {-kInfinity, kExponentialFitFrom};
  return {-kInfinity, kInfinity};  // otherwise (and for NaN) nothing is certified
}

}  // namespace tarvel
