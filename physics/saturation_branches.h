#pragma once

#include <limits>

#include "physics/rounded_interval.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_table.h"

namespace tarvel {

// Pb over a stretch of one branch. On each branch Pb follows a real function P that rises, to a
// proven relative error e; so an enclosure of Pb at one end of a stretch, widened by about 2e,
// bounds Pb at every temperature of the stretch. The searches' spans certify whole stretches of
// midpoints so, by one evaluation each.
//
// Notation of saturation_enclosure.h: F the ice formula's exponent in the kelvin temperature, K0 =
// kKelvinOffset, u = 2^−53.
// (B1) Ice, t in [kEnclosureLowest, 0): P(t) = e^F(t + K0), the real sum t + K0, which rises (I2).
//      Pb forms s from its rounded T, within 2^−44.9 of F(T) (I3); T is within 2^−45 of t + K0
//      (it lies below 512) and F' is below kIceSlopeBound on [133, 274], so F(T) is within 2^−46.4
//      of F(t + K0): s within 1.44·2^−45. Pb, e^s rounded, lies within a factor
//      e^(±1.44·2^−45)(1 ± u) of P(t), below kIceError relative.
// (B2) Fit, t in [0, 30), −0 too (Pb takes it as 0 °C): P the fit with its constants as the
//      doubles they are, within 2^−49.13 (F1), below kFitError; P rises (F3).
// (B3) Polynomial, t in [30, kEnclosureHighest]: Pb itself rises (saturation_enclosure.h): P = Pb,
//      error 0.
// (B4) So for t ≤ τ on one branch Pb(t) ≤ P(t)(1 + e) ≤ P(τ)(1 + e) ≤ Pb(τ)(1 + e)/(1 − e) ≤
//      Pb(τ)(1 + 2.001e), and for t ≥ τ on it Pb(t) ≥ Pb(τ)(1 − 2.001e). For an enclosure [L, U]
//      of Pb(τ), RN(U·RN(1 + 4e)) and RN(L·RN(1 − 4e)) lie beyond those bounds: the two roundings
//      move them by at most 2.1u, far less than 2e (for e = 0 the factor is exactly 1).
inline constexpr double kIceSlopeBound = 0.36;
inline constexpr double kIceError = 0x1p-44;
inline constexpr double kFitError = 0x1p-49;
// (B1): F' without its negative terms C3 and 4·C6·T³, each other term at its largest on [133, 274]
// (LE > 0.99); and the kelvin temperatures below 512.
static_assert(-kIceC1 / (133.0 * 133) + kIceC7 / (0.99 * 133) + 2 * kIceC4 * 274 +
                      3 * kIceC5 * 274 * 274 <
                  kIceSlopeBound &&
              kIceC3 < 0 && kIceC6 < 0 && kKelvinOffset < 512);
// (B1): 2^−44.9 + 0.36·2^−45 < 1.44·2^−45, and e^(1.44·2^−45)(1 + u) − 1 < 1.4401·2^−45 <
// kIceError.
static_assert(0x1.13p-45 + kIceSlopeBound * 0x1p-45 < 0x1.7p-45 && 0x1.7p-45 * 1.0001 < kIceError);

// The largest double below kPolynomialFrom, the fit's last temperature: below a number of
// (16, 32] the doubles are 2^−48 apart.
inline constexpr double kFitLast = kPolynomialFrom - 0x1p-48;
static_assert(kPolynomialFrom > 16 && kPolynomialFrom <= 32);

// A branch of Pb: its first and last temperature and the relative error e of (B1) to (B3).
struct SaturationBranch {
  double first;
  double last;
  double error;

  bool Holds(double t) const { return t >= first && t <= last; }
};
inline constexpr SaturationBranch kIceBranch{kEnclosureLowest,
                                             -std::numeric_limits<double>::denorm_min(), kIceError};
inline constexpr SaturationBranch kFitBranch{-0.0, kFitLast, kFitError};
inline constexpr SaturationBranch kPolynomialBranch{kPolynomialFrom, kEnclosureHighest, 0};
static_assert(kExponentialFitFrom == 0, "the ice branch ends, and the fit begins, at the zeros");

// The branch of t in the enclosures' domain (nothing for NaN or outside).
inline const SaturationBranch* BranchOf(double t) {
  for (const SaturationBranch* b : {&kIceBranch, &kFitBranch, &kPolynomialBranch}) {
    if (b->Holds(t))
      return b;
  }
  return nullptr;
}

// (B4): with `at` an enclosure of Pb(τ) for τ on `branch`, an upper bound of Pb at every t of the
// branch up to τ, and a lower bound of Pb at every t of it from τ on. Not finite when the
// enclosure is not.
inline double SaturationUpTo(const SaturationBranch& branch, const RoundedInterval& at) {
  return at.hi * (1 + 4 * branch.error);
}
inline double SaturationFrom(const SaturationBranch& branch, const RoundedInterval& at) {
  return at.lo * (1 - 4 * branch.error);
}

}  // namespace tarvel
