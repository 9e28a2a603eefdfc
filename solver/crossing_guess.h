#pragma once

#include <algorithm>
#include <cmath>

#include "physics/saturation_slope.h"

namespace tarvel {

// Where a search's residual R crosses 0, about: the guess m, R's slope there, and how far beyond
// the tolerance's crossings a certified temperature must stay to be clear of the guess's error.
// Only the certificates vouch for anything.
struct CrossingGuess {
  double m;
  double slope;
  double offset;

  // The temperatures just below and just above the span where |R| is within `width`: the linear
  // estimate h = width/slope, widened by the guess's offset and by R's curvature, taken below a
  // quarter of the slope beside the crossing (h²/4 more).
  double Below(double width) const {
    const double h = width / slope;
    return m - h - h * h / 4 - offset;
  }
  double Above(double width) const {
    const double h = width / slope;
    return m + h + h * h / 4 + offset;
  }
};

// A step of Halley's method from `start`, where R and its first two derivatives are given, then
// Newton's method on `residual` (a ValueAndSlope of R at m, with Pb approximately) within
// [lo, hi], until a step is below 2^−9 °C (six steps at most). R convex near its crossing, with
// |R''/(2R')| < 1/4 there, leaves an error below a quarter of the last step squared, which the
// offset covers; it is at least 2^−24 °C for the approximations' own error.
template <typename Residual>
CrossingGuess RefineCrossing(const Residual& residual, double start, double r0, double r1,
                             double r2, double lo, double hi) {
  double m = start - 2 * r0 * r1 / (2 * r1 * r1 - r0 * r2);
  double step = 1;
  ValueAndSlope at{0, r1};
  for (int i = 0; i < 6 && std::fabs(step) > 0x1p-9; ++i) {
    m = std::clamp(m, lo, hi);
    at = residual(m);
    step = at.value / at.slope;
    m -= step;
  }
  return {m, at.slope, std::max(0x1p-24, step * step / 4)};
}

}  // namespace tarvel
