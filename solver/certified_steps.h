#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "physics/float_bits.h"

namespace tarvel {

// Where a search knows its verdicts without testing: every double m with from ≤ m ≤ move_low_to
// is judged MoveLow, and every one with move_high_from ≤ m < below MoveHigh, and judging any of
// them would raise no numeric fault. All four are finite but for a bound that certifies nothing
// (move_low_to −∞, move_high_from +∞), and lie within a few hundred of 0.
struct CertifiedSpan {
  double from;
  double move_low_to;
  double move_high_from;
  double below;
};

// The span, or nothing when it certifies no verdict at all, so that a search with such a span
// does not look for certified steps at every step for nothing.
inline std::optional<CertifiedSpan> IfCertifying(const CertifiedSpan& span) {
  if (span.move_low_to == -std::numeric_limits<double>::infinity() &&
      span.move_high_from == std::numeric_limits<double>::infinity())
    return std::nullopt;
  return span;
}

// The steps of CertifiedSteps (below) once lo and hi, 0 < lo < hi, lie in one binade, `made` of
// them made before; MoveLow up to move_low_to, MoveHigh from move_high_from. Returns the count
// made. Claims (2) to (5) of CertifiedSteps.
inline int StepsInOneBinade(double& lo, double& hi, int made, int steps, double move_low_to,
                            double move_high_from) {
  constexpr std::uint64_t kFraction = 0xfffffffffffff;
  const double low_end = lo;
  const double high_end = hi;
  // (2) In the binade the doubles are u = 2^(e−52) apart, and the encoding of x is E + (x − 2^e)/u
  //     for the binade's first encoding E, up to 2^(e+1) itself: lo = (2^52 + A)·u and
  //     hi = (2^52 + B)·u with 0 ≤ A < B ≤ 2^52, and the order of doubles of the binade is the
  //     order of their offsets.
  const std::int64_t first = static_cast<std::int64_t>(BitsOf(low_end) & ~kFraction);
  const auto offset = [first](double x) { return static_cast<std::int64_t>(BitsOf(x)) - first; };
  std::int64_t a = offset(low_end);
  std::int64_t b = offset(high_end);
  // (3) The offsets of the bounds, clamped to [a, b]: by (5) no midpoint is at or below a, or at
  //     or above b, so the clamp changes no verdict.
  const std::int64_t low_to = move_low_to >= high_end  ? b
                              : move_low_to >= low_end ? offset(move_low_to)
                                                       : a;
  const std::int64_t high_from = move_high_from <= low_end    ? a
                                 : move_high_from <= high_end ? offset(move_high_from)
                                                              : b;
  // The midpoints that no bound certifies are those in [gap_from, gap_from + gap): one unsigned
  // comparison, a branch the processor predicts (it is taken once), where a test of each bound in
  // turn would branch on the verdict itself.
  const std::int64_t gap_from = low_to + 1;
  const std::uint64_t gap =
      high_from > gap_from ? static_cast<std::uint64_t>(high_from - gap_from) : 0;
  // Two conditional moves, which the compiler keeps as such (with a third select it turns them
  // into a branch on the verdict).
  while (made < steps && b - a >= 2) {
    // (4) lo + hi = (2^53 + A + B)·u lies in [2^(e+1), 2^(e+2)), where the doubles are 2u apart:
    //     the sum rounds to the nearest multiple of 2u, a tie to the one with an even
    //     significand, and halving it is exact. So the midpoint is (2^52 + M)·u with M = S/2
    //     rounded to an integer, a tie to the even one (2^52 is even), S = A + B: ⌊S/2⌋ when S is
    //     even, otherwise (⌊S/2⌋ + 1) with its last bit cleared.
    const std::int64_t sum = a + b;
    const std::int64_t odd = sum & 1;
    const std::int64_t m = ((sum >> 1) + odd) & ~odd;
    // (5) While B − A ≥ 2, A < M < B: every midpoint lies inside the bracket.
    if (static_cast<std::uint64_t>(m - gap_from) < gap)
      break;
    const bool low = m <= low_to;
    a = low ? m : a;
    b = low ? b : m;
    ++made;
  }
  lo = DoubleFromBits(static_cast<std::uint64_t>(first + a));
  hi = DoubleFromBits(static_cast<std::uint64_t>(first + b));
  return made;
}

// Runs up to `steps` bisection steps on the bracket (lo, hi) for as long as each midpoint's
// verdict is one the span certifies, and returns how many it made; lo and hi are then the bracket
// those steps leave, exactly as the plain steps with their verdicts would have left it. Nothing is
// made unless lo and hi lie in [from, below].
//
// The point is speed. A step on the encodings is a few one-cycle integer operations and two
// conditional moves, with no branch on the verdict for the processor to mispredict; the plain
// step waits for a floating-point addition and multiplication, and mispredicts about every other
// verdict. The steps before the ends share a binade, of positive or of negative numbers (from the
// first bracket, some five), are made on doubles, with the search's judge and its bookkeeping
// left out of them.
inline int CertifiedSteps(double& lo, double& hi, int steps, const CertifiedSpan& span) {
  const auto inside = [&span](double x) { return x >= span.from && x <= span.below; };
  if (!inside(lo) || !inside(hi))
    return 0;
  constexpr std::uint64_t kFraction = 0xfffffffffffff;
  // 0 < a < b in one binade [2^e, 2^(e+1)], its upper end included, a normal.
  const auto one_binade = [](double a, double b) {
    return a >= std::numeric_limits<double>::min() && a < b &&
           BitsOf(b) - (BitsOf(a) & ~kFraction) <= kFraction + 1;
  };
  // The ends in locals, which stay in registers (the references would go through memory).
  double low_end = lo;
  double high_end = hi;
  int made = 0;
  // Both ends in one binade of positive numbers, or of negative ones (mirrored).
  const auto in_one_binade = [&one_binade](double a, double b) {
    return a > 0 ? one_binade(a, b) : one_binade(-b, -a);
  };
  while (!in_one_binade(low_end, high_end)) {
    // (1) The plain step's midpoint, both operations rounded; with both ends in the span nothing
    //     overflows. The low verdict is looked at first, as the search's own judge looks at it. A
    //     step whose midpoint is an end is left to the plain step, which knows what to make of a
    //     bracket that no longer shrinks.
    const double mid = (low_end + high_end) / 2;
    const bool low = mid >= span.from && mid <= span.move_low_to;
    if (made == steps || (!low && !(mid >= span.move_high_from && mid < span.below)) ||
        mid == low_end || mid == high_end) {
      lo = low_end;
      hi = high_end;
      return made;
    }
    if (low)
      low_end = mid;
    else
      high_end = mid;
    ++made;
  }
  if (low_end > 0) {
    made = StepsInOneBinade(low_end, high_end, made, steps, span.move_low_to, span.move_high_from);
  } else {
    // (6) Both ends negative: the steps mirrored. Rounding to nearest is symmetric, so the
    //     midpoint of −hi and −lo is minus the midpoint of lo and hi, and a midpoint that moves
    //     the lower end moves the upper end of the mirrored bracket: MoveLow up to move_low_to
    //     becomes MoveHigh from −move_low_to, and MoveHigh from move_high_from MoveLow up to
    //     −move_high_from.
    //     A span whose two parts overlap gives MoveLow the first word, as (1) does: the mirrored
    //     MoveLow part ends below −move_low_to.
    double a = -high_end;
    double b = -low_end;
    made = StepsInOneBinade(a, b, made, steps,
                            std::fmin(-span.move_high_from, NextDown(-span.move_low_to)),
                            -span.move_low_to);
    low_end = -b;
    high_end = -a;
  }
  lo = low_end;
  hi = high_end;
  return made;
}

}  // namespace tarvel
