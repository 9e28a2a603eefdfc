#pragma once

#include <cmath>
#include <optional>

#include "physics/float_bits.h"
#include "solver/bisection.h"

namespace tarvel {

// The thresholds of a search whose residual is P − target with P = Pb(m) and nothing else (the
// dew-point searches, and the dry-bulb searches for a saturation pressure).
//
// (1) Its verdict depends on m only through the double P: it is v(P) = tolerance(P − target), the
//     subtraction rounded, and v is monotone in P (rounding is monotone, and so is the tolerance
//     test, see Tolerance). So there are two doubles p1 and p3 that split all doubles P:
//       P ≤ p1: MoveLow;   p1 < P ≤ p3: Accept;   p3 < P: MoveHigh
//     (the Accept part may be empty).
// (2) With each comes a double c whose logarithm the filters take in its place, known before p
//     itself: p is c or the double below it, so ln c − 2^−51 ≤ ln p ≤ ln c, and
//     ln next(p) ≤ ln c + 2^−52 (next(p) ≤ next(c) ≤ c (1 + 2^−52)).
struct SaturationThresholds {
  double p1;
  double p3;
  double c1;
  double c3;

  // The thresholds of `target` to `tolerance`, found once per search, exactly; nothing when they
  // cannot be found in a few steps (which never happens for the searches' targets).
  static std::optional<SaturationThresholds> Of(double target, Tolerance tolerance) {
    // (3) Where the target is at least four tolerances: in closed form, LargestUpTo. MoveLow up to
    //     target − width (inclusive: below it), MoveHigh from target + width on (inclusive: above
    //     it). The sums are the c of (2).
    if (tolerance.width > 0 && target >= 4 * tolerance.width && target <= kLargestTarget) {
      return SaturationThresholds{LargestUpTo(target, -tolerance.width, !tolerance.inclusive),
                                  LargestUpTo(target, tolerance.width, tolerance.inclusive),
                                  target - tolerance.width, target + tolerance.width};
    }
    // (4) Otherwise from the rounded target ∓ width, a few steps of one ulp until v changes
    //     between a double and the next; c = p.
    const auto v = [&](double p) { return tolerance(p - target); };
    const std::optional<double> p1 = LastBefore(target - tolerance.width, Verdict::Accept, v);
    const std::optional<double> p3 = LastBefore(target + tolerance.width, Verdict::MoveHigh, v);
    if (!p1 || !p3)
      return std::nullopt;
    return SaturationThresholds{*p1, *p3, *p1, *p3};
  }

 private:
  static constexpr double kLargestTarget = 0x1p1000;

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

  // The largest double up to target + b (below it, when !or_equal), for |b| ≤ target/4.
  static double LargestUpTo(double target, double b, bool or_equal) {
    // (5) Fast2Sum gives the error t of c = RN(target + b) exactly (|target| ≥ |b|):
    //     target + b = c + t. So c is the answer when t > 0 (or t = 0 and or_equal), and
    //     otherwise the double below it: c or the one below, as (2) says.
    // (6) The thresholds' neighbours lie within target·(1 ± 1/4 ± 2^−52), where P − target is
    //     exact (Sterbenz), so there the verdict compares the exact difference with ±width: this
    //     largest double is the one LastBefore walks to from c.
    const double c = target + b;
    const double t = b - (c - target);
    return (or_equal ? t >= 0 : t > 0) ? c : NextDown(c);
  }
};

}  // namespace tarvel
