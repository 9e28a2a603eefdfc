#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "physics/pascal.h"
#include "physics/psychrometer.h"
#include "physics/rounded_interval.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_table.h"
#include "solver/certified_steps.h"
#include "solver/search_bounds.h"
#include "solver/search_residuals.h"

namespace tarvel {

// Certified temperatures for the wet-bulb search, when its solution lies on the fit's branch
// (0 °C to 30 °C): a span in which the search's steps are decided on the trial wet bulb m alone.
// `saturation_at_dry_bulb` is Pb at the residual's dry bulb (it starts the guess; any value is
// safe). Nothing when the inputs are outside the proof's domain or no temperature could be
// certified.
//
// Notation: A = kWetWickCoefficient, k = kWetBulbFactor, k1 = (pressure · 1000) · A and c = k as
// the doubles they are, P the fit (saturation_table.h), u = 2^−53.
// (1) For m in (0, 30) Pv1's coefficient is the wet wick's, so the residual's chain computes the
//     real function R(m) = P(m) − k1 (t − m)(1 + c m) − pw, rounded step by step.
// (2) R rises: P does, and the derivative of −k1 (t − m)(1 + c m) is k1 (1 + 2c m − c t) > 0 for
//     k1 > 0 and t ≤ kDomainDryBulb < 1/c.
// (3) The double r(m) the chain gives is within δ of R(m), with H = kFitSaturationHighest:
//     - Pb(m) is within 2^−49.13 of P(m) (F1), and below H (F4): within 2^−37;
//     - the product q = k2 · f, from t − m, k1 · (t − m), c · m, 1 + c m (below 1.0345) and the
//       product, is within 4.1u of Q = k1 (t − m)(1 + c m), |Q| ≤ k1 (|t| + 30) · 1.0345;
//     - Pb − q rounds by at most u (H + |q|), the subtraction of pw by u (H + |q| + |pw|);
//     so δ = 2^−37 + 2^−51 (6.5 k1 (|t| + 30) + 2H + |pw|) bounds it all, the doubled last term
//     covering δ's own roundings.
// (4) So for m ≤ τ in (0, 30), r(m) ≤ R(m) + δ ≤ R(τ) + δ ≤ r(τ) + 2δ, and for m ≥ τ,
//     r(m) ≥ r(τ) − 2δ: with [L, U] the enclosure of r(τ) that the residual gives on an enclosure
//     of Pb(τ), U + 2δ < −0.01 vouches for every m of (0, τ] being MoveLow, and L − 2δ > 0.01 for
//     every m of [τ, 30) being MoveHigh (the sums rounded: RN(x) < y for a double y gives x < y).
// (5) Nothing faults there: with pressure in (0, 2^20] kPa, |t| ≤ kDomainDryBulb and |pw| ≤ 2^40
//     every value of the chain is moderate.
inline std::optional<CertifiedSpan> WetBulbSpan(const WetBulbResidual& residual,
                                                double saturation_at_dry_bulb) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  constexpr double kBranchEnd = kPolynomialFrom;
  constexpr double kDomainDryBulb = 800;
  static_assert(kDomainDryBulb * kWetBulbFactor < 1);            // (2)
  static_assert(1 + kWetBulbFactor * kBranchEnd <= 1.0345);      // (3)
  static_assert(kFitSaturationHighest * 0x1.d5p-50 <= 0x1p-37);  // (3), 2^−49.13 < 0x1.d5p-50
  const double t = residual.t;
  const double pw = residual.pw;
  const double pressure = residual.pressure_kpa;
  // The search's bracket ends at t: with t at or below 0 °C no midpoint reaches the branch. (5)
  if (!(pressure > 0 && pressure <= 0x1p20 && t > kExponentialFitFrom && t <= kDomainDryBulb &&
        std::fabs(pw) <= 0x1p40))
    return std::nullopt;
  const double width = kWetBulbTolerance.width;
  const double k1 = pressure * kPascalPerKilopascal * kWetWickCoefficient;
  const double c = kWetBulbFactor;
  const auto q = [&](double m) { return k1 * (t - m) * (1 + c * m); };
  const auto q_slope = [&](double m) { return -k1 * (1 + 2 * c * m - c * t); };
  // The solution lies on the branch only if R changes sign there (roughly: a guess).
  if (!(kFitSaturationTable[1] - q(0) - pw < 0 &&
        kFitSaturationTable[kFitTableSize - 2] - q(kBranchEnd) - pw > 0))
    return std::nullopt;

  // The guess: from the dry bulb, where R(t) = Pb(t) − pw, a first step of Halley's method with
  // the fit's own derivatives there, then Newton's method on the table, interpolated linearly,
  // until the step is small. Only the certificates below vouch for anything.
  double m = std::min(t, kBranchEnd);
  double step = 1;
  double slope = 1;
  int table_steps = 4;
  if (t < kBranchEnd) {
    const double inverse = 1 / (kFitB + t);
    const double x1 = kFitA * kFitB * inverse * inverse;  // x'(t)
    const double x2 = -2 * x1 * inverse;                  // x''(t)
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

  // The two temperatures, beyond the guessed crossings of R with ∓0.01 by four times the error the
  // last Newton step leaves, and at least 2^−16 °C (the table's interpolation errs by a third of
  // that): a fraction of the span of temperature that the tolerance accepts.
  const double delta = 0x1p-37 + 0x1p-51 * (6.5 * k1 * (std::fabs(t) + kBranchEnd) +
                                            2 * kFitSaturationHighest + std::fabs(pw));  // (3)
  const double offset = std::max(0x1p-16, step * step / 4);
  const double low = m - width / slope - offset;
  const double high = m + width / slope + offset;
  CertifiedSpan span{std::numeric_limits<double>::min(), -kInfinity, kInfinity, kBranchEnd};
  // (4), on the table's enclosure first and on the exponent's where that is not enough.
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
  return IfCertifying(span);
}

}  // namespace tarvel
