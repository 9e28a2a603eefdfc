#pragma once

#include <optional>

#include "solver/bisection.h"
#include "solver/flat_saturation.h"
#include "solver/search_residuals.h"

namespace tarvel {

inline constexpr int kDryBulbSearchSteps = 1000;

// Bisection on a trial dry bulb m (°C) for the pairs that do not give the dry bulb. `residual(m)`
// is 0 at the solution and rises with m; the search relies on that sign and never tests it. It
// succeeds with the first midpoint whose residual is below 0.01 in magnitude (Pa or kJ/kg, the
// residual's unit) — not refined further — and fails after 1000 midpoints. A bracket that does not
// hold the solution closes in on one end and fails the same way.
template <typename Residual>
auto DryBulbVerdict(Residual& residual) {
  return [&residual](double m) { return kDryBulbTolerance(residual(m)); };
}

template <typename Residual>
std::optional<double> BisectDryBulb(double lo, double hi, Residual&& residual,
                                    StopRule rule = StopRule::WhenStuck) {
  return Bisect(lo, hi, kDryBulbSearchSteps, DryBulbVerdict(residual), rule);
}

// The same search with its verdicts given by `verdict` (which must be kDryBulbTolerance of the
// residual, however it is reached).
template <typename Judge>
std::optional<double> BisectDryBulbByVerdict(double lo, double hi, Judge&& verdict) {
  return Bisect(lo, hi, kDryBulbSearchSteps, verdict);
}

// The same for a residual that depends on m through Pb and otherwise as a monotone chain (see
// VerdictIsFlatOn): it may stop early where Pb is flat. `residual` is the exact residual.
template <typename Judge, typename Residual>
std::optional<double> BisectDryBulbNearSaturation(double lo, double hi, Judge&& verdict,
                                                  Residual&& residual,
                                                  StopRule rule = StopRule::WhenStuck) {
  const auto flat = [&](double a, double b) { return VerdictIsFlatOn(a, b, residual, verdict); };
  return Bisect(lo, hi, kDryBulbSearchSteps, verdict, rule, flat);
}

}  // namespace tarvel
