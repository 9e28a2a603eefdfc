#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "physics/elementary/approximate_log.h"
#include "physics/saturation_branches.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_slope.h"
#include "solver/crossing_starts.h"

namespace tarvel {

// Certified temperatures on the ice branch, as fit_certified_temperatures.h finds them on the
// fit's, for a search whose residual is Pb(m) − target with thresholds p1 and p3
// (saturation_thresholds.h): the crossing of each threshold found by Newton's method on the ice
// formula's exponent, and certified by the method's own last residual, with no enclosure.
//
// Notation of saturation_enclosure.h and saturation_branches.h: F the ice formula's exponent in
// the kelvin temperature, K0 = kKelvinOffset, s(m) the exponent Pb forms at m, within 1.44·2^−45
// of F(m + K0) on the branch (B1); F̃ = ApproximateIceExponent, within ε = 2^−43 of F(T) at its
// own T = RN(t + K0) (E1), its slope within 2^−47 relative (E2); u = 2^−53. For t in
// [−140.15, 0.85], t + K0 lies in [133, 274], where F' ≥ 0.081 (I2) and |F''| < 0.0051.
// (1) Newton's last step: at t1 in [−140, 0.5], ρ = RN(F̃(t1) − y) and the step s = RN(ρ/g), g the
//     slope, with |s| ≤ 2^−14; t2 = RN(t1 − s). By Taylor's theorem F(T1 − s) = F(T1) − F'(T1)s +
//     F''(ξ)s²/2, where F'(T1)s = ρ(1 ± 2^−46.9) and F(T1) − y = ρ ± (ε + u|ρ|), |ρ| < 0.37|s|:
//     |F(T1 − s) − y| < ε + 2^−60 + 0.00255s².
// (2) t2 + K0 lies within 2^−45 + 2^−46 of T1 − s (T1 rounds t1 + K0, below 512; t2 rounds
//     t1 − s, below 141), where F' < kIceSlopeBound: |F(t2 + K0) − y| < 2^−42.8 + 0.00255s² = E.
// (3) So for m of the branch up to τ = RN(t2 − δ), F rising: s(m) ≤ F(m + K0) + 1.44·2^−45 ≤
//     F(t2 + K0) − 0.081(δ − 2^−46) + 1.44·2^−45 ≤ y + E − 0.081(δ − 2^−46) + 1.44·2^−45; and for
//     m of it from τ = RN(t2 + δ) on, s(m) ≥ y − E + 0.081(δ − 2^−46) − 1.44·2^−45.
// (4) With y the center of a threshold p, within α = 2^−46.5 of ln c, where ln c − 2^−51 ≤ ln p
//     and ln next(p) ≤ ln c + 2^−52 (saturation_thresholds.h (2)): the first gives s(m) ≤ ln p,
//     so Pb(m) ≤ p, and the second s(m) ≥ ln next(p), so Pb(m) > p (saturation_log_bounds.h
//     (1)), as soon as 0.081(δ − 2^−46) ≥ E + 1.44·2^−45 + α + 2^−51. The margin
//     δ = kIceCrossingMargin + s²/16 does: 0.081 kIceCrossingMargin is six times the constant
//     part, and 0.081/16 > 0.00255.
// (5) Nothing faults: the certified temperatures are compared, never evaluated.
inline constexpr double kIceCrossingMargin = 0x1p-36;
inline constexpr double kIceCurvatureBound = 0.0051;
static_assert(-2 * kIceC1 / (133.0 * 133 * 133) + kIceC7 / (0.99 * 133 * 133) + 2 * kIceC4 +
                      6 * kIceC5 * 274 - 12 * kIceC6 * 274 * 274 <
                  kIceCurvatureBound &&
              kIceCurvatureBound / 2 <= 0.00255 && 0.081 / 16 > 0.00255);
// (2) and (4): E's constant part, then six times it with the rest of (4) below the margin's part.
inline constexpr double kIceCrossingError =
    kApproximateIceExponentError + 0x1p-60 + kIceSlopeBound * 0x1.8p-45;
static_assert(kIceCrossingError < 0x1.27p-43);
static_assert(0.081 * (kIceCrossingMargin - 0x1p-46) >
              6 * (kIceCrossingError + 1.44 * 0x1p-45 + elementary::kApproximateLogError +
                   0x1p-51));

// A crossing and how far its certified temperatures must stay from it (δ of (4)).
struct IceCrossing {
  double t;
  double margin;
};

// (1) to (4): the crossing where F is y, by Newton's method from `start` until a step is at most
// 2^−14 °C. From IceCrossingStart, within 3·10^−6 °C, the first step is the last. Nothing when the
// steps do not settle.
inline std::optional<IceCrossing> FindIceCrossing(double y, double start) {
  double t = start;
  for (int i = 0; i < 6; ++i) {
    t = std::clamp(t, kIceBranch.first, kIceBranch.last);
    const ValueAndSlope at = ApproximateIceExponent(t);
    const double step = (at.value - y) / at.slope;
    if (std::fabs(step) <= 0x1p-14)
      return IceCrossing{t - step, kIceCrossingMargin + step * step / 16};
    t -= step;
  }
  return std::nullopt;
}

// What the ice branch certifies for thresholds p1 ≤ p3 with centers y1, y3: MoveLow on its part
// up to move_low_to, Accept on [accept_from, accept_to], MoveHigh from move_high_from on; −∞, +∞
// or an empty Accept part where nothing is certified. A threshold beyond the branch's range
// certifies the whole branch on its side.
struct IceTemperatures {
  double move_low_to = -std::numeric_limits<double>::infinity();
  double accept_from = std::numeric_limits<double>::infinity();
  double accept_to = -std::numeric_limits<double>::infinity();
  double move_high_from = std::numeric_limits<double>::infinity();
};

inline IceTemperatures IceCertifiedTemperatures(double p1, double y1, double p3, double y3) {
  IceTemperatures ice;
  std::optional<IceCrossing> low;
  if (kIceSaturationRange.hi <= p1) {
    ice.move_low_to = kIceBranch.last;
  } else if (kIceSaturationRange.lo <= p1) {
    low = FindIceCrossing(y1, IceCrossingStart(y1));
  } else {
    ice.accept_from = kIceBranch.first;
  }
  std::optional<IceCrossing> high;
  if (kIceSaturationRange.lo > p3) {
    ice.move_high_from = kIceBranch.first;
  } else if (kIceSaturationRange.hi > p3) {
    // Found apart from the crossing of p1, so that neither waits on the other.
    high = FindIceCrossing(y3, IceCrossingStart(y3));
  } else {
    ice.accept_to = kIceBranch.last;
  }
  // (3), (4): each certified temperature stands on the branch.
  const auto on_branch = [](double t, double otherwise) {
    return kIceBranch.Holds(t) ? t : otherwise;
  };
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  if (low) {
    ice.move_low_to = on_branch(low->t - low->margin, -kInfinity);
    ice.accept_from = on_branch(low->t + low->margin, kInfinity);
  }
  if (high) {
    ice.accept_to = on_branch(high->t - high->margin, -kInfinity);
    ice.move_high_from = on_branch(high->t + high->margin, kInfinity);
  }
  return ice;
}

}  // namespace tarvel
