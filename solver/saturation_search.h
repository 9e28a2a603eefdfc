#pragma once

#include <limits>
#include <optional>

#include "physics/checked_arithmetic.h"
#include "physics/saturation_pressure.h"
#include "solver/bisection.h"
#include "solver/certified_steps.h"
#include "solver/flat_saturation.h"
#include "solver/saturation_level.h"
#include "solver/search_mode.h"
#include "solver/search_verdict.h"

namespace tarvel {

// A search for the temperature whose saturation pressure is `target`, to `tolerance`: the
// dew-point searches, and the dry-bulb searches of pairs 12 and 13. Its residual is
// Pb(m) − target; its verdict, in the filtered mode, by the level filter where that decides; its
// span, the level's certified temperatures; and the flat rule of a residual of Pb alone.
class SaturationSearch {
 public:
  SaturationSearch(double target, Tolerance tolerance, SearchMode mode)
      : target_(target), tolerance_(tolerance), filtered_(mode == SearchMode::Filtered) {
    if (filtered_)
      level_.emplace(target, tolerance);
  }

  double Residual(double m) const { return checked::Sub(Pb(m), target_); }

  Verdict operator()(double m) const {
    if (filtered_) {
      const Decision d = (*level_)(m);
      if (d != Decision::Undecided) [[likely]]
        return VerdictOf(d);
    }
    return ExactVerdict(m);
  }

  // Nothing in the exact mode, or where nothing is certified (so that the search does not look
  // for certified steps at every step).
  std::optional<CertifiedSpan> Certified() const {
    if (!filtered_)
      return std::nullopt;
    return IfCertifying(level_->Certified());
  }

  bool FlatOn(double a, double b) const { return VerdictIsFlatOn(a, b, *this); }

  // Out of line, so that the search's loop keeps its bracket in registers around the rare call.
  [[gnu::noinline]] Verdict ExactVerdict(double m) const { return tolerance_(Residual(m)); }

 private:
  double target_;
  Tolerance tolerance_;
  bool filtered_;
  std::optional<SaturationLevel> level_;
};

}  // namespace tarvel
