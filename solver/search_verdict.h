#pragma once

#include "physics/rounded_interval.h"
#include "physics/saturation_enclosure.h"
#include "solver/bisection.h"

namespace tarvel {

// What a filter makes of a midpoint: its verdict, or Undecided where only the exact evaluation can
// tell. (One enumeration rather than an optional verdict: it travels in one register.)
enum class Decision { Accept, MoveHigh, MoveLow, Undecided };
static_assert(static_cast<int>(Decision::Accept) == static_cast<int>(Verdict::Accept) &&
              static_cast<int>(Decision::MoveHigh) == static_cast<int>(Verdict::MoveHigh) &&
              static_cast<int>(Decision::MoveLow) == static_cast<int>(Verdict::MoveLow));

inline Decision Decided(Verdict v) {
  return static_cast<Decision>(static_cast<int>(v));
}

// The verdict of a decision other than Undecided.
inline Verdict VerdictOf(Decision d) {
  return static_cast<Verdict>(static_cast<int>(d));
}

// The verdict on every r of a finite enclosure, when it is one verdict.
inline Decision VerdictOn(const Tolerance& tolerance, const RoundedInterval& r) {
  if (!r.Finite())
    return Decision::Undecided;
  const Verdict low = tolerance(r.lo);
  if (tolerance(r.hi) != low)
    return Decision::Undecided;
  return Decided(low);
}

// The verdict at the midpoint m of a search whose residual is residual(Pb(m), m), decided on
// enclosures of Pb(m): first QuickSaturationEnclosure(m), then EncloseSaturation(m).
// `residual` is one generic chain of checked operations, called with a double or with an
// enclosure of one; on an enclosure of Pb(m) it gives an enclosure of the residual that the
// exact chain computes (rounded_interval.h). Undecided when neither enclosure decides.
//
// When a verdict is given, the exact chain would not have faulted at this step: m lies in the
// enclosures' domain, where Pb cannot fault, and every other operation either is one that the
// exact chain makes on the same operands (and would fault here too, raising the same fault) or
// has a finite enclosure.
template <typename Residual>
Decision EnclosedVerdict(const Tolerance& tolerance, const Residual& residual, double m) {
  const RoundedInterval quick = QuickSaturationEnclosure(m);
  if (!quick.Finite())
    return Decision::Undecided;
  const Decision d = VerdictOn(tolerance, residual(quick, m));
  if (d != Decision::Undecided)
    return d;
  const RoundedInterval p = EncloseSaturation(m);
  if (!p.Finite())
    return Decision::Undecided;
  return VerdictOn(tolerance, residual(p, m));
}

}  // namespace tarvel
