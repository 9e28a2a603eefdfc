// A search whose bracket has stopped changing ends at once instead of running out its bound. These
// cases prove that it ends with the same result as the plain algorithm, on the searches of real
// failing (and succeeding) calculations. The golden replay cases in tests/golden/failures.* were
// recorded from the plain algorithm and check the same at the level of whole commands: the same
// messages and the same fields written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "physics/checked_arithmetic.h"
#include "physics/float_bits.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"
#include "solver/bisection.h"
#include "solver/search_bounds.h"

namespace tarvel {
namespace {

struct SearchCase {
  std::string name;
  double lo, hi;
  int max_steps;
  std::function<Verdict(double)> verdict;
  bool fails;  // the search cannot meet its tolerance within its bound
};

// The verdict of the dry-bulb searches, from a residual that rises with the trial dry bulb.
std::function<Verdict(double)> DryBulbVerdict(std::function<double(double)> residual) {
  return [residual](double m) {
    const double r = residual(m);
    if (std::fabs(r) < 0.01)
      return Verdict::Accept;
    return r >= 0 ? Verdict::MoveHigh : Verdict::MoveLow;
  };
}

// The wet-bulb search for dry bulb t and relative humidity phi at 101.325 kPa.
std::function<Verdict(double)> WetBulbVerdict(double t, double phi) {
  const double pw = phi * Pb(t) / 100;
  return [t, pw](double mid) {
    const double diff = Pv1(Pb(mid), t, mid, 101.325) - pw;
    if (std::fabs(diff) <= 0.01)
      return Verdict::Accept;
    return diff > 0 ? Verdict::MoveHigh : Verdict::MoveLow;
  };
}

// The dew-point search of the dry-bulb/relative-humidity completion (tolerance 0.00001 Pa).
std::function<Verdict(double)> FineDewPointVerdict(double pv) {
  return [pv](double mid) {
    const double diff = Pb(mid) - pv;
    if (std::fabs(diff) < 0.00001)
      return Verdict::Accept;
    return diff >= 0 ? Verdict::MoveHigh : Verdict::MoveLow;
  };
}

// The dew-point search of the dry/wet-bulb completion (tolerance 0.01 Pa).
std::function<Verdict(double)> CoarseDewPointVerdict(double pv) {
  return [pv](double mid) {
    const double e = Pb(mid) - pv;
    if (std::fabs(e) < 0.01)
      return Verdict::Accept;
    return e < 0 ? Verdict::MoveLow : Verdict::MoveHigh;
  };
}

std::vector<SearchCase> Cases() {
  const double pv_dry20_wet22 = Pv1(Pb(22), 20, 22, 101.325);
  const double psw20 = Pb(20);
  return {
      {"wet bulb, dry 20 RH 135", -99, 20, 100000, WetBulbVerdict(20, 135), true},
      {"wet bulb, dry -120 RH 50", -99, -120, 100000, WetBulbVerdict(-120, 50), true},
      {"wet bulb, dry 20 RH 50", -99, 20, 100000, WetBulbVerdict(20, 50), false},
      {"fine dew point, negative vapour pressure", -99, 4.3, 100000, FineDewPointVerdict(-50),
       true},
      {"fine dew point, 1000 Pa", -99, 13.9, 100000, FineDewPointVerdict(1000), false},
      {"coarse dew point, dry 20 wet 22", -99, 22, 1000, CoarseDewPointVerdict(pv_dry20_wet22),
       true},
      {"coarse dew point, dry 40 wet 10 (negative vapour pressure)", -99, 10, 1000,
       CoarseDewPointVerdict(Pv1(Pb(10), 40, 10, 101.325)), true},
      {"coarse dew point across the step of Pb at 0 °C", -99, 35, 1000, CoarseDewPointVerdict(611),
       false},
      {"coarse dew point, 2000 Pa", -99, 20, 1000, CoarseDewPointVerdict(2000), false},
      {"dry bulb, RH 101 dew 20", 20, 100, 1000,
       DryBulbVerdict([ps = Pb(20) / 101 * 100](double m) { return Pb(m) - ps; }), true},
      {"dry bulb, wet 20 RH 101", 20, 100, 1000, DryBulbVerdict([psw20](double m) {
         return 101.0 / 100 * Pb(m) - Pv1(psw20, m, 20, 101.325);
       }),
       true},
      {"dry bulb, moisture 10 enthalpy -90", -99, 100, 1000,
       DryBulbVerdict([](double m) { return (1.84 * m + 2500) * (10.0 / 1000) + 1.005 * m + 90; }),
       true},
      {"dry bulb, moisture 10 enthalpy 47", -99, 100, 1000,
       DryBulbVerdict([](double m) { return (1.84 * m + 2500) * (10.0 / 1000) + 1.005 * m - 47; }),
       false},
  };
}

TEST(Bisection, StoppingWhenStuckGivesTheSameResultAsRunningOutTheBound) {
  for (const SearchCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    int plain_steps = 0;
    int early_steps = 0;
    const auto counted = [&c](int& steps) {
      return [&c, &steps](double mid) {
        ++steps;
        return c.verdict(mid);
      };
    };
    const std::optional<double> plain =
        Bisect(c.lo, c.hi, c.max_steps, counted(plain_steps), StopRule::RunOutBound);
    const std::optional<double> early =
        Bisect(c.lo, c.hi, c.max_steps, counted(early_steps), StopRule::WhenStuck);

    ASSERT_EQ(plain.has_value(), early.has_value());
    EXPECT_EQ(plain.has_value(), !c.fails);
    if (plain) {
      EXPECT_EQ(*plain, *early);
      EXPECT_EQ(plain_steps, early_steps);
    } else {
      EXPECT_EQ(plain_steps, c.max_steps);
      EXPECT_LE(early_steps, c.max_steps);
    }
  }
}

TEST(Bisection, AFailingSearchStopsOnceItsBracketNoLongerNarrows) {
  // Relative humidity 135 % has no wet bulb: the bracket closes on the dry bulb within a few dozen
  // steps, long before the bound of 100000.
  int steps = 0;
  const auto verdict = WetBulbVerdict(20, 135);
  const auto result = Bisect(-99, 20, 100000, [&](double mid) {
    ++steps;
    return verdict(mid);
  });
  EXPECT_FALSE(result.has_value());
  EXPECT_LT(steps, 200);
}

TEST(Bisection, DryBulbSearchReturnsTheFirstMidpointWithinTheTolerance) {
  // Moisture 10 g/kg and enthalpy 47 kJ/kg: the eighth midpoint, 21.48828125, is the first whose
  // enthalpy lies within 0.01 kJ/kg, though the exact solution is 21.497.
  std::vector<double> midpoints;
  const auto t = Bisect(-99, 100, kDryBulbSearchSteps, [&](double m) {
    midpoints.push_back(m);
    return kDryBulbTolerance((1.84 * m + 2500) * (10.0 / 1000) + 1.005 * m - 47);
  });
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(*t, 21.48828125);
  EXPECT_EQ(midpoints, (std::vector<double>{0.5, 50.25, 25.375, 12.9375, 19.15625, 22.265625,
                                            20.7109375, 21.48828125}));
}

TEST(Bisection, AnInvertedBracketFailsWithoutAFault) {
  // The lower end above the upper: the midpoints close in on one end and never meet the tolerance.
  const auto t = Bisect(150, 100, kDryBulbSearchSteps,
                        [](double m) { return kDryBulbTolerance(Pb(m) - 1000); });
  EXPECT_FALSE(t.has_value());
}

}  // namespace
}  // namespace tarvel
