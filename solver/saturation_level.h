#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "physics/checked_arithmetic.h"
#include "physics/elementary/approximate_log.h"
#include "physics/float_bits.h"
#include "physics/rounded_interval.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_pressure.h"
#include "solver/bisection.h"
#include "solver/search_mode.h"
#include "solver/search_verdict.h"

namespace tarvel {

// The verdicts of a search whose residual is Pb(m) − target and nothing else (the dew-point
// searches, and the dry-bulb searches for a saturation pressure), found without forming Pb where
// that is enough.
//
// The verdict depends on m only through the double P = Pb(m): it is v(P) = tolerance(P − target),
// the subtraction rounded, and v is monotone in P (rounding is monotone, and so is the tolerance
// test, see Tolerance). So there are two doubles p1 and p3 that split all doubles P:
//   P ≤ p1: MoveLow;   p1 < P ≤ p3: Accept;   p3 < P: MoveHigh
// (the Accept part may be empty). They are found once per search, exactly: from the rounded
// target ∓ tolerance, a few steps of one ulp until v changes between a double and the next one
// (when that takes more than a few steps, which it never does for the searches' targets, the
// filter declines every step). Any enclosure of Pb(m) that lies on one side of p1 and of p3 then
// decides the step.
//
// On each branch of Pb, in the order of cost:
// - From 30 °C and below 0 °C, the branch's range (QuickSaturationEnclosure), then
//   EncloseSaturation (from 30 °C) or the exponent below (below 0 °C).
// - From 0 °C to below 30 °C, certified temperatures first: the fit's exponent x(m), as a real
//   function, rises with m, and the double x that Pb computes is within η = 2^−49.22 of it
//   (saturation_table.h). So for m ≤ τ in the branch, x ≤ x(m) + η ≤ x(τ) + η ≤ x_τ + 2η, with
//   x_τ the double at τ; and for m ≥ τ, x ≥ x_τ − 2η. Once per search, a τ is placed next to
//   each threshold X below by inverting the fit (roughly: it is only a guess) and kept when x_τ,
//   computed exactly, lies beyond RN(X ∓ 2^−47), that is beyond X ∓ (2^−47 − 2^−50) (the
//   thresholds of this branch have |X| < 16, where the rounding errs by at most 2^−50), which is
//   more than 2η. A step then costs a comparison of m. Between them, the table
//   (EncloseFitByTable), then the exponent.
// - Below 30 °C Pb is Exp(s), the correctly rounded exponential of an exponent s: from 0 °C the
//   fit's exponent, which costs four operations and is computed here exactly as Pb computes it;
//   below 0 °C the ice formula's, enclosed by EncloseIceExponent. Exp rounds e^s to nearest and
//   p1, p3 are doubles, so s ≤ ln p1 gives P ≤ p1, and s ≥ ln next(p1) gives P > p1. The
//   thresholds X on s are bounds of those logarithms, found once: for y = ApproximateLog(p),
//   within α = 2^−46.5 of ln p (p in [2^−60, 2^60], so |y| < 42),
//     lower(p) = RN(y − β) ≤ y − β + 2^−48 ≤ ln p,
//     upper(p) = RN(y + β) ≥ y + β − 2^−48 ≥ ln p + 2^−52 ≥ ln next(p),
//   as β = kThresholdWidening = 2^−44 exceeds α + 2^−48 + 2^−52 and next(p) ≤ p (1 + 2^−52).
//   Below 2^−60 (every Pb of the domain is above 3.6e-8) and above 2^60 (every exponent of the
//   domain is below 40, e^40 < 2^58) the comparisons are decided without a logarithm.
// Nothing here can fault: the fit's exponent is moderate for m in [0, 30), and every other value
// is an enclosure or a comparison. So a decided step is one whose exact evaluation would not
// have faulted either (Pb cannot fault on the domain, and P − target is finite).
class SaturationLevel {
 public:
  SaturationLevel(double target, Tolerance tolerance) {
    const auto v = [&](double p) { return tolerance(p - target); };
    std::optional<double> p1;
    std::optional<double> p3;
    if (tolerance.width > 0 && target >= 4 * tolerance.width && target <= kLargestTarget) {
      // MoveLow up to target − width (inclusive: below it), MoveHigh from target + width on
      // (inclusive: above it); see LargestUpTo.
      p1 = LargestUpTo(target, -tolerance.width, !tolerance.inclusive);
      p3 = LargestUpTo(target, tolerance.width, tolerance.inclusive);
    } else {
      p1 = LastBefore(target - tolerance.width, Verdict::Accept, v);
      p3 = LastBefore(target + tolerance.width, Verdict::MoveHigh, v);
    }
    if (!p1 || !p3)
      return;
    known_ = true;
    low_end_ = *p1;
    high_end_ = *p3;
    const Bounds low_log = LogBounds(*p1);
    const Bounds high_log = LogBounds(*p3);
    move_low_below_ = low_log.lower;
    accept_from_ = low_log.upper;
    accept_below_ = high_log.lower;
    move_high_from_ = high_log.upper;
    // One guess for each pair of thresholds, which lie 2β apart on the exponent.
    const double low_crossing = FitTemperatureNear(low_log.center);
    const double high_crossing = FitTemperatureNear(high_log.center);
    fit_move_low_to_ = FitTemperatureBelow(move_low_below_, low_crossing - kGuessOffset);
    fit_accept_from_ = FitTemperatureAbove(accept_from_, low_crossing + kGuessOffset);
    fit_accept_to_ = FitTemperatureBelow(accept_below_, high_crossing - kGuessOffset);
    fit_move_high_from_ = FitTemperatureAbove(move_high_from_, high_crossing + kGuessOffset);
  }

