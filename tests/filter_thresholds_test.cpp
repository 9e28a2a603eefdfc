// The filters against the exact evaluation, step by step, next to every threshold: wherever a
// filter decides a verdict, it must be the exact one. (Whole commands: filtered_searches_test.cpp.)
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "physics/float_bits.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"
#include "physics/saturation_slope.h"
#include "solver/crossing_starts.h"
#include "solver/polynomial_certified_temperatures.h"
#include "solver/saturation_level.h"
#include "solver/search_bounds.h"
#include "solver/search_residuals.h"
#include "solver/search_verdict.h"

namespace tarvel {
namespace {

// Next to every threshold: residuals within a few dozen ulps of −tolerance and +tolerance, at
// midpoints on every branch and path of the filters (the ice formula, the fit's table near and
// between its grid points, its exponent, the polynomial), for every kind of search. Wherever a
// filter decides, it must give the exact verdict; bounds too small by 2^10 make some of these
// decide wrongly (docs/performance.md).
std::vector<double> AdversarialMidpoints() {
  std::vector<double> m = {-139.5,
                           -99,
                           -61.3,
                           -40,
                           -20.25,
                           -10,
                           -3.7,
                           -0.5,
                           -1e-7,
                           0,
                           1e-12,
                           0.03125 + 1e-13,
                           5.125,
                           9.2656781949176388,
                           13.897,
                           17.447558403015137,
                           20 + 1e-11,
                           25.33,
                           29.96875 + 3e-12,
                           29.999999999999996,
                           30,
                           31.7,
                           45.5,
                           60,
                           99.99,
                           150,
                           199};
  std::mt19937_64 random(17);
  for (const auto& [lo, hi] : {std::pair{-139.0, 0.0}, {0.0, 30.0}, {30.0, 199.0}}) {
    for (int i = 0; i < 12; ++i)
      m.push_back(std::uniform_real_distribution<>(lo, hi)(random));
  }
  return m;
}

// `probe(target)` gives the filter's decision and the exact verdict for a target (a double of the
// residual's chain that the residual decreases with); the targets tried are those that put the
// exact residual within `ulps` steps of either side of the tolerance.
template <typename Probe>
void ProbeThresholds(const char* search, double m, double at_zero_target, double tolerance,
                     Probe&& probe, long& decided) {
  constexpr int kUlps = 24;
  for (const int side : {-1, 1}) {
    double target = at_zero_target - side * tolerance;
    for (int k = 0; k < kUlps; ++k)
      target = NextDown(target);
    for (int k = -kUlps; k <= kUlps; ++k, target = NextUp(target)) {
      const auto [decision, exact] = probe(target);
      if (decision == Decision::Undecided)
        continue;
      ++decided;
      EXPECT_EQ(VerdictOf(decision), exact)
          << search << " at m = " << m << ", target " << target << " (" << k << " ulps)";
    }
  }
}

TEST(FilteredSearches, DecideAsTheExactEvaluationNextToEveryThreshold) {
  const double pressure = 101.325;
  long decided = 0;
  for (const double m : AdversarialMidpoints()) {
    const double p = Pb(m);
    for (const Tolerance tolerance :
         {kFineDewPointTolerance, kDewPointTolerance, kDryBulbTolerance}) {
      ProbeThresholds(
          "saturation level", m, p, tolerance.width,
          [&](double target) {
            const SaturationLevel level(target, tolerance);
            return std::pair{level(m), tolerance(p - target)};
          },
          decided);
    }
    for (const double t : {m + 0.5, m + 30}) {
      ProbeThresholds(
          "wet bulb", m, Pv1(p, t, m, pressure), kWetBulbTolerance.width,
          [&](double pw) {
            const WetBulbResidual r{t, pw, pressure};
            return std::pair{EnclosedVerdict(kWetBulbTolerance, r, m), kWetBulbTolerance(r(p, m))};
          },
          decided);
    }
    // Pair 8: the target is the psychrometer's saturation pressure at the wet bulb, which the
    // residual decreases with.
    const double tw = m - 3;
    const double depression = Pv1(0.0, m, tw, pressure);  // −k2·f
    ProbeThresholds(
        "wet bulb and relative humidity", m, PvFromRelHumidityB(50, p) - depression,
        kDryBulbTolerance.width,
        [&](double psw) {
          const PsychrometerDryBulbResidual r{50, psw, tw, pressure};
          return std::pair{EnclosedVerdict(kDryBulbTolerance, r, m), kDryBulbTolerance(r(p, m))};
        },
        decided);
    for (const double phi : {50.0, 100.0}) {
      const RelHumidityDryBulbResidual at_zero{phi, pressure, 0};
      ProbeThresholds(
          "relative humidity and enthalpy", m, at_zero(p, m), kDryBulbTolerance.width,
          [&](double h) {
            const RelHumidityDryBulbResidual r{phi, pressure, h};
            return std::pair{EnclosedVerdict(kDryBulbTolerance, r, m), kDryBulbTolerance(r(p, m))};
          },
          decided);
    }
  }
  EXPECT_GT(decided, 10000) << "the filters should decide most probes";
}

// The certified temperatures of the ice branch decide a step on m alone, a margin of 2^−36 °C and
// more away from the crossing of each threshold: at temperatures from a few ulps to 2^−20 °C off
// the crossing of targets from every part of the branch, the level's decision must be the exact
// verdict, and most of them must be decided.
TEST(FilteredSearches, DecideAsTheExactEvaluationBesideTheIceCrossings) {
  std::mt19937_64 random(19);
  std::uniform_real_distribution<> ice(-139, -1e-6);
  long decided = 0;
  long probes = 0;
  for (int i = 0; i < 3000; ++i) {
    const double crossing = i < 20 ? -std::ldexp(1.0, -i) : ice(random);
    for (const Tolerance tolerance :
         {kFineDewPointTolerance, kDewPointTolerance, kDryBulbTolerance}) {
      // The target a tolerance away from Pb at the crossing, on either side, or at it.
      const double p = Pb(crossing);
      const double target = p + (i % 3 - 1) * tolerance.width;
      const SaturationLevel level(target, tolerance);
      for (int e = 20; e <= 44; e += 2) {
        for (const double side : {-1.0, 1.0}) {
          const double m = crossing + side * std::ldexp(1.0, -e);
          if (!(m < 0))
            continue;
          ++probes;
          const Decision d = level(m);
          if (d == Decision::Undecided)
            continue;
          ++decided;
          ASSERT_EQ(VerdictOf(d), tolerance(Pb(m) - target))
              << "target " << target << " at m = " << std::hexfloat << m;
        }
      }
    }
  }
  EXPECT_GT(decided, probes / 2);
}

// The polynomial's certified temperatures against thresholds on and next to the enclosure of Pb
// there: what each certifies, Pb at it and next to it must keep.
TEST(FilteredSearches, PolynomialCertifiedTemperaturesHoldAtTheirEnclosures) {
  std::mt19937_64 random(23);
  std::uniform_real_distribution<> polynomial(31, 199);
  long certified = 0;
  for (int i = 0; i < 20000; ++i) {
    const double tau = polynomial(random);
    const RoundedInterval at = EncloseSaturation(tau);
    for (const double p : {at.lo, at.hi, Pb(tau), NextDown(Pb(tau)), NextUp(Pb(tau))}) {
      const double below = PolynomialBelow(p, tau + kCrossingOffset);
      if (std::isfinite(below)) {
        ++certified;
        ASSERT_LE(Pb(below), p) << std::hexfloat << below << " for " << p;
        ASSERT_LE(Pb(NextDown(below)), p) << std::hexfloat << below << " for " << p;
      }
      const double above = PolynomialAbove(p, tau - kCrossingOffset);
      if (std::isfinite(above)) {
        ++certified;
        ASSERT_GT(Pb(above), p) << std::hexfloat << above << " for " << p;
        ASSERT_GT(Pb(NextUp(above)), p) << std::hexfloat << above << " for " << p;
      }
    }
  }
  EXPECT_GT(certified, 20000);
}

// The fitted starts of the crossings lie as close as their header says across each branch, so that
// Newton's first step from them is its last (a polynomial remade wrongly would only be slower, and
// no test of answers would see it).
TEST(FilteredSearches, CrossingStartsLieWithinTheirBounds) {
  for (int i = 0; i <= 1400; ++i) {
    const double ice = -140 + i * 0.1 - (i == 1400 ? 1e-9 : 0);
    EXPECT_NEAR(IceCrossingStart(ApproximateIceExponent(ice).value), ice, 3e-6) << ice;
    const double polynomial = 30 + i * (170.0 / 1400);
    EXPECT_NEAR(PolynomialCrossingStart(std::log(ApproximatePolynomial(polynomial).value)),
                polynomial, 1e-6)
        << polynomial;
  }
}

}  // namespace
}  // namespace tarvel
