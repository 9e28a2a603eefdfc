#pragma once

#include <cmath>
#include <optional>

#include "physics/checked_arithmetic.h"

namespace tarvel {

// Bisection on a trial dry bulb m (°C) for the pairs that do not give the dry bulb. `residual(m)`
// is 0 at the solution and rises with m; the search relies on that sign and never tests it. It
// succeeds with the first midpoint whose residual is below 0.01 in magnitude (Pa or kJ/kg, the
// residual's unit) — not refined further — and fails after 1000 midpoints. A bracket that does not
// hold the solution closes in on one end and fails the same way.
template <typename Residual>
std::optional<double> BisectDryBulb(double lo, double hi, Residual&& residual) {
  constexpr int kMaxMidpoints = 1000;
  constexpr double kTolerance = 0.01;
  for (int n = 0; n < kMaxMidpoints; ++n) {
    const double mid = checked::Div(checked::Add(lo, hi), 2);
    const double r = residual(mid);
    if (std::fabs(r) < kTolerance)
      return mid;
    if (r >= 0) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  return std::nullopt;
}

}  // namespace tarvel
