#pragma once

#include <algorithm>
#include <limits>
#include <optional>

#include "physics/float_bits.h"
#include "physics/rounded_interval.h"
#include "physics/saturation_branches.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_slope.h"
#include "solver/certified_steps.h"
#include "solver/crossing_starts.h"
#include "solver/fit_certified_temperatures.h"
#include "solver/ice_certified_temperatures.h"
#include "solver/polynomial_certified_temperatures.h"
#include "solver/saturation_log_bounds.h"
#include "solver/saturation_thresholds.h"
#include "solver/search_verdict.h"

namespace tarvel {

// The verdicts of a search whose residual is Pb(m) − target and nothing else, found without forming
// Pb where that is enough: by the thresholds p1 and p3 of the target (saturation_thresholds.h),
// any enclosure of Pb(m) on one side of each decides the step.
//
// On each branch of Pb, in the order of cost:
// - From 30 °C: the branch's range, then EnclosePolynomial, then EncloseSaturation.
// - From 0 °C to below 30 °C: the certified temperatures of p1 and p3 on m alone
//   (fit_certified_temperatures.h), then the table (EncloseFitByTable), then the fit's exponent,
//   computed exactly as Pb computes it, against the bounds of the thresholds' logarithms
//   (saturation_log_bounds.h).
// - Below 0 °C: the certified temperatures of p1 and p3 (ice_certified_temperatures.h), the
//   branch's range, then the enclosure of the ice formula's exponent against the same bounds.
// The certified temperatures of all three branches, the polynomial's too
// (polynomial_certified_temperatures.h), also make the search's span (Certified).
// (1) Nothing here can fault: the fit's exponent is moderate for m in [0, 30), and every other
//     value is an enclosure or a comparison. So a decided step is one whose exact evaluation
//     would not have faulted either (Pb cannot fault on the domain, and P − target is finite).
class SaturationLevel {
 public:
  // Inline into every search, which then interleaves the setup with its own work.
  [[gnu::always_inline]] SaturationLevel(double target, Tolerance tolerance) {
    const std::optional<SaturationThresholds> thresholds =
        SaturationThresholds::Of(target, tolerance);
    if (!thresholds)
      return;
    known_ = true;
    low_end_ = thresholds->p1;
    high_end_ = thresholds->p3;
    // The logarithms start from the c of each threshold, so that they need not wait for p1 and p3.
    const LogBounds low_log = LogBounds::Of(thresholds->c1);
    const LogBounds high_log = LogBounds::Of(thresholds->c3);
    move_low_below_ = low_log.lower;
    accept_from_ = low_log.upper;
    accept_below_ = high_log.lower;
    move_high_from_ = high_log.upper;
    low_center_ = low_log.center;
    high_center_ = high_log.center;
    if (high_end_ >= low_end_)
      ice_ = IceCertifiedTemperatures(low_end_, low_log.center, high_end_, high_log.center);
    const FitCrossing low = CertifiedAround(low_log.center);
    const FitCrossing high = CertifiedAround(high_log.center);
    fit_move_low_to_ = low.below;
    fit_accept_from_ = low.above;
    fit_accept_to_ = high.below;
    fit_move_high_from_ = high.above;
  }

  // The verdict at the midpoint m, or Undecided where the exact evaluation must decide.
  Decision operator()(double m) const {
    // The certified temperatures first: most steps end here, on a comparison of m.
    if (m <= fit_move_low_to_ && m >= kExponentialFitFrom)
      return Decision::MoveLow;
    if (m >= fit_move_high_from_ && m < kPolynomialFrom)
      return Decision::MoveHigh;
    if (m >= fit_accept_from_ && m <= fit_accept_to_)
      return Decision::Accept;
    if (!known_)
      return Decision::Undecided;
    if (m >= kPolynomialFrom) {
      if (!(m <= kEnclosureHighest))
        return Decision::Undecided;
      const Decision d = OnPressure(kPolynomialSaturationRange);
      if (d != Decision::Undecided)
        return d;
      if (const Decision e = OnPressure(EnclosePolynomial(m)); e != Decision::Undecided)
        return e;
      return OnPressure(EncloseSaturation(m));
    }
    if (m >= kExponentialFitFrom) {
      const Decision d = OnPressure(EncloseFitByTable(m));
      if (d != Decision::Undecided)
        return d;
      const double x = SaturationFormula<EnclosingElementary>::ExponentialFitExponent(m);
      return OnExponent(x, x);
    }
    if (!(m >= kEnclosureLowest))
      return Decision::Undecided;
    if (m <= ice_.move_low_to)
      return Decision::MoveLow;
    if (m >= ice_.move_high_from)
      return Decision::MoveHigh;
    if (m >= ice_.accept_from && m <= ice_.accept_to)
      return Decision::Accept;
    const Decision d = OnPressure(kIceSaturationRange);
    if (d != Decision::Undecided)
      return d;
    const RoundedInterval s = EncloseIceExponent(m);
    if (!s.Finite())
      return Decision::Undecided;
    return OnExponent(s.lo, s.hi);
  }

