#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

#include "physics/saturation_branches.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_slope.h"

namespace tarvel {

// Certified temperatures on the polynomial's branch, as fit_certified_temperatures.h finds them on
// the fit's: around the crossing of a threshold p on the saturation pressure (p1 or p3 of
// saturation_thresholds.h), `below`, up to which every Pb of the branch is at most p, and `above`,
// from which every Pb of the branch is above p (−∞ and +∞ certify nothing). Each is a guess δ
// beyond the crossing that an enclosure of Pb certifies:
// (1) By (B4) of saturation_branches.h (Pb itself rises there), an enclosure of Pb(τ) at or below
//     p gives Pb(m) ≤ p for every m of the branch up to τ, and one above p gives Pb(m) > p for
//     every m of it from τ on.
// (2) The guess comes from Newton's method on the polynomial in plain arithmetic, within about
//     2^−37 °C of the crossing; δ = kCrossingOffset leaves room for that and for the enclosures'
//     width (EnclosePolynomial's 2^−47 of Pb, below 2^−41 °C with the least slope of ln Pb on the
//     branch, 0.021 at 200 °C; EncloseSaturation's, tried where that does not decide, narrower),
//     and is still below the span of temperature that any tolerance accepts (2^−31.7 °C at the
//     least, at 200 °C).
inline constexpr double kCrossingOffset = 0x1p-34;

// The temperature on the polynomial's branch where Pb is p, by Newton's method from `start`, until
// a step is below 2^−16 °C: |P''/(2P')| < 0.03 on the branch, so the error left is below 2^−37 °C.
// From PolynomialCrossingStart, within 10^−6 °C, the first step is the last.
inline double PolynomialCrossing(double p, double start) {
  double t = start;
  for (int i = 0; i < 8; ++i) {
    t = std::clamp(t, kPolynomialBranch.first, kPolynomialBranch.last);
    const ValueAndSlope s = ApproximatePolynomial(t);
    const double step = (s.value - p) / s.slope;
    t -= step;
    if (!(std::fabs(step) > 0x1p-16))
      break;
  }
  return t;
}

// (1): `below` from a guessed crossing of p, or −∞.
inline double PolynomialBelow(double p, double crossing) {
  const double below = crossing - kCrossingOffset;
  if (kPolynomialBranch.Holds(below) &&
      (EnclosePolynomial(below).hi <= p || EncloseSaturation(below).hi <= p))
    return below;
  return -std::numeric_limits<double>::infinity();
}

// (1): `above` from a guessed crossing of p, or +∞.
inline double PolynomialAbove(double p, double crossing) {
  const double above = crossing + kCrossingOffset;
  if (kPolynomialBranch.Holds(above) &&
      (EnclosePolynomial(above).lo > p || EncloseSaturation(above).lo > p))
    return above;
  return std::numeric_limits<double>::infinity();
}

}  // namespace tarvel
