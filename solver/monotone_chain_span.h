#pragma once

#include <optional>

#include "physics/checked_arithmetic.h"
#include "physics/rounded_interval.h"
#include "physics/saturation_branches.h"
#include "physics/saturation_enclosure.h"
#include "solver/bisection.h"
#include "solver/certified_steps.h"
#include "solver/piecewise_span.h"

namespace tarvel {

// Certificates for a search whose residual is a chain of rounded operations on p = Pb(m) and on m
// that does not fall as either rises (the other held), for every p from 0 up to a bound it admits
// (`Admits`): the dry-bulb searches of pairs 8 and 14. The pieces are the branches of Pb, each
// with a bound of Pb over its part of the search's bracket.
// (1) Every correctly rounded operation is monotone in each operand (flat_saturation.h (M)); a
//     chain whose every operation keeps the direction, by the signs of its other operands, is
//     non-decreasing in p and in m.
// (2) On a branch up to τ, Pb(m) ≤ U = SaturationUpTo(branch, enclosure at τ) (B4), so the
//     residual r(Pb(m), m) ≤ r(U, m) ≤ r(U, τ), the chain admitting U; when the tolerance judges
//     r(U, τ) MoveLow, it judges every m of the branch up to τ so (its verdict is monotone in r).
//     From τ on, with L = SaturationFrom(…) and the chain admitting the piece's bound,
//     r(Pb(m), m) ≥ r(L, τ): MoveHigh alike.
// (3) The residual's domain keeps every value of its chain moderate, so that neither the bound
//     nor the exact residual faults.
inline constexpr SpanPiece kSaturationPieces[] = {
    {kIceBranch.first, kIceBranch.last},
    {kFitBranch.first, kFitBranch.last},
    {kPolynomialBranch.first, kPolynomialBranch.last},
};
inline constexpr const SaturationBranch* kSaturationPieceBranches[] = {&kIceBranch, &kFitBranch,
                                                                       &kPolynomialBranch};

template <typename Residual>
struct MonotoneChainCertificates {
  const Residual& residual;
  Tolerance tolerance;
  const double (&tops)[3];  // a bound of Pb over each piece's part of the bracket

  bool MoveLowUpTo(int piece, double tau) const {
    const SaturationBranch& branch = *kSaturationPieceBranches[piece];
    return AtEither(tau, [&](const RoundedInterval& p) {
      const double upper = SaturationUpTo(branch, p);
      return residual.Admits(upper) && tolerance(residual(upper, tau)) == Verdict::MoveLow;
    });
  }
  bool MoveHighFrom(int piece, double tau) const {
    const SaturationBranch& branch = *kSaturationPieceBranches[piece];
    return residual.Admits(tops[piece]) && AtEither(tau, [&](const RoundedInterval& p) {
             return tolerance(residual(SaturationFrom(branch, p), tau)) == Verdict::MoveHigh;
           });
  }

  // (2) at τ on the quick enclosure of Pb, and on the close one where that is not enough.
  template <typename Test>
  static bool AtEither(double tau, const Test& test) {
    const RoundedInterval quick = QuickSaturationEnclosure(tau);
    if (quick.Finite() && test(quick))
      return true;
    const RoundedInterval close = EncloseSaturation(tau);
    return close.Finite() && test(close);
  }
};

}  // namespace tarvel
