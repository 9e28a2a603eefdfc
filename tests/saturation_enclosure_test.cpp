// The enclosures behind the search filters hold the very doubles they claim to hold: the cheap
// exp and log within their proven bounds, each enclosure of a correctly rounded function around
// that function's result, the enclosures of Pb around Pb, the fit's table equal to the fit, the
// ranges of the branches around their ends, the bounds of Pb over a stretch of a branch and the
// ice exponent in plain arithmetic. Their bounds made 2^10 times smaller fail here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "physics/checked_arithmetic.h"
#include "physics/elementary/approximate_exp.h"
#include "physics/elementary/approximate_log.h"
#include "physics/elementary/correctly_rounded.h"
#include "physics/float_bits.h"
#include "physics/rounded_interval.h"
#include "physics/saturation_branches.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_pressure.h"
#include "physics/saturation_slope.h"
#include "physics/saturation_table.h"

namespace tarvel {
namespace {

constexpr int kSamples = 200000;

struct CheckedElementary {
  static double Pow(double x, int n) { return checked::Pow(x, n); }
  static double Exp(double x) { return checked::Exp(x); }
  static double Log(double x) { return checked::Log(x); }
};

bool Holds(const RoundedInterval& r, double x) {
  return r.Finite() && r.lo <= x && x <= r.hi;
}

// Uniform over the bit patterns of [lo, hi] (lo > 0): every binade alike.
double Logarithmic(std::mt19937_64& random, double lo, double hi) {
  return std::exp(std::uniform_real_distribution<>(std::log(lo), std::log(hi))(random));
}

TEST(SaturationEnclosure, CheapExpAndLogKeepTheirBounds) {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<> exponent(-elementary::kApproximateExpLimit,
                                            elementary::kApproximateExpLimit);
  for (int i = 0; i < kSamples; ++i) {
    const double x = exponent(random);
    const double exact = elementary::Exp(x);  // within 2^−53 of e^x
    ASSERT_LE(std::fabs(elementary::ApproximateExp(x) / exact - 1),
              elementary::kApproximateExpError + 0x1p-52)
        << "x " << x;
    const double y =
        Logarithmic(random, elementary::kApproximateLogLowest, elementary::kApproximateLogHighest);
    const double log = elementary::Log(y);  // within half an ulp of ln y
    ASSERT_LE(std::fabs(elementary::ApproximateLog(y) - log),
              elementary::kApproximateLogError + std::ldexp(1.0, std::ilogb(log) - 53))
        << "y " << y;
  }
}

TEST(SaturationEnclosure, EachEnclosureHoldsTheCorrectlyRoundedResult) {
  std::mt19937_64 random(2);
  for (int i = 0; i < kSamples; ++i) {
    const double x = std::uniform_real_distribution<>(-40, 40)(random);
    ASSERT_TRUE(Holds(EnclosingElementary::Exp(x), elementary::Exp(x))) << "exp " << x;
    const double y = Logarithmic(random, 0x1p-60, 0x1p60);
    ASSERT_TRUE(Holds(EnclosingElementary::Log(y), elementary::Log(y))) << "log " << y;
    const double z = std::uniform_real_distribution<>(30, 280)(random);
    for (int n = 2; n <= 5; ++n) {
      ASSERT_TRUE(Holds(EnclosingElementary::Pow(z, n), elementary::IntegerPower(z, n)))
          << z << "^" << n;
    }
    const double d = Logarithmic(random, 1e-30, 1e30) * (i % 2 ? 1 : -1);
    const double divisor = Logarithmic(random, 1e-10, 1e10) * (i % 3 ? 1 : -1);
    ASSERT_TRUE(Holds(Div(RoundedInterval::Point(d), divisor), d / divisor))
        << d << " / " << divisor;
  }
}

// Pb's own double in each enclosure of it, over the domain: random temperatures, dense next to the
// table's grid points and next to the branches' bounds.
TEST(SaturationEnclosure, TheEnclosuresOfPbHoldPb) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<> domain(kEnclosureLowest, kEnclosureHighest);
  const auto check = [](double t) {
    const double p = Pb(t);
    ASSERT_TRUE(Holds(EncloseSaturation(t), p)) << "t " << t;
    ASSERT_TRUE(Holds(QuickSaturationEnclosure(t), p)) << "t " << t;
    if (t < 0) {
      const double s =
          SaturationFormula<CheckedElementary>::HylandWexlerIceExponent(t, checked::Log(kLiteralE));
      ASSERT_TRUE(Holds(EncloseIceExponent(t), s)) << "t " << t;
    }
  };
  for (int i = 0; i < kSamples; ++i) {
    check(domain(random));
    const double grid = std::uniform_int_distribution<>(0, 959)(random) / 32.0;
    check(grid + std::ldexp(std::uniform_real_distribution<>(-1, 1)(random), -20 - i % 30));
  }
  for (const double bound : {kEnclosureLowest, 0.0, 30.0, kEnclosureHighest}) {
    double below = bound;
    double above = bound;
    for (int i = 0; i < 1000; ++i, below = NextDown(below), above = NextUp(above)) {
      for (const double t : {below, above}) {
        if (t >= kEnclosureLowest && t <= kEnclosureHighest)
          check(t);
      }
    }
  }
  EXPECT_FALSE(EncloseSaturation(NextDown(kEnclosureLowest)).Finite());
  EXPECT_FALSE(EncloseSaturation(NextUp(kEnclosureHighest)).Finite());
  EXPECT_FALSE(EncloseSaturation(NAN).Finite());
  EXPECT_FALSE(QuickSaturationEnclosure(NAN).Finite());
}

TEST(SaturationEnclosure, TheTableIsTheFitAtItsGridPoints) {
  for (int i = 0; i < kFitTableSize; ++i) {
    const double t = (i - 1) / 32.0;
    ASSERT_EQ(BitsOf(kFitSaturationTable[i]),
              BitsOf(SaturationFormula<CheckedElementary>::ExponentialFit(t)))
        << "entry " << i;
  }
}

// The branches' ranges hold Pb at the ends of their branches with room: 2^−40 beyond what the
// rounding errors of the ice formula and the fit allow, and beyond the ends of the monotone
// polynomial.
TEST(SaturationEnclosure, TheBranchRangesHoldTheirEnds) {
  const double margin = 0x1p-40;
  EXPECT_LE(kIceSaturationRange.lo, Pb(kEnclosureLowest) * (1 - margin));
  EXPECT_GE(kIceSaturationRange.hi, Pb(-1e-300) * (1 + margin));
  EXPECT_EQ(-1e-300 + 273.15, 273.15);  // the greatest kelvin temperature of the ice branch
  EXPECT_LE(kPolynomialSaturationRange.lo, Pb(kPolynomialFrom));
  EXPECT_GE(kPolynomialSaturationRange.hi, Pb(kEnclosureHighest));
  // The fit rises to its last double, where Pb lies within 2^−49 of it.
  EXPECT_GE(kFitSaturationHighest, Pb(NextDown(kPolynomialFrom)) * (1 + margin));
}

// (B4): an enclosure of Pb at τ, widened by the branch's error, bounds Pb over the branch up to τ
// and from τ on: at temperatures next to τ, where the roundings of Pb's formula move it up and
// down by a few ulps, and farther off.
TEST(SaturationEnclosure, BranchBoundsHoldOverStretches) {
  std::mt19937_64 random(4);
  for (const SaturationBranch* branch : {&kIceBranch, &kFitBranch, &kPolynomialBranch}) {
    std::uniform_real_distribution<> on_branch(branch->first, branch->last);
    for (int i = 0; i < 4000; ++i) {
      const double tau = on_branch(random);
      // Pb(τ) itself is an enclosure of Pb(τ), the tightest, which leaves the bound alone to cover
      // the roundings of Pb's formula.
      const RoundedInterval at = RoundedInterval::Point(Pb(tau));
      const double up_to = SaturationUpTo(*branch, at);
      const double from = SaturationFrom(*branch, at);
      double below = tau;
      double above = tau;
      for (int k = 0; k < 64; ++k) {
        const double step = k < 48 ? 0 : std::ldexp(1.0, -k / 2);
        below = NextDown(below) - step;
        above = NextUp(above) + step;
        if (branch->Holds(below)) {
          ASSERT_LE(Pb(below), up_to) << "τ " << tau << ", t " << below;
        }
        if (branch->Holds(above)) {
          ASSERT_GE(Pb(above), from) << "τ " << tau << ", t " << above;
        }
      }
    }
  }
}

// (E1): the ice exponent in plain arithmetic within its bound of the formula's exact value at the
// kelvin temperature Pb forms, here in long double (64 significant bits at least).
TEST(SaturationEnclosure, ApproximateIceExponentKeepsItsBound) {
  std::mt19937_64 random(5);
  std::uniform_real_distribution<> ice(kIceBranch.first, kIceBranch.last);
  for (int i = 0; i < kSamples; ++i) {
    const double t = i < 1000 ? -std::ldexp(1.0, -i % 60) : ice(random);
    const long double T = t + kKelvinOffset;
    const long double exact = kIceC1 / T + kIceC2 + kIceC3 * T + kIceC4 * T * T +
                              kIceC5 * T * T * T + kIceC6 * T * T * T * T +
                              kIceC7 * std::log(T) / std::log(static_cast<long double>(kLiteralE));
    ASSERT_LE(std::fabs(ApproximateIceExponent(t).value - exact), kApproximateIceExponentError)
        << "t " << t;
  }
}

}  // namespace
}  // namespace tarvel
