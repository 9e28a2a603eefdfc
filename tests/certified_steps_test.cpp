// The certified steps against plain bisection steps with the same verdicts: the same count and
// the same bracket, to the bit, on brackets chosen where the encodings' arithmetic could go wrong
// (ties in the midpoint's rounding, ends on and next to a power of two, brackets a few doubles
// wide, bounds on and next to midpoints, each of them on negative numbers too, and brackets across
// signs and reversed). And the searches' spans
// against their exact verdicts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <tuple>
#include <utility>

#include "physics/float_bits.h"
#include "physics/saturation_pressure.h"
#include "solver/certified_steps.h"
#include "solver/chain_search.h"
#include "solver/dry_bulb_spans.h"
#include "solver/enthalpy_dry_bulb_search.h"
#include "solver/piecewise_span.h"
#include "solver/saturation_search.h"
#include "solver/search_bounds.h"
#include "solver/search_residuals.h"
#include "solver/wet_bulb_span.h"

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
  int made = 0;
  if (!(lo >= span.from && lo <= span.below && hi >= span.from && hi <= span.below))
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
    // The brackets within a binade mirrored: the same steps on negative numbers.
    if (i % 2 == 0 && lo > 0)
      std::tie(lo, hi) = std::pair(-hi, -lo);
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
    const CertifiedSpan span{lo < 0 || below(4) ? -140.0 : std::numeric_limits<double>::min(),
                             low_to, high_from, below(4) ? 30.0 : 32.0};
    const int steps = below(8) ? 48 : static_cast<int>(below(48));

    const Outcome plain = PlainSteps(lo, hi, steps, span);
    double fast_lo = lo;
    double fast_hi = hi;
    const int made = CertifiedSteps(fast_lo, fast_hi, steps, span);
    ASSERT_TRUE(made == plain.made && BitsOf(fast_lo) == BitsOf(plain.lo) &&
                BitsOf(fast_hi) == BitsOf(plain.hi))
        << std::hexfloat << lo << " " << hi << " " << low_to << " " << high_from << " " << steps;
    ++compared;
    long_runs += plain.made >= 10;
  }
  // The grid must reach the steps on the encodings, not only the first ones on doubles.
  EXPECT_GT(long_runs, compared / 10);
}

// What a search's span certifies is what its exact evaluation says, at the span's ends, next to
// them and between, for searches of every kind of target the calculator meets and some it should
// not.
template <typename Search>
void ExpectSpanAsTheJudge(const Search& search, std::mt19937_64& random, int& checked) {
  const std::optional<CertifiedSpan> span = search.Certified();
  if (!span)
    return;
  // Where the branches of Pb and the psychrometer's coefficient change: the zeros and the
  // numbers next to them, and the polynomial's first temperature and the fit's last.
  static const double kSeams[] = {-0.0,
                                  0.0,
                                  std::numeric_limits<double>::denorm_min(),
                                  -std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  -1e-300,
                                  30,
                                  NextDown(30)};
  const auto expect = [&](double lo, double hi, Verdict verdict) {
    if (!(lo <= hi))
      return;
    for (int i = 0; i < 48; ++i) {
      double m = i < 8    ? Offset(lo, i)
                 : i < 16 ? Offset(hi, 8 - i)
                 : i < 24 ? kSeams[i - 16]
                          : std::uniform_real_distribution<>(lo, hi)(random);
      if (!(m >= lo && m <= hi))
        m = std::fmin(std::fmax(m, lo), hi);
      if constexpr (requires { search.ExactVerdict(m); })
        ASSERT_EQ(search.ExactVerdict(m), verdict) << std::hexfloat << m;
      else
        ASSERT_EQ(search(m), verdict) << std::hexfloat << m;
      ++checked;
    }
  };
  expect(span->from, span->move_low_to, Verdict::MoveLow);
  expect(span->move_high_from, std::nextafter(span->below, -kInfinity), Verdict::MoveHigh);
}

