// The certified steps against plain bisection steps with the same verdicts: the same count and
// the same bracket, to the bit, on brackets chosen where the encodings' arithmetic could go wrong:
// ties in the midpoint's rounding, ends on a power of two, brackets a few doubles wide, bounds on
// and next to midpoints, negative and reversed brackets.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <utility>

#include "physics/float_bits.h"
#include "solver/certified_steps.h"

namespace tarvel {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct Outcome {
  int made;
  double lo;
  double hi;
};

// One plain step after another, each midpoint (lo + hi) / 2 judged by the span's two rules.
Outcome PlainSteps(double lo, double hi, int steps, const CertifiedSpan& span) {
  const auto inside = [&span](double x) { return x >= span.from && x <= span.below; };
  int made = 0;
  if (!inside(lo) || !inside(hi))
    return {0, lo, hi};
  while (made < steps) {
    const double mid = (lo + hi) / 2;
    const bool low = mid >= span.from && mid <= span.move_low_to;
    const bool high = mid >= span.move_high_from && mid < span.below;
    if ((!low && !high) || mid == lo || mid == hi)
      break;
    (low ? lo : hi) = mid;
    ++made;
  }
  return {made, lo, hi};
}

double Offset(double x, std::int64_t ulps) {
  return DoubleFromBits(static_cast<std::uint64_t>(static_cast<std::int64_t>(BitsOf(x)) + ulps));
}

TEST(CertifiedSteps, LeaveTheBracketThePlainStepsLeave) {
  std::mt19937_64 random(20261209);
  const auto below = [&](std::uint64_t n) { return random() % n; };
  const auto uniform = [&](double a, double b) {
    return std::uniform_real_distribution<>(a, b)(random);
  };
  int compared = 0;
  int long_runs = 0;
  for (int i = 0; i < 200000; ++i) {
    double lo;
    double hi;
    switch (below(4)) {
      case 0:  // a bracket within one binade, a few doubles to the whole binade wide
        lo = std::ldexp(1 + uniform(0, 1), static_cast<int>(below(10)) - 4);
        hi = Offset(lo, static_cast<std::int64_t>(2 + below(below(2) ? 64 : 1ull << 52)));
        break;
      case 1:  // an end on a power of two
        hi = std::ldexp(1.0, static_cast<int>(below(8)) - 2);
        lo = Offset(hi, -static_cast<std::int64_t>(2 + below(1ull << 52)));
        if (below(2))
          lo = hi / 2;
        if (below(3) == 0)  // or just past it
          hi = Offset(hi, static_cast<std::int64_t>(1 + below(2)));
        break;
      case 2:  // across binades and signs, as the searches begin
        lo = uniform(-140, 30);
        hi = uniform(-140, 30);
        break;
      default:  // a search's first bracket
        lo = -99;
        hi = uniform(-99, 30);
        break;
    }
    // Bounds on or next to one of the first midpoints, or anywhere, or certifying nothing.
    const auto bound = [&]() {
      double a = lo;
      double b = hi;
      for (int k = static_cast<int>(below(30)); k > 0; --k)
        (below(2) ? a : b) = (a + b) / 2;
      const double m = (a + b) / 2;
      switch (below(3)) {
        case 0:
          return Offset(m, static_cast<std::int64_t>(below(5)) - 2);
        case 1:
          return uniform(std::fmin(lo, hi), std::fmax(lo, hi));
        default:
          return m;
      }
    };
    double low_to = bound();
    double high_from = bound();
    if (low_to > high_from && below(4) != 0)
      std::swap(low_to, high_from);
    if (below(8) == 0)
      low_to = -kInfinity;
    if (below(8) == 0)
      high_from = kInfinity;
    const CertifiedSpan span{below(4) ? -140.0 : std::numeric_limits<double>::min(), low_to,
                             high_from, below(4) ? 30.0 : 32.0};
    const int steps = below(8) ? 48 : static_cast<int>(below(48));

    const Outcome plain = PlainSteps(lo, hi, steps, span);
    double fast_lo = lo;
    double fast_hi = hi;
    const int made = CertifiedSteps(fast_lo, fast_hi, steps, span);
    ASSERT_EQ(made, plain.made) << std::hexfloat << lo << " " << hi << " " << low_to << " "
                                << high_from << " " << steps;
    ASSERT_EQ(BitsOf(fast_lo), BitsOf(plain.lo)) << std::hexfloat << lo << " " << hi;
    ASSERT_EQ(BitsOf(fast_hi), BitsOf(plain.hi)) << std::hexfloat << lo << " " << hi;
    ++compared;
    long_runs += plain.made >= 10;
  }
  // The grid must reach the steps on the encodings, not only the first ones on doubles.
  EXPECT_GT(long_runs, compared / 10);
}

}  // namespace
}  // namespace tarvel
