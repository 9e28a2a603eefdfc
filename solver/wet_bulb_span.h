#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "physics/rounded_interval.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_table.h"
#include "solver/certified_steps.h"
#include "solver/search_residuals.h"

namespace tarvel {

// Certified temperatures for the wet-bulb search, when its solution lies on the fit's branch
// (0 °C to 30 °C): a span in which the search's steps are decided on the trial wet bulb m alone.
// `saturation_at_dry_bulb` is Pb at the residual's dry bulb (it starts the guess; any value is
// safe). Nothing when the inputs are outside the proof's domain or no temperature could be
// certified.
//
// Proof. For m in (0, 30) the psychrometer's factor is fixed, so the residual's chain computes,
// with k1 = (pressure · 1000) · 0.000666 and c = 0.00115 as the doubles they are, the real
// function R(m) = P(m) − k1 (t − m)(1 + c m) − pw, P the fit with its constants as doubles. R
// rises: P does, and the derivative of −k1 (t − m)(1 + c m) is k1 (1 + 2c m − c t) > 0 for
// k1 > 0 and t ≤ 800 < 1/c. The double r(m) the chain gives is within δ of R(m):
// - Pb(m) is within 2^−49.13 of P(m) (saturation_table.h), below 4241: 2^−37.08;
// - the product q = k2 · f, from t − m, k1 · (t − m), c · m, 1 + c m (below 1.0345) and the
//   product, is within 4.1u of Q = k1 (t − m)(1 + c m), |Q| ≤ k1 (|t| + 30) · 1.0345;
// - Pb − q rounds by at most u (4241 + |q|), the subtraction of pw by u (4241 + |q| + |pw|)
//   (u = 2^−53), so δ = 2^−37 + 2^−51 (6.5 k1 (|t| + 30) + 8500 + |pw|) bounds it all, the
//   doubled last term covering δ's own roundings.
// So for m ≤ τ in (0, 30), r(m) ≤ R(m) + δ ≤ R(τ) + δ ≤ r(τ) + 2δ, and for m ≥ τ,
// r(m) ≥ r(τ) − 2δ; with [L, U] the enclosure of r(τ) that the residual gives on the enclosure of
// Pb(τ) (EncloseFitByTable or EncloseSaturation), U + 2δ < −0.01 vouches for every m of (0, τ]
// being MoveLow, and L − 2δ > 0.01 for every m of [τ, 30) being MoveHigh (the sums rounded: RN(x) <
// y for a double y gives x < y). Nothing faults there: with pressure in (0, 2^20] kPa, |t| ≤ 800
// and |pw| ≤ 2^40 every value of the chain is moderate.
//
// The two temperatures are placed beyond the crossings of R with ∓0.01, found by a step of
// Halley's method and then Newton's on the fit's table, interpolated linearly (a guess: the
// certificate is the enclosure at each).
// Their distance from the guessed crossing covers the guess's error: four times the error the last
// Newton step leaves, and at least 2^−16 °C (the table's interpolation errs by a third of that), a
// fraction of the span of temperature that the tolerance accepts.
inline std::optional<CertifiedSpan> WetBulbSpan(const WetBulbResidual& residual,
                                                double saturation_at_dry_bulb) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  constexpr double kBranchEnd = 30;
  const double t = residual.t;
  const double pw = residual.pw;
  const double pressure = residual.pressure_kpa;
  // The search's bracket ends at t: with t at or below 0 °C no midpoint reaches the branch.
  if (!(pressure > 0 && pressure <= 0x1p20 && t > 0 && t <= 800 && std::fabs(pw) <= 0x1p40))
    return std::nullopt;
  const double width = kWetBulbTolerance.width;
  const double k1 = pressure * 1000 * 0.000666;
  const double c = 0.00115;
  const auto q = [&](double m) { return k1 * (t - m) * (1 + c * m); };
  const auto q_slope = [&](double m) { return -k1 * (1 + 2 * c * m - c * t); };
  // The solution lies on the branch only if R changes sign there (roughly: a guess).
  if (!(kFitSaturationTable[1] - q(0) - pw < 0 &&
        kFitSaturationTable[kFitTableSize - 2] - q(kBranchEnd) - pw > 0))
    return std::nullopt;

  // From the dry bulb, where R(t) = Pb(t) − pw: a first step of Halley's method with the fit's own
  // derivatives there, then Newton's method on the table until the step is small.
  double m = std::min(t, kBranchEnd);
  double step = 1;
  double slope = 1;
  int table_steps = 4;
  if (t < kBranchEnd) {
    const double inverse = 1 / (239.78 + t);
    const double x1 = 17.438 * 239.78 * inverse * inverse;  // x'(t)
    const double x2 = -2 * x1 * inverse;                    // x''(t)
    const double r = saturation_at_dry_bulb - pw;
    const double r1 = saturation_at_dry_bulb * x1 + k1 * (1 + c * t);
    const double r2 = saturation_at_dry_bulb * (x1 * x1 + x2) + 2 * k1 * c;
    step = 2 * r * r1 / (2 * r1 * r1 - r * r2);
    m = t - step;
    table_steps = 1;
  }
  // Newton's method converges quadratically: a step of size s leaves an error of about C·s²,
  // C = R''/(2R') < 0.05 on the branch, so a step below 2^−6 is the last one needed.
  for (int i = 0; i < table_steps || (std::fabs(step) > 0x1p-6 && i < 6); ++i) {
    m = std::clamp(m, 0.0, 29.99);
    const double scaled = m * kFitTableStepsPerDegree;
    const int j = static_cast<int>(scaled);
    const double s = scaled - j;
    const double w0 = kFitSaturationTable[j + 1];
    const double rise = kFitSaturationTable[j + 2] - w0;
    slope = rise * kFitTableStepsPerDegree - q_slope(m);
    step = (w0 + s * rise - q(m) - pw) / slope;
    m -= step;
  }
  if (!(slope > 0))
    return std::nullopt;

  const double delta =
      0x1p-37 + 0x1p-51 * (6.5 * k1 * (std::fabs(t) + kBranchEnd) + 8500 + std::fabs(pw));
  const double offset = std::max(0x1p-16, step * step / 4);
  const double low = m - width / slope - offset;
  const double high = m + width / slope + offset;
  CertifiedSpan span{std::numeric_limits<double>::min(), -kInfinity, kInfinity, kBranchEnd};
  // The table's enclosure first, the exponent's where that is not enough.
  const auto below = [&](double tau) {
    return tau > 0 && tau < kBranchEnd &&
           (residual(EncloseFitByTable(tau), tau).hi + 2 * delta < -width ||
            residual(EncloseSaturation(tau), tau).hi + 2 * delta < -width);
  };
  const auto above = [&](double tau) {
    return tau > 0 && tau < kBranchEnd &&
           (residual(EncloseFitByTable(tau), tau).lo - 2 * delta > width ||
            residual(EncloseSaturation(tau), tau).lo - 2 * delta > width);
  };
  if (below(low))
    span.move_low_to = low;
  if (above(high))
    span.move_high_from = high;
  if (span.move_low_to == -kInfinity && span.move_high_from == kInfinity)
    return std::nullopt;
  return span;
}

}  // namespace tarvel
