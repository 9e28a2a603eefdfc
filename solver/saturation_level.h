#pragma once

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
// filter declines every step).
//
// Then on each branch of Pb:
// - From 30 °C Pb is enclosed (EncloseSaturation, or the branch's range) and the enclosure is
//   compared with p1 and p3.
// - Below 30 °C Pb is Exp(s), the correctly rounded exponential of an exponent s: from 0 °C the
//   fit's exponent, which costs four operations and is computed here exactly as Pb computes it;
//   below 0 °C the ice formula's, enclosed by EncloseIceExponent. Exp rounds e^s to nearest and
//   p1, p3 are doubles, so s ≤ ln p1 gives P ≤ p1, and s ≥ ln next(p1) gives P > p1. The
//   thresholds on s are bounds of those logarithms, found once: for y = ApproximateLog(p),
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
    const std::optional<double> p1 = LastBefore(target - tolerance.width, Verdict::Accept, v);
    const std::optional<double> p3 = LastBefore(target + tolerance.width, Verdict::MoveHigh, v);
    if (!p1 || !p3)
      return;
    known_ = true;
    low_end_ = *p1;
    high_end_ = *p3;
    move_low_below_ = LowerLog(*p1);
    accept_from_ = UpperLog(*p1);
    accept_below_ = LowerLog(*p3);
    move_high_from_ = UpperLog(*p3);
  }

  // The verdict at the midpoint m, or Undecided where the exact evaluation must decide.
  Decision operator()(double m) const {
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
      const double x = SaturationFormula<EnclosingElementary>::ExponentialFitExponent(m);
      return OnExponent(x, x);
    }
    if (!(m >= kEnclosureLowest))
      return Decision::Undecided;
    const Decision d = OnPressure(kIceSaturationRange);
    if (d != Decision::Undecided)
      return d;
    const RoundedInterval s = EncloseIceExponent(m);
    if (!s.finite)
      return Decision::Undecided;
    return OnExponent(s.lo, s.hi);
  }

  // β above.
  static constexpr double kThresholdWidening = 0x1p-44;

 private:
  static constexpr double kInfinity = std::numeric_limits<double>::infinity();

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

  static double LowerLog(double p) {
    if (p < elementary::kApproximateLogLowest)
      return -kInfinity;
    if (p > elementary::kApproximateLogHighest)
      return kInfinity;
    return elementary::ApproximateLog(p) - kThresholdWidening;
  }
  static double UpperLog(double p) {
    if (p < elementary::kApproximateLogLowest)
      return -kInfinity;
    if (p > elementary::kApproximateLogHighest)
      return kInfinity;
    return elementary::ApproximateLog(p) + kThresholdWidening;
  }

  Decision OnPressure(const RoundedInterval& p) const {
    if (!p.finite)
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
      if (d != Decision::Undecided)
        return VerdictOf(d);
    }
    return tolerance_(Residual(m));
  }

 private:
  double target_;
  Tolerance tolerance_;
  bool filtered_;
  std::optional<SaturationLevel> level_;
};

}  // namespace tarvel
