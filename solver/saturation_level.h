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
// (the Accept part may be empty). They are found once per search, exactly: where the target is
// at least four tolerances, in closed form (LargestUpTo); otherwise from the rounded target ∓
// tolerance, a few steps of one ulp until v changes between a double and the next one (when that
// takes more than a few steps, which it never does for the searches' targets, the filter declines
// every step). Any enclosure of Pb(m) that lies on one side of p1 and of p3 then decides the step.
//
// On each branch of Pb, in the order of cost:
// - From 30 °C and below 0 °C, the branch's range (QuickSaturationEnclosure), then
//   EncloseSaturation (from 30 °C) or the exponent below (below 0 °C).
// - From 0 °C to below 30 °C, certified temperatures first: for each of p1 and p3, one just below
//   and one just above the temperature where the fit reaches it, found once by inverting the fit,
//   with the proof (CertifiedAround) that every m of the branch up to the first has Pb(m) at or
//   below the threshold and every m from the second on above it. A step then costs a comparison
//   of m. Between them, the table (EncloseFitByTable), then the exponent.
// - Below 30 °C Pb is Exp(s), the correctly rounded exponential of an exponent s: from 0 °C the
//   fit's exponent, which costs four operations and is computed here exactly as Pb computes it;
//   below 0 °C the ice formula's, enclosed by EncloseIceExponent. Exp rounds e^s to nearest and
//   p1, p3 are doubles, so s ≤ ln p1 gives P ≤ p1, and s ≥ ln next(p1) gives P > p1. The
//   thresholds X on s are bounds of those logarithms, found once: for y = ApproximateLog(c),
//   within α = 2^−46.5 of ln c (c in [2^−60, 2^60], so |y| < 42), where c is p itself or, in the
//   closed form, the rounded sum that p is or lies one double below, so that
//   ln p ≤ ln c ≤ ln p + 2^−52 and ln next(p) ≤ ln c + 2^−52 (next(p) ≤ next(c) ≤ c (1 + 2^−52)):
//     lower(p) = RN(y − β) ≤ y − β + 2^−48 ≤ ln c − 2^−52 ≤ ln p,
//     upper(p) = RN(y + β) ≥ y + β − 2^−48 ≥ ln c + 2^−52 ≥ ln next(p),
//   as β = kThresholdWidening = 2^−44 exceeds α + 2^−48 + 2^−52.
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
    // The doubles whose logarithms bound those of p1 and p3 (see the class comment).
    double low_sum;
    double high_sum;
    if (tolerance.width > 0 && target >= 4 * tolerance.width && target <= kLargestTarget) {
      // MoveLow up to target − width (inclusive: below it), MoveHigh from target + width on
      // (inclusive: above it); see LargestUpTo.
      low_sum = target - tolerance.width;
      high_sum = target + tolerance.width;
      p1 = LargestUpTo(target, -tolerance.width, !tolerance.inclusive);
      p3 = LargestUpTo(target, tolerance.width, tolerance.inclusive);
    } else {
      p1 = LastBefore(target - tolerance.width, Verdict::Accept, v);
      p3 = LastBefore(target + tolerance.width, Verdict::MoveHigh, v);
      if (!p1 || !p3)
        return;
      low_sum = *p1;
      high_sum = *p3;
    }
    known_ = true;
    low_end_ = *p1;
    high_end_ = *p3;
    // The logarithms start from the sums, so that they need not wait for p1 and p3.
    const Bounds low_log = LogBounds(low_sum);
    const Bounds high_log = LogBounds(high_sum);
    move_low_below_ = low_log.lower;
    accept_from_ = low_log.upper;
    accept_below_ = high_log.lower;
    move_high_from_ = high_log.upper;
    const Crossing low = CertifiedAround(low_log.center);
    const Crossing high = CertifiedAround(high_log.center);
    fit_move_low_to_ = low.below;
    fit_accept_from_ = low.above;
    fit_accept_to_ = high.below;
    fit_move_high_from_ = high.above;
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
  // all MoveLow) or beyond p3 (the polynomial, all MoveHigh; and ice too, when the fit's branch is
  // all MoveHigh as well). The certified parts of the fit branch adjoin those:
  // [0, fit_move_low_to_] and [fit_move_high_from_, 30).
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
      // A target below every Pb of the domain (a negative vapour pressure): all MoveHigh.
      if (kIceSaturationRange.lo > high_end_ && span.move_high_from == 0) {
        span.from = kEnclosureLowest;
        span.move_high_from = kEnclosureLowest;
      }
    }
    return span;
  }

  // β above.
  static constexpr double kThresholdWidening = 0x1p-44;

 private:
  static constexpr double kInfinity = std::numeric_limits<double>::infinity();
  // The largest double below 30 °C, the fit's last temperature.
  static constexpr double kBelow30 = 0x1.dffffffffffffp4;
  // The certified temperatures' distance from the guessed crossing (see CertifiedAround): far
  // beyond the guess's error, and still a tiny part of any tolerance's span of temperature.
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

  // The certified temperatures around the crossing of a threshold p (p1 or p3), from
  // center = ApproximateLog(c) for the c of the class comment: every m in [0, below] has
  // Pb(m) ≤ p, and every m in [above, 30) has Pb(m) > p (−∞ and +∞ certify nothing).
  //
  // Proof. With the fit's constants as the doubles they are, x(t) = A·t/(B + t) + C has the
  // inverse t*(X) = B·(X − C)/(A − (X − C)), and x' = AB/(B + t)² ≥ 0.0573 on [0, 30.2]. Pb's
  // double exponent at m in [0, 30) is within η = 2^−49.22 of x(m) (saturation_table.h), and
  // ln c − α ≤ center ≤ ln c + α, α = 2^−46.5 (ApproximateLog). Exp rounds to nearest and p is a
  // double, so an exponent at most ln p gives Pb(m) ≤ p, and one at least ln next(p) gives
  // Pb(m) ≥ next(p) > p; and ln p ≥ ln c − 2^−52, ln next(p) ≤ ln c + 2^−52.
  // - y in [0, 1.95]: center lies in [C, C + 1.95] ⊂ [C/2, 2C], so y = center − C is exact
  //   (Sterbenz), and t* = t*(center) = B·y/(A − y) lies in [0, 30.19] with x(t*) = center. The
  //   guess g, B·y/(A − y) with three roundings, is within 3.0001u·t* < 2^−46.2 of t*, and g ∓ δ
  //   (δ = kGuessOffset = 2^−38) rounds by at most 2^−49 (below 32). So below ≤ t* − d and
  //   above ≥ t* + d with d = δ − 2^−46.2 − 2^−49 > 0.9961δ, and by the bound on x' the exponent
  //   at m ≤ below is at most center − 0.0573·d + η ≤ ln c + α − 2^−42.14 + η, below ln c − 2^−52,
  //   and at m ≥ above at least center + 2^−42.14 − η ≥ ln c − α + 2^−42.14 − η, above
  //   ln c + 2^−52 (2^−42.14 exceeds α + η + 2^−52 by far). Below is cut to the branch's last
  //   double; an end that leaves the branch certifies nothing.
  // - y > 1.95: every m below 30 has x(m) < x(30) = C + 1.93914 < center − 0.01 (y rounds by at
  //   most 2^−47 below 64; and +∞ stands for a p above every Pb of the branch): all of it lies at
  //   or below p.
  // - y ≤ −2^−40: center ≤ C − 2^−41, and every m from 0 has x(m) ≥ C (−∞ stands for a p below
  //   every Pb): all of the branch lies above p.
  // - Otherwise (and for NaN) nothing is certified.
  struct Crossing {
    double below;
    double above;
  };
  static Crossing CertifiedAround(double center) {
    const double y = center - 6.4147;
    if (y >= 0 && y <= 1.95) {
      const double guess = 239.78 * y / (17.438 - y);
      const double below = guess - kGuessOffset;
      const double above = guess + kGuessOffset;
      return {below >= 0 ? std::min(below, kBelow30) : -kInfinity, above < 30 ? above : kInfinity};
    }
    if (y > 1.95)
      return {kBelow30, kInfinity};
    if (y <= -0x1p-40)
      return {-kInfinity, 0};
    return {-kInfinity, kInfinity};
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

  // Where the level's certified temperatures decide; nothing in the exact mode, or where nothing
  // is certified (so that the search does not look for certified steps at every step).
  std::optional<CertifiedSpan> Certified() const {
    if (!filtered_)
      return std::nullopt;
    const CertifiedSpan span = level_->Certified();
    if (span.move_low_to == -std::numeric_limits<double>::infinity() &&
        span.move_high_from == std::numeric_limits<double>::infinity())
      return std::nullopt;
    return span;
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
