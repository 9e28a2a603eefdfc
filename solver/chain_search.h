#pragma once

#include <optional>

#include "solver/bisection.h"
#include "solver/certified_steps.h"
#include "solver/flat_saturation.h"
#include "solver/search_mode.h"
#include "solver/search_verdict.h"

namespace tarvel {

// A search whose residual is a chain of the calculator's relations on the saturation pressure at
// the trial temperature m: chain(Pb(m), m), one of search_residuals.h. Its verdict is its
// tolerance of that residual; in the filtered mode, first on enclosures of Pb(m)
// (EnclosedVerdict), and by the exact residual only where they do not decide. `span` is where its
// verdicts are certified, if anywhere (the wet-bulb search's, wet_bulb_span.h). Where the chain
// beyond Pb is monotone it has the flat rule too.
template <typename Chain>
class ChainSearch {
 public:
  ChainSearch(const Chain& chain, Tolerance tolerance, SearchMode mode,
              std::optional<CertifiedSpan> span = std::nullopt)
      : chain_(chain),
        tolerance_(tolerance),
        filtered_(mode == SearchMode::Filtered),
        span_(span) {}

  // The residual as the plain search forms it, with Pb(m) remembered below 0 °C.
  double Residual(double m) const { return chain_(saturation_(m), m); }

  Verdict operator()(double m) const {
    if (filtered_) {
      const Decision d = EnclosedVerdict(tolerance_, chain_, m);
      if (d != Decision::Undecided)
        return VerdictOf(d);
    }
    return tolerance_(Residual(m));
  }

  std::optional<CertifiedSpan> Certified() const { return span_; }

  bool FlatOn(double a, double b) const requires requires(double x) {
    Chain::MonotoneBeyondPbOn(x, x);
  }
  { return VerdictIsFlatOn(a, b, *this, Chain::MonotoneBeyondPbOn); }

 private:
  Chain chain_;
  Tolerance tolerance_;
  bool filtered_;
  std::optional<CertifiedSpan> span_;
  mutable SearchSaturation saturation_;
};

}  // namespace tarvel