  // The verdict at the midpoint m, or Undecided where the exact evaluation must decide.
  Decision operator()(double m) const {
    // The certified temperatures first: most steps end here, on a comparison of m.
    if (m <= fit_move_low_to_ && m >= 0)
      return Decision::MoveLow;
    if (m >= fit_move_high_from_ && m < 30)
      return Decision::MoveHigh;
    if (m >= fit_accept_from_ && m <= fit_accept_to_)
      return Decision::Accept;
    if (!known_)
      return Decision::Undecided;
    if (m >= 30) {
      if (!(m <= kEnclosureHighest))
        return Decision::Undecided;
      const Decision d = OnPressure(kPolynomialSaturationRange);
      if (d != Decision::Undecided)
        return d;
      return OnPressure(EncloseSaturation(m));
    }
    if (m >= 0) {
      const Decision d = OnPressure(EncloseFitByTable(m));
      if (d != Decision::Undecided)
        return d;
      const double x = FitExponent(m);
      return OnExponent(x, x);
    }
    if (!(m >= kEnclosureLowest))
      return Decision::Undecided;
    const Decision d = OnPressure(kIceSaturationRange);
    if (d != Decision::Undecided)
      return d;
    const RoundedInterval s = EncloseIceExponent(m);
    if (!s.Finite())
      return Decision::Undecided;
    return OnExponent(s.lo, s.hi);
  }

  // Where the verdict is decided on m alone, as operator() decides it: on the fit branch by the
  // certified temperatures, and on a whole neighbouring branch when its range lies beyond p1 (ice,
  // all MoveLow) or beyond p3 (the polynomial, all MoveHigh). The certified parts of the fit
  // branch adjoin those: [0, fit_move_low_to_] and [fit_move_high_from_, 30).
  CertifiedSpan Certified() const {
    CertifiedSpan span{std::numeric_limits<double>::min(), fit_move_low_to_, fit_move_high_from_,
                       30};
    if (!known_)
      return span;
    if (kIceSaturationRange.hi <= low_end_) {
      span.from = kEnclosureLowest;
      if (!(span.move_low_to >= 0))
        span.move_low_to = -std::numeric_limits<double>::denorm_min();
    }
    if (kPolynomialSaturationRange.lo > high_end_ && high_end_ >= low_end_) {
      span.move_high_from = std::min(span.move_high_from, 30.0);
      span.below = NextUp(kEnclosureHighest);
    }
    return span;
  }

  // β above.
  static constexpr double kThresholdWidening = 0x1p-44;

 private:
  static constexpr double kInfinity = std::numeric_limits<double>::infinity();
  // The largest double below 30 °C, the fit's last temperature.
  static constexpr double kBelow30 = 0x1.dffffffffffffp4;
  // The certificates' margin on the exponent (see the class comment), and the guesses' offset in
  // temperature from the crossing of a pair of thresholds: the exponent rises by at least 0.0574
  // per °C on the branch, so 2^−38 °C moves it by more than 2^−42.1, beyond β + 2^−47 from the
  // crossing (the guess itself is within a few ulps of the crossing's temperature).
  static constexpr double kCertifiedMargin = 0x1p-47;
  static constexpr double kGuessOffset = 0x1p-38;

  static int Rank(Verdict v) {
    switch (v) {
      case Verdict::MoveLow:
        return 0;
      case Verdict::Accept:
        return 1;
      case Verdict::MoveHigh:
        return 2;
    }
    return 2;
  }

