#pragma once

#include <cmath>
#include <limits>
#include <optional>

#include "physics/pascal.h"
#include "physics/psychrometer.h"
#include "physics/rounded_interval.h"
#include "physics/saturation_branches.h"
#include "physics/saturation_enclosure.h"
#include "solver/certified_steps.h"
#include "solver/piecewise_span.h"
#include "solver/search_bounds.h"
#include "solver/search_residuals.h"
#include "solver/wet_bulb_guess.h"

namespace tarvel {

// Certified temperatures for the wet-bulb search over [kLowestTemperature, t]: a span in which its
// steps are decided on the trial wet bulb m alone, from the lowest temperature up to just below
// the span of wet bulbs its tolerance accepts, and from just above it up to t. The pieces are the
// ice branch, the zeros, the fit's branch without them and the polynomial's.
// `saturation_at_dry_bulb` is Pb at the residual's dry bulb (it starts the guess; any value is
// safe). Nothing when the inputs are outside the proof's domain or nothing could be certified.
//
// Notation: A the wick's coefficient, kWetWickCoefficient above 0 °C and kIcedWickCoefficient at
// and below, k1 = (pressure · 1000) · A and c = kWetBulbFactor as the doubles they are, P the
// rising function that Pb follows on each branch (saturation_branches.h), u = 2^−53.
// (1) On each piece but the zeros the residual's chain computes the real function
//     R(m) = P(m) − k1 (t − m)(1 + c m) − pw, rounded step by step, with that piece's coefficient;
//     at the zeros (−0 and +0 alike) it computes one value, the fit's at 0 °C with the iced wick.
// (2) R rises on each piece: P does, and the derivative of −k1 (t − m)(1 + c m) is
//     k1 (1 + 2c m − c t) > 0 for k1 > 0, m ≥ kEnclosureLowest and t ≤ kDomainDryBulb.
// (3) The double r(m) the chain gives is within δ of R(m), with H = 2^21 above every Pb of the
//     domain:
//     - Pb(m) within 2^−34 of P(m) (kIceError·611.2 on ice, 2^−37 on the fit, 0 on the
//       polynomial);
//     - the product q = k2 · f, from t − m, k1 · (t − m), c · m, 1 + c m (in [0.83, 1.24], within
//       1.5u) and the product, within 4.5u of Q = k1 (t − m)(1 + c m), |Q| ≤ 1.24 k1 (|t| + 200);
//     - Pb − q rounds by at most u (H + |q|), the subtraction of pw by u (H + |q| + |pw|);
//     so δ = 2^−34 + 2^−52 (2H + 8.2 k1 (|t| + 200) + |pw|) bounds it all, the doubled last term
//     covering δ's own roundings.
// (4) So for m ≤ τ on one piece r(m) ≤ R(m) + δ ≤ R(τ) + δ ≤ r(τ) + 2δ, and for m ≥ τ on it
//     r(m) ≥ r(τ) − 2δ: with [L, U] the enclosure of r(τ) that the residual gives on an enclosure
//     of Pb(τ), U + 2δ < −0.01 vouches for every m of the piece up to τ being MoveLow, and
//     L − 2δ > 0.01 for every m of it from τ on being MoveHigh (the sums rounded: RN(x) < y for a
//     double y gives x < y). At the zeros the one value's enclosure speaks for itself.
// (5) Nothing faults there: with pressure in (0, 2^20] kPa, |t| ≤ kDomainDryBulb and |pw| ≤ 2^40
//     every value of the chain is moderate.
inline constexpr SpanPiece kWetBulbPieces[] = {
    {kIceBranch.first, kIceBranch.last},
    {-0.0, 0.0},
    {std::numeric_limits<double>::denorm_min(), kFitBranch.last},
    {kPolynomialBranch.first, kPolynomialBranch.last},
};

// (4) on the residual's enclosures at τ: the quick one first, the close one where that is not
// enough.
struct WetBulbCertificates {
  const WetBulbResidual& residual;
  double delta;

  template <typename Test>
  bool EnclosureAt(double tau, const Test& test) const {
    return test(residual(QuickSaturationEnclosure(tau), tau)) ||
           test(residual(EncloseSaturation(tau), tau));
  }
  bool MoveLowUpTo(int, double tau) const {
    return EnclosureAt(
        tau, [&](const RoundedInterval& r) { return r.hi + 2 * delta < -kWetBulbTolerance.width; });
  }
  bool MoveHighFrom(int, double tau) const {
    return EnclosureAt(
        tau, [&](const RoundedInterval& r) { return r.lo - 2 * delta > kWetBulbTolerance.width; });
  }
};

inline std::optional<CertifiedSpan> WetBulbSpan(const WetBulbResidual& residual,
                                                double saturation_at_dry_bulb) {
  constexpr double kDomainDryBulb = 500;
  constexpr double kSaturationBound = 0x1p21;  // H
  static_assert(1 + 2 * kWetBulbFactor * kEnclosureLowest - kWetBulbFactor * kDomainDryBulb > 0 &&
                kWetBulbFactor * kEnclosureHighest <= 0.24 &&
                -kWetBulbFactor * kEnclosureLowest <= 0.17);  // (2), (3)
  static_assert(kPolynomialSaturationRange.hi < kSaturationBound && kIceError * 611.2 <= 0x1p-34 &&
                kFitError * kFitSaturationHighest <= 0x1p-34);
  const double t = residual.t;
  const double pw = residual.pw;
  const double pressure = residual.pressure_kpa;
  if (!(pressure > 0 && pressure <= 0x1p20 && t > kLowestTemperature && t <= kDomainDryBulb &&
        std::fabs(pw) <= 0x1p40))  // (5)
    return std::nullopt;
  const double k1 = Pascal(pressure) * kWetWickCoefficient;  // the larger coefficient
  const double delta =
      0x1p-34 + 0x1p-52 * (2 * kSaturationBound + 8.2 * k1 * (std::fabs(t) + kEnclosureHighest) +
                           std::fabs(pw));  // (3)
  const CrossingGuess guess = GuessWetBulb(residual, saturation_at_dry_bulb);
  if (!(guess.slope > 0))
    return std::nullopt;
  const double width = kWetBulbTolerance.width;
  return PiecewiseSpan(kWetBulbPieces, kLowestTemperature, t, guess.Below(width),
                       guess.Above(width), WetBulbCertificates{residual, delta});
}

}  // namespace tarvel