  // Where the verdict is decided on m alone: by the certified temperatures of each branch, joined
  // across the branches where a whole branch is certified.
  CertifiedSpan Certified() const {
    // (2) On the fit's branch, the certified temperatures: MoveLow on [0, fit_move_low_to_],
    //     MoveHigh on [fit_move_high_from_, 30) (fit_certified_temperatures.h).
    CertifiedSpan span{std::numeric_limits<double>::min(), fit_move_low_to_, fit_move_high_from_,
                       kPolynomialFrom};
    if (!known_ || !(high_end_ >= low_end_))
      return span;
    const FitCrossing ice{ice_.move_low_to, ice_.move_high_from};
    const FitCrossing polynomial = PolynomialCrossings();
    // (3) MoveLow up from the domain's lowest temperature: the ice branch's MoveLow part, and when
    //     that is the whole branch, on into the fit's (the zeros are the fit's first temperature),
    //     and when that is the whole branch too, on into the polynomial's. The MoveLow part of a
    //     branch lies below its MoveHigh part, and the fit's whole branch above p3 has no MoveLow
    //     part: so MoveLow and MoveHigh stay apart.
    if (ice.below == kIceBranch.last) {
      span.from = kEnclosureLowest;
      if (!(span.move_low_to >= kExponentialFitFrom))
        span.move_low_to = kIceBranch.last;
      else if (span.move_low_to == kFitLast && polynomial.below >= kPolynomialFrom) {
        span.move_low_to = polynomial.below;  // with no MoveHigh part below the polynomial's
        span.below = NextUp(kEnclosureHighest);
      }
    } else if (ice.below >= kEnclosureLowest) {
      span.from = kEnclosureLowest;
      span.move_low_to = ice.below;
    }
    // (4) MoveHigh down from the domain's highest temperature, alike: the polynomial's MoveHigh
    //     part, and when that is the whole branch, the fit's, and when that is the whole branch,
    //     the ice branch's.
    if (polynomial.above == kPolynomialFrom) {
      span.move_high_from = std::min(span.move_high_from, kPolynomialFrom);
      span.below = NextUp(kEnclosureHighest);
      if (span.move_high_from == kExponentialFitFrom && ice.above < kExponentialFitFrom) {
        span.from = kEnclosureLowest;
        span.move_high_from = ice.above;
      }
    } else if (polynomial.above <= kEnclosureHighest) {
      span.move_high_from = polynomial.above;
      span.below = NextUp(kEnclosureHighest);
    }
    return span;
  }

 private:
  // (5) The polynomial's certified temperatures: all of it below p1 or above p3 by its range,
  //     otherwise around the crossings (polynomial_certified_temperatures.h), each found apart
  //     from the other, so that neither waits on the other.
  FitCrossing PolynomialCrossings() const {
    FitCrossing polynomial{-kInfinity, kInfinity};
    if (kPolynomialSaturationRange.hi <= low_end_) {
      polynomial.below = kPolynomialBranch.last;
    } else if (kPolynomialSaturationRange.lo <= low_end_) {
      polynomial.below = PolynomialBelow(
          low_end_, PolynomialCrossing(low_end_, PolynomialCrossingStart(low_center_)));
    }
    if (kPolynomialSaturationRange.lo > high_end_) {
      polynomial.above = kPolynomialBranch.first;
    } else if (kPolynomialSaturationRange.hi > high_end_) {
      polynomial.above = PolynomialAbove(
          high_end_, PolynomialCrossing(high_end_, PolynomialCrossingStart(high_center_)));
    }
    return polynomial;
  }

  Decision OnPressure(const RoundedInterval& p) const {
    if (!p.Finite())
      return Decision::Undecided;
    if (p.hi <= low_end_)
      return Decision::MoveLow;
    if (p.lo > high_end_)
      return Decision::MoveHigh;
    if (p.lo > low_end_ && p.hi <= high_end_)
      return Decision::Accept;
    return Decision::Undecided;
  }

  // (6) On an enclosure [lo, hi] of the exponent s of Pb = Exp(s): s ≤ lower(p1) gives P ≤ p1,
  //     s ≥ upper(p1) gives P > p1, and likewise for p3 (saturation_log_bounds.h (1)).
  Decision OnExponent(double lo, double hi) const {
    if (hi <= move_low_below_)
      return Decision::MoveLow;
    if (lo >= move_high_from_)
      return Decision::MoveHigh;
    if (lo >= accept_from_ && hi <= accept_below_)
      return Decision::Accept;
    return Decision::Undecided;
  }

  static constexpr double kInfinity = std::numeric_limits<double>::infinity();

  bool known_ = false;
  double low_end_ = 0;         // p1
  double high_end_ = 0;        // p3
  double move_low_below_ = 0;  // lower(p1)
  double accept_from_ = 0;     // upper(p1)
  double accept_below_ = 0;    // lower(p3)
  double move_high_from_ = 0;  // upper(p3)
  double low_center_ = 0;      // about ln p1
  double high_center_ = 0;     // about ln p3
  IceTemperatures ice_;        // the ice branch's certified temperatures
  // The fit's certified temperatures.
  double fit_move_low_to_ = -kInfinity;
  double fit_accept_from_ = kInfinity;
  double fit_accept_to_ = -kInfinity;
  double fit_move_high_from_ = kInfinity;
};

}  // namespace tarvel
