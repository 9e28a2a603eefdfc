#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

#include "physics/pascal.h"
#include "physics/psychrometer.h"
#include "physics/saturation_branches.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_slope.h"
#include "physics/saturation_table.h"
#include "solver/crossing_guess.h"
#include "solver/search_residuals.h"

namespace tarvel {

// Where the wet-bulb search will end, about: the wet bulb m at which the residual R
// (wet_bulb_span.h) crosses 0 (crossing_guess.h).

// R and its slope at m, with Pb approximately (saturation_slope.h).
inline ValueAndSlope ApproximateWetBulbResidual(const WetBulbResidual& r, double m) {
  const double k1 = Pascal(r.pressure_kpa) * PsychrometerCoefficient(m);
  const double c = kWetBulbFactor;
  const ValueAndSlope p = ApproximateSaturation(m);
  return {p.value - k1 * (r.t - m) * (1 + c * m) - r.pw, p.slope + k1 * (1 + 2 * c * m - c * r.t)};
}

// On the fit's branch, from the dry bulb, where R(t) = Pb(t) − pw: a first step of Halley's method
// with the fit's own derivatives there, then Newton's method on the table, interpolated linearly,
// until the step is small. Newton's method converges quadratically: a step of size s leaves an
// error of about C·s², C = R''/(2R') < 0.05 on the branch, so a step below 2^−6 is the last one
// needed; the table's interpolation errs by a third of 2^−16 °C.
inline CrossingGuess GuessWetBulbOnTheFit(const WetBulbResidual& r, double saturation_at_dry_bulb) {
  const double t = r.t;
  const double k1 = Pascal(r.pressure_kpa) * kWetWickCoefficient;
  const double c = kWetBulbFactor;
  const auto q = [&](double m) { return k1 * (t - m) * (1 + c * m); };
  const auto q_slope = [&](double m) { return -k1 * (1 + 2 * c * m - c * t); };
  double m = std::min(t, kPolynomialFrom);
  double step = 1;
  double slope = 1;
  int table_steps = 4;
  if (t < kPolynomialFrom) {
    const double inverse = 1 / (kFitB + t);
    const double x1 = kFitA * kFitB * inverse * inverse;  // x'(t)
    const double x2 = -2 * x1 * inverse;                  // x''(t)
    const double residual = saturation_at_dry_bulb - r.pw;
    const double r1 = saturation_at_dry_bulb * x1 + k1 * (1 + c * t);
    const double r2 = saturation_at_dry_bulb * (x1 * x1 + x2) + 2 * k1 * c;
    step = 2 * residual * r1 / (2 * r1 * r1 - residual * r2);
    m = t - step;
    table_steps = 1;
  }
  for (int i = 0; i < table_steps || (std::fabs(step) > 0x1p-6 && i < 6); ++i) {
    m = std::clamp(m, 0.0, 29.99);
    const double scaled = m * kFitTableStepsPerDegree;
    const int j = static_cast<int>(scaled);
    const double s = scaled - j;
    const double w0 = kFitSaturationTable[j + 1];
    const double rise = kFitSaturationTable[j + 2] - w0;
    slope = rise * kFitTableStepsPerDegree - q_slope(m);
    step = (w0 + s * rise - q(m) - r.pw) / slope;
    m -= step;
  }
  return {m, slope, std::max(0x1p-16, step * step / 4)};
}

// On the ice branch or the polynomial's: from `start`, where Pb is `saturation`. R is convex on
// each branch (P is, and so is −k1 (t − m)(1 + c m)).
inline CrossingGuess GuessWetBulbOnBranch(const WetBulbResidual& r, const SaturationBranch& branch,
                                          double start, double saturation) {
  const double t = r.t;
  const double k1 = Pascal(r.pressure_kpa) * PsychrometerCoefficient(start);
  const double c = kWetBulbFactor;
  const SlopeAndCurvature p = SaturationSlopes(start, saturation);
  return RefineCrossing([&](double m) { return ApproximateWetBulbResidual(r, m); }, start,
                        saturation - k1 * (t - start) * (1 + c * start) - r.pw,
                        p.slope + k1 * (1 + 2 * c * start - c * t), p.curvature + 2 * c * k1,
                        branch.first, branch.last);
}

// The branch of the search's solution, judged by the sign of R at the branches' ends, and the
// guess there. The search's bracket is [kLowestTemperature, t].
inline CrossingGuess GuessWetBulb(const WetBulbResidual& r, double saturation_at_dry_bulb) {
  const double t = r.t;
  const auto above_zero = [&](double m) { return ApproximateWetBulbResidual(r, m).value; };
  if (t > kExponentialFitFrom && above_zero(std::numeric_limits<double>::denorm_min()) < 0) {
    if (t < kPolynomialFrom || above_zero(kFitLast) >= 0)
      return GuessWetBulbOnTheFit(r, saturation_at_dry_bulb);
    return GuessWetBulbOnBranch(r, kPolynomialBranch, t, saturation_at_dry_bulb);
  }
  // Below the dry bulb, or below 0 °C where the ice branch ends at about its range's top.
  if (t < kExponentialFitFrom)
    return GuessWetBulbOnBranch(r, kIceBranch, t, saturation_at_dry_bulb);
  return GuessWetBulbOnBranch(r, kIceBranch, kIceBranch.last, kIceSaturationRange.hi);
}

}  // namespace tarvel
