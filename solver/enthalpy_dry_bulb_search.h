#pragma once

#include <cmath>
#include <limits>
#include <optional>

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "solver/bisection.h"
#include "solver/certified_steps.h"
#include "solver/search_bounds.h"
#include "solver/search_mode.h"

namespace tarvel {

// The dry-bulb search of the pairs with an enthalpy and a moisture content (or a dew point, which
// gives it): the trial dry bulb m whose enthalpy with moisture content dv (g/kg) is h (kJ/kg), to
// kDryBulbTolerance. Its residual r(m) = EnthalpyFromMoisture(m, dv) − h has no saturation
// pressure in it, so each step costs five operations; in the filtered mode most steps cost none,
// decided by two certified temperatures (Certified).
//
// Notation: D, V, L = kDryAirHeatCapacity, kVapourHeatCapacity, kVaporisationEnthalpy and
// dk = dv/1000 rounded, all as the doubles they are (the chain forms dk so), for m in the proof's
// domain [−kDomain, kDomain], |dk| ≤ 1 and |h| ≤ 2^20.
// (1) The chain computes the real function R(m) = (V·m + L)·dk + D·m − h, rounded step by step. R
//     is a line, with slope V·dk + D > 0 for dk ≥ −1/2.
// (2) The double r(m) is within δ = 2^−32 of R(m): V·m rounds by less than 2^−45.4, the sum with
//     L (in [2048, 4096)) by 2^−42, the product with dk by less than 2^−41.6 more, D·m by less than
//     2^−46.3, the sum of the two (below 4096) by 2^−41.5, and the subtraction of h (below 2^20.01)
//     by 2^−33: in all below 2^−32.9.
// (3) So for m ≤ τ, r(m) ≤ R(m) + δ ≤ R(τ) + δ ≤ r(τ) + 2δ, and for m ≥ τ, r(m) ≥ r(τ) − 2δ: a τ
//     whose own residual lies more than 2δ beyond −0.01 (or 0.01) vouches for every m on its side
//     being MoveLow (MoveHigh). Nothing faults on that domain.
class EnthalpyDryBulbSearch {
 public:
  EnthalpyDryBulbSearch(double dv, double h, SearchMode mode) : dv_(dv), h_(h) {
    if (mode == SearchMode::Filtered)
      span_ = FindSpan();
  }

  double Residual(double m) const { return checked::Sub(EnthalpyFromMoisture(m, dv_), h_); }
  Verdict operator()(double m) const { return kDryBulbTolerance(Residual(m)); }
  std::optional<CertifiedSpan> Certified() const { return span_; }

 private:
  static constexpr double kInfinity = std::numeric_limits<double>::infinity();
  // The proof's domain holds the searches' bracket.
  static constexpr double kDomain = 100;
  static_assert(-kDomain <= kLowestTemperature && kHighestDryBulb <= kDomain);
  static constexpr double kResidualError = 0x1p-32;  // δ of (2)
  static constexpr double kOffset = 0x1p-20;
  static_assert(kDryAirHeatCapacity - kVapourHeatCapacity / 2 > 0);  // (1)
  static_assert(kVaporisationEnthalpy - kDomain * kVapourHeatCapacity >= 2048 &&
                kVaporisationEnthalpy + kDomain * (kVapourHeatCapacity + kDryAirHeatCapacity) <
                    4096);  // (2)

  std::optional<CertifiedSpan> FindSpan() const {
    const double dk = dv_ / kGramsPerKilogram;
    if (!(dk >= -0.5 && dk <= 1 && std::fabs(h_) <= 0x1p20))
      return std::nullopt;
    // (4) A temperature kOffset beyond each crossing of R with ∓0.01, found by solving the line
    //     (a guess), is kept when its residual shows (3).
    const double width = kDryBulbTolerance.width;
    const double slope = kVapourHeatCapacity * dk + kDryAirHeatCapacity;
    const double intercept = kVaporisationEnthalpy * dk - h_;
    const double low = (-width - intercept) / slope - kOffset;
    const double high = (width - intercept) / slope + kOffset;
    CertifiedSpan span = {-kDomain, -kInfinity, kInfinity, kDomain};
    if (low >= -kDomain && low <= kDomain && Residual(low) + 2 * kResidualError < -width)
      span.move_low_to = low;
    if (high >= -kDomain && high <= kDomain && Residual(high) - 2 * kResidualError > width)
      span.move_high_from = high;
    return IfCertifying(span);
  }

  double dv_;
  double h_;
  std::optional<CertifiedSpan> span_;
};

}  // namespace tarvel