  // The largest double p whose verdict comes before `after` (in the order MoveLow, Accept,
  // MoveHigh), looked for around `guess`; nothing when it is not within a few ulps.
  template <typename Judge>
  static std::optional<double> LastBefore(double guess, Verdict after, const Judge& v) {
    const auto before = [&](double p) { return Rank(v(p)) < Rank(after); };
    double p = guess;
    for (int step = 0; step < 8 && std::isfinite(p); ++step) {
      if (!before(p)) {
        p = NextDown(p);
      } else {
        const double next = NextUp(p);
        if (!before(next))
          return p;
        p = next;
      }
    }
    return std::nullopt;
  }

  // The largest double up to target + b (below it, when !or_equal), for |b| ≤ target/4. Fast2Sum
  // gives the error t of c = RN(target + b) exactly (|target| ≥ |b|): target + b = c + t. The
  // thresholds' neighbours lie within target·(1 ± 1/4 ± 2^−52), where P − target is exact
  // (Sterbenz), so there the verdict compares the exact difference with ±width: this largest double
  // is the one LastBefore walks to from c, in one step or none.
  static constexpr double kLargestTarget = 0x1p1000;
  static double LargestUpTo(double target, double b, bool or_equal) {
    const double c = target + b;
    const double t = b - (c - target);
    return (or_equal ? t >= 0 : t > 0) ? c : NextDown(c);
  }

  struct Bounds {
    double lower;   // at most ln p
    double center;  // about ln p
    double upper;   // at least ln next(p)
  };
  static Bounds LogBounds(double p) {
    if (p < elementary::kApproximateLogLowest)
      return {-kInfinity, -kInfinity, -kInfinity};
    if (p > elementary::kApproximateLogHighest)
      return {kInfinity, kInfinity, kInfinity};
    const double y = elementary::ApproximateLog(p);
    return {y - kThresholdWidening, y, y + kThresholdWidening};
  }

  static double FitExponent(double t) {
    return SaturationFormula<EnclosingElementary>::ExponentialFitExponent(t);
  }

  // A temperature of the fit's branch near the one whose exponent is x, the inverse of
  // x(t) = 17.438·t/(239.78 + t) + 6.4147 rounded in any way: [0, 30) holds it.
  static double FitTemperatureNear(double x) {
    const double y = x - 6.4147;
    return OnFitBranch(y >= 17.438 ? kBelow30 : 239.78 * y / (17.438 - y));
  }
  static double OnFitBranch(double t) {
    if (!(t >= 0))
      return 0;
    return t < 30 ? t : kBelow30;
  }
  // `guess` if every m in [0, guess] has an exponent at most x; −∞ if that is not shown.
  static double FitTemperatureBelow(double x, double guess) {
    const double tau = OnFitBranch(guess);
    return FitExponent(tau) <= x - kCertifiedMargin ? tau : -kInfinity;
  }
  // `guess` if every m in [guess, 30) has an exponent at least x; +∞ if that is not shown.
  static double FitTemperatureAbove(double x, double guess) {
    const double tau = OnFitBranch(guess);
    return FitExponent(tau) >= x + kCertifiedMargin ? tau : kInfinity;
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

  Decision OnExponent(double lo, double hi) const {
    if (hi <= move_low_below_)
      return Decision::MoveLow;
    if (lo >= move_high_from_)
      return Decision::MoveHigh;
    if (lo >= accept_from_ && hi <= accept_below_)
      return Decision::Accept;
    return Decision::Undecided;
  }

  bool known_ = false;
  double low_end_ = 0;         // p1
  double high_end_ = 0;        // p3
  double move_low_below_ = 0;  // lower(p1)
  double accept_from_ = 0;     // upper(p1)
  double accept_below_ = 0;    // lower(p3)
  double move_high_from_ = 0;  // upper(p3)
  // The fit's certified temperatures.
  double fit_move_low_to_ = -kInfinity;
  double fit_accept_from_ = kInfinity;
  double fit_accept_to_ = -kInfinity;
  double fit_move_high_from_ = kInfinity;
};

// A search for the temperature whose saturation pressure is `target`, to `tolerance`: its residual
// Pb(m) − target, and its verdict, by the level filter in the filtered mode where that decides.
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

  // Where the level's certified temperatures decide; nothing in the exact mode.
  std::optional<CertifiedSpan> Certified() const {
    if (!filtered_)
      return std::nullopt;
    return level_->Certified();
  }

  // Out of line, so that the search's loop keeps its bracket in registers around the rare call.
  [[gnu::noinline]] Verdict ExactVerdict(double m) const { return tolerance_(Residual(m)); }

 private:
  double target_;
  Tolerance tolerance_;
  bool filtered_;
  std::optional<SaturationLevel> level_;
};

}  // namespace tarvel
