#pragma once

#include <cmath>
#include <limits>
#include <optional>

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "solver/certified_steps.h"
#include "solver/search_mode.h"
#include "solver/search_residuals.h"

namespace tarvel {

// The dry-bulb search of the pairs with an enthalpy and a moisture content (or a dew point, which
// gives it): the trial dry bulb m whose enthalpy with moisture content dv (g/kg) is h (kJ/kg), to
// kDryBulbTolerance. Its residual r(m) = EnthalpyFromMoisture(m, dv) − h has no saturation
// pressure in it, so each step costs five operations; in the filtered mode most steps cost none,
// decided by two certified temperatures (Certified).
//
// Why they hold. With dk = dv/1000 rounded (the double the chain forms) and the constants as the
// doubles they are, the chain computes the real function R(m) = (1.84m + 2500)·dk + 1.005m − h,
// which is linear with slope 1.84dk + 1.005 > 0 for dk ≥ −1/2. For m in [−100, 100], |dk| ≤ 1 and
// |h| ≤ 2^20 the double r(m) is within δ = 2^−32 of R(m): 1.84m rounds by less than 2^−45.4, the
// sum with 2500 (in [2048, 4096)) by 2^−42, the product with dk by less than 2^−41.6 more,
// 1.005m by less than 2^−46.3, the sum of the two (below 2786) by 2^−41.5, and the subtraction of
// h (below 2^20.01) by 2^−33: in all below 2^−32.9. So for m ≤ τ, r(m) ≤ R(m) + δ ≤ R(τ) + δ ≤
// r(τ) + 2δ, and for m ≥ τ, r(m) ≥ r(τ) − 2δ: a τ whose own residual lies more than 2δ beyond
// −0.01 (or 0.01) vouches for every m on its side being MoveLow (MoveHigh). Nothing faults on that
// domain. A temperature is placed 2^−20 °C beyond each crossing of R with ∓0.01, found by solving
// the line (a guess: the certificate is the evaluation at it), and kept when its residual shows it.
class EnthalpyDryBulbSearch {
 public:
  EnthalpyDryBulbSearch(double dv, double h, SearchMode mode) : dv_(dv), h_(h) {
    if (mode == SearchMode::Filtered)
      certified_ = FindSpan(span_);
  }

  double Residual(double m) const { return checked::Sub(EnthalpyFromMoisture(m, dv_), h_); }
  Verdict operator()(double m) const { return kDryBulbTolerance(Residual(m)); }
  std::optional<CertifiedSpan> Certified() const {
    if (!certified_)
      return std::nullopt;
    return span_;
  }

 private:
  static constexpr double kInfinity = std::numeric_limits<double>::infinity();
  static constexpr double kDomain = 100;
  static constexpr double kResidualError = 0x1p-32;  // δ above
  static constexpr double kOffset = 0x1p-20;

  bool FindSpan(CertifiedSpan& span) const {
    const double dk = dv_ / 1000;
    if (!(dk >= -0.5 && dk <= 1 && std::fabs(h_) <= 0x1p20))
      return false;
    const double width = kDryBulbTolerance.width;
    const double slope = 1.84 * dk + 1.005;
    const double intercept = 2500 * dk - h_;
    const double low = (-width - intercept) / slope - kOffset;
    const double high = (width - intercept) / slope + kOffset;
    span = {-kDomain, -kInfinity, kInfinity, kDomain};
    if (low >= -kDomain && low <= kDomain && Residual(low) + 2 * kResidualError < -width)
      span.move_low_to = low;
    if (high >= -kDomain && high <= kDomain && Residual(high) - 2 * kResidualError > width)
      span.move_high_from = high;
    return true;
  }

  double dv_;
  double h_;
  bool certified_ = false;
  CertifiedSpan span_{};
};

}  // namespace tarvel
