#pragma once

#include <limits>

#include "physics/elementary/approximate_log.h"
#include "physics/saturation_enclosure.h"

namespace tarvel {

// Bounds of the logarithm of a threshold p on the saturation pressure (saturation_thresholds.h),
// for the branches where Pb is Exp(s), the correctly rounded exponential of an exponent s: from
// 0 °C the fit's, below 0 °C the ice formula's.
//
// (1) Exp rounds e^s to nearest and p is a double, so s ≤ ln p gives Pb ≤ p, and s ≥ ln next(p)
//     gives Pb ≥ next(p) > p. So a bound `lower` ≤ ln p and a bound `upper` ≥ ln next(p) decide
//     every exponent outside (lower, upper).
struct LogBounds {
  double lower;   // at most ln p
  double center;  // about ln p: ApproximateLog(c)
  double upper;   // at least ln next(p)

  // β: the bounds' distance from the approximate logarithm.
  static constexpr double kWidening = 0x1p-44;

  // The bounds for a threshold p from its c, for which ln c − 2^−51 ≤ ln p and
  // ln next(p) ≤ ln c + 2^−52 (saturation_thresholds.h (2)).
  static LogBounds Of(double c) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    // (2) Every Pb of the enclosures' domain lies within [2^−60, 2^60]: a threshold beyond it lies
    //     beyond every Pb, and −∞ or +∞ says so without a logarithm.
    static_assert(kIceSaturationRange.lo >= elementary::kApproximateLogLowest &&
                  kPolynomialSaturationRange.hi <= elementary::kApproximateLogHighest &&
                  kFitSaturationHighest <= elementary::kApproximateLogHighest);
    if (c < elementary::kApproximateLogLowest)
      return {-kInfinity, -kInfinity, -kInfinity};
    if (c > elementary::kApproximateLogHighest)
      return {kInfinity, kInfinity, kInfinity};
    // (3) y is within α = kApproximateLogError (2^−46.5) of ln c, and |y| < 42; so y ∓ β (below 64)
    //     round by at most 2^−48.
    const double y = elementary::ApproximateLog(c);
    // (4) lower = RN(y − β) ≤ y − β + 2^−48 ≤ ln c − 2^−51 ≤ ln p, and
    //     upper = RN(y + β) ≥ y + β − 2^−48 ≥ ln c + 2^−52 ≥ ln next(p), as β exceeds
    //     α + 2^−48 + 2^−51.
    static_assert(kWidening > elementary::kApproximateLogError + 0x1p-48 + 0x1p-51);
    return {y - kWidening, y, y + kWidening};
  }
};

}  // namespace tarvel