TEST(CertifiedSpans, SayWhatTheirJudgesSay) {
  std::mt19937_64 random(7);
  const auto uniform = [&](double a, double b) {
    return std::uniform_real_distribution<>(a, b)(random);
  };
  int checked = 0;
  for (int i = 0; i < 3000; ++i) {
    // Moisture contents far out of range too, with enthalpies that put the line's crossing in
    // the searched range whatever its slope.
    const double dv = i % 10 == 0 ? uniform(-3000, 1200) : uniform(-1, 40);
    const double h = i % 10 == 0   ? 2.5 * dv + uniform(-300, 300)
                     : i % 10 == 1 ? uniform(-2e6, 2e6)
                                   : uniform(-120, 260);
    ExpectSpanAsTheJudge(EnthalpyDryBulbSearch(dv, h, SearchMode::Filtered), random, checked);
    const double target = i % 10 == 2 ? uniform(-1, 1) : Pb(uniform(-100, 100));
    // Dry bulbs and vapour pressures as the calculator meets them, and pressures from a
    // mountain top to far beyond any.
    const double t = i % 10 == 3 ? uniform(-120, 900) : uniform(-5, 45);
    const double pw = i % 10 == 4 ? uniform(-1e4, 1e5) : Pb(t) * uniform(0, 1.05);
    const double kpa = i % 10 == 5 ? uniform(-10, 2e6) : uniform(50, 110);
    const WetBulbResidual residual{t, pw, kpa};
    // The exact mode's verdicts, with the filtered mode's span.
    ExpectSpanAsTheJudge(
        ChainSearch(residual, kWetBulbTolerance, SearchMode::Exact, WetBulbSpan(residual, Pb(t))),
        random, checked);
    for (const Tolerance tolerance : {kFineDewPointTolerance, kDewPointTolerance})
      ExpectSpanAsTheJudge(SaturationSearch(target, tolerance, SearchMode::Filtered), random,
                           checked);
    // The dry bulbs of pairs 8 and 14: a state's wet bulb or enthalpy with its relative humidity,
    // now and then beyond saturation or below 0 %, at the same pressures.
    const double phi = i % 10 == 6 ? uniform(-20, 300) : uniform(0, 105);
    const double tw = i % 10 == 7 ? uniform(-120, 150) : uniform(-45, 60);
    const PsychrometerDryBulbResidual psychrometer{phi, Pb(tw), tw, kpa};
    ExpectSpanAsTheJudge(ChainSearch(psychrometer, kDryBulbTolerance, SearchMode::Exact,
                                     PsychrometerDryBulbSpan(psychrometer)),
                         random, checked);
    const double dry = uniform(-60, 100);
    const double hm = RelHumidityDryBulbResidual(phi, kpa, 0)(Pb(dry), dry) +
                      (i % 10 == 8 ? uniform(-200, 200) : uniform(-0.05, 0.05));
    const RelHumidityDryBulbResidual enthalpy(phi, kpa, hm);
    ExpectSpanAsTheJudge(ChainSearch(enthalpy, kDryBulbTolerance, SearchMode::Exact,
                                     RelHumidityDryBulbSpan(enthalpy)),
                         random, checked);
  }
  EXPECT_GT(checked, 400000);
}

// A span joined piece by piece ends where a piece is not certified, on either side, and never
// claims a piece beyond one that is not: four pieces, each certified or not on its MoveLow and its
// MoveHigh side, every combination.
TEST(PiecewiseSpans, EndWhereAPieceIsNotCertified) {
  static constexpr SpanPiece kPieces[] = {{-10, -1}, {-0.5, 0.5}, {1, 10}, {11, 20}};
  struct Certify {
    unsigned low_ok;  // bit i: piece i certified MoveLow
    unsigned high_ok;
    bool MoveLowUpTo(int i, double) const { return (low_ok >> i) & 1; }
    bool MoveHighFrom(int i, double) const { return (high_ok >> i) & 1; }
  };
  for (unsigned low_ok = 0; low_ok < 16; ++low_ok) {
    for (unsigned high_ok = 0; high_ok < 16; ++high_ok) {
      // The tolerance's span of temperature inside the third piece; the bracket from the first
      // piece into the last.
      const Certify certify{low_ok, high_ok};
      const std::optional<CertifiedSpan> span = PiecewiseSpan(kPieces, -9, 15, 4, 5, certify);
      int low_pieces = 0;
      while (low_pieces < 3 && ((low_ok >> low_pieces) & 1))
        ++low_pieces;
      int high_pieces = 0;
      while (high_pieces < 2 && ((high_ok >> (2 + high_pieces)) & 1))
        ++high_pieces;
      const double move_low_to = low_pieces == 0   ? -kInfinity
                                 : low_pieces == 3 ? 4
                                                   : kPieces[low_pieces - 1].last;
      const double move_high_from = high_pieces == 0 ? kInfinity : 5;
      const double below = high_pieces == 1 ? NextUp(kPieces[2].last) : 15;
      if (low_pieces == 0 && high_pieces == 0) {
        EXPECT_FALSE(span) << low_ok << " " << high_ok;
        continue;
      }
      ASSERT_TRUE(span) << low_ok << " " << high_ok;
      EXPECT_EQ(span->from, -10) << low_ok << " " << high_ok;
      EXPECT_EQ(span->move_low_to, move_low_to) << low_ok << " " << high_ok;
      EXPECT_EQ(span->move_high_from, move_high_from) << low_ok << " " << high_ok;
      EXPECT_EQ(span->below, below) << low_ok << " " << high_ok;
    }
  }
}

}  // namespace
}  // namespace tarvel
