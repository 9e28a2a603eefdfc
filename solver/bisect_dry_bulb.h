#pragma once

#include <cmath>
#include <optional>

#include "solver/bisection.h"
#include "solver/flat_saturation.h"

namespace tarvel {

inline constexpr int kDryBulbSearchSteps = 1000;

// Bisection on a trial dry bulb m (°C) for the pairs that do not give the dry bulb. `residual(m)`
// is 0 at the solution and rises with m; the search relies on that sign and never tests it. It
// succeeds with the first midpoint whose residual is below 0.01 in magnitude (Pa or kJ/kg, the
// residual's unit) — not refined further — and fails after 1000 midpoints. A bracket that does not
// hold the solution closes in on one end and fails the same way.
template <typename Residual>
auto DryBulbVerdict(Residual& residual) {
  return [&residual](double m) {
    const double r = residual(m);
    if (std::fabs(r) < 0.01)
      return Verdict::Accept;
    return r >= 0 ? Verdict::MoveHigh : Verdict::MoveLow;
  };
}

template <typename Residual>
std::optional<double> BisectDryBulb(double lo, double hi, Residual&& residual,
                                    StopRule rule = StopRule::WhenStuck) {
  return Bisect(lo, hi, kDryBulbSearchSteps, DryBulbVerdict(residual), rule);
}

// The same search for a residual that depends on m through Pb and otherwise as a monotone chain
// (see VerdictIsFlatOn): it may stop early where Pb is flat.
template <typename Residual>
std::optional<double> BisectDryBulbNearSaturation(double lo, double hi, Residual&& residual,
                                                  StopRule rule = StopRule::WhenStuck) {
  const auto verdict = DryBulbVerdict(residual);
  const auto flat = [&](double a, double b) { return VerdictIsFlatOn(a, b, residual, verdict); };
  return Bisect(lo, hi, kDryBulbSearchSteps, verdict, rule, flat);
}

}  // namespace tarvel
