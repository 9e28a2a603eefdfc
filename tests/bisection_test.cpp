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
#include "solver/bisect_dry_bulb.h"
#include "solver/bisection.h"
#include "solver/flat_saturation.h"

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
  const auto t = BisectDryBulb(-99, 100, [&](double m) {
    midpoints.push_back(m);
    return (1.84 * m + 2500) * (10.0 / 1000) + 1.005 * m - 47;
  });
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(*t, 21.48828125);
  EXPECT_EQ(midpoints, (std::vector<double>{0.5, 50.25, 25.375, 12.9375, 19.15625, 22.265625,
                                            20.7109375, 21.48828125}));
}

TEST(Bisection, AnInvertedBracketFailsWithoutAFault) {
  // The lower end above the upper: the midpoints close in on one end and never meet the tolerance.
  const auto t = BisectDryBulb(150, 100, [](double m) { return Pb(m) - 1000; });
  EXPECT_FALSE(t.has_value());
}

// Searches whose bracket closes on an end of exactly 0 °C halve their other end towards it through
// a thousand binades; the flat rule ends them once Pb and the rest of the residual can no longer
// change. Each search here, as the calculation runs it, must end exactly as the plain algorithm
// does, and the failing ones within a few dozen steps.
namespace flat {

enum class Kind { WetBulb, FineDewPoint, CoarseDewPoint, DryBulb };

struct FlatCase {
  std::string name;
  Kind kind;
  double lo, hi;
  std::function<double(double)> residual;
  bool fails;
};

Verdict Judge(Kind kind, double r) {
  switch (kind) {
    case Kind::WetBulb:
      if (std::fabs(r) <= 0.01)
        return Verdict::Accept;
      return r > 0 ? Verdict::MoveHigh : Verdict::MoveLow;
    case Kind::FineDewPoint:
      if (std::fabs(r) < 0.00001)
        return Verdict::Accept;
      return r >= 0 ? Verdict::MoveHigh : Verdict::MoveLow;
    case Kind::CoarseDewPoint:
      if (std::fabs(r) < 0.01)
        return Verdict::Accept;
      return r < 0 ? Verdict::MoveLow : Verdict::MoveHigh;
    case Kind::DryBulb:
      if (std::fabs(r) < 0.01)
        return Verdict::Accept;
      return r >= 0 ? Verdict::MoveHigh : Verdict::MoveLow;
  }
  return Verdict::Accept;
}

std::vector<FlatCase> Cases() {
  const auto wet_bulb = [](double t, double phi, double pressure) {
    const double pw = phi * Pb(t) / 100;
    return [t, pw, pressure](double mid) { return Pv1(Pb(mid), t, mid, pressure) - pw; };
  };
  const auto wet_bulb_target = [](double t, double pw) {
    return [t, pw](double mid) { return Pv1(Pb(mid), t, mid, 101.325) - pw; };
  };
  const double ice0 = Pb(-1e-300);  // Pb of every temperature just below 0 °C
  const auto saturation = [](double target) {
    return [target](double m) { return Pb(m) - target; };
  };
  const double psw0 = Pb(0);
  const auto wet0_rh = [psw0](double phi) {
    return [psw0, phi](double m) { return phi / 100 * Pb(m) - Pv1(psw0, m, 0, 101.325); };
  };
  return {
      {"wet bulb, dry 0 RH 101", Kind::WetBulb, -99, 0, wet_bulb(0, 101, 101.325), true},
      {"wet bulb, dry 0 RH 100.2", Kind::WetBulb, -99, 0, wet_bulb(0, 100.2, 101.325), true},
      {"wet bulb, dry 0 RH 100.0667 (just beyond the tolerance of the ice side)", Kind::WetBulb,
       -99, 0, wet_bulb(0, 100.0667, 101.325), true},
      // Targets a hair's breadth either side of the tolerance around Pb just below 0 °C: the first
      // is met only by midpoints within about 1e-15 °C of 0, the second never.
      {"wet bulb, dry 0, target within the tolerance only next to 0 °C", Kind::WetBulb, -99, 0,
       wet_bulb_target(0, ice0 + 0.01 - 1e-13), false},
      {"wet bulb, dry 0, target just beyond the tolerance", Kind::WetBulb, -99, 0,
       wet_bulb_target(0, ice0 + 0.01 + 1e-13), true},
      // A dry bulb just above 0 °C: the bracket straddles -0, +0 and the positive numbers.
      {"wet bulb, dry 1e-323 RH 101", Kind::WetBulb, -99, 1e-323, wet_bulb(1e-323, 101, 101.325),
       true},
      {"wet bulb, dry -1e-320 RH 101", Kind::WetBulb, -99, -1e-320, wet_bulb(-1e-320, 101, 101.325),
       true},
      {"wet bulb, dry 0 RH 101 at a negative pressure", Kind::WetBulb, -99, 0,
       wet_bulb(0, 101, -101.325), true},
      {"wet bulb, dry 0 RH 50", Kind::WetBulb, -99, 0, wet_bulb(0, 50, 101.325), false},
      {"fine dew point below a wet bulb of 0, 611.2 Pa", Kind::FineDewPoint, -99, 0,
       saturation(611.2), true},
      {"fine dew point below a wet bulb of 0, 611 Pa (on the ice side of the step)",
       Kind::FineDewPoint, -99, 0, saturation(611), false},
      {"coarse dew point, dry -1 wet 0", Kind::CoarseDewPoint, -99, 0,
       saturation(Pv1(psw0, -1, 0, 101.325)), true},
      {"coarse dew point below a wet bulb of -0", Kind::CoarseDewPoint, -99, -0.0,
       saturation(Pv1(psw0, -1, 0, 101.325)), true},
      {"coarse dew point below a wet bulb of 0, 611 Pa", Kind::CoarseDewPoint, -99, 0,
       saturation(611), false},
      {"dry bulb, RH 101 dew 0", Kind::DryBulb, 0, 100, saturation(psw0 / 101 * 100), true},
      {"dry bulb, RH 100 dew 0 plus 0.005 Pa", Kind::DryBulb, 0, 100, saturation(psw0 + 0.005),
       false},
      {"dry bulb, wet 0 RH 101", Kind::DryBulb, 0, 100, wet0_rh(101), true},
      {"dry bulb, wet 0 RH 100", Kind::DryBulb, 0, 100, wet0_rh(100), false},
  };
}

TEST(Bisection, TheFlatRuleGivesTheSameResultAsThePlainAlgorithm) {
  for (const FlatCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    const int max_steps = c.kind == Kind::WetBulb || c.kind == Kind::FineDewPoint ? 100000 : 1000;
    int plain_steps = 0;
    int fast_steps = 0;
    const auto counted = [&c](int& steps) {
      return [&c, &steps](double mid) {
        ++steps;
        return Judge(c.kind, c.residual(mid));
      };
    };
    const auto plain_verdict = counted(plain_steps);
    const auto fast_verdict = counted(fast_steps);
    const auto residual = c.residual;
    const auto flat = [&](double a, double b) {
      const auto verdict = [&c](double m) { return Judge(c.kind, c.residual(m)); };
      if (c.kind == Kind::WetBulb)
        return VerdictIsFlatOn(a, b, residual, verdict, PsychrometerFactorsAreFixedOn);
      return VerdictIsFlatOn(a, b, residual, verdict);
    };
    const std::optional<double> plain =
        Bisect(c.lo, c.hi, max_steps, plain_verdict, StopRule::RunOutBound);
    const std::optional<double> fast =
        Bisect(c.lo, c.hi, max_steps, fast_verdict, StopRule::WhenStuck, flat);

    ASSERT_EQ(plain.has_value(), fast.has_value());
    EXPECT_EQ(plain.has_value(), !c.fails);
    if (plain) {
      EXPECT_EQ(BitsOf(*plain), BitsOf(*fast));
      EXPECT_EQ(plain_steps, fast_steps);
    } else {
      EXPECT_EQ(plain_steps, max_steps);
      EXPECT_LE(fast_steps, 100) << "the flat rule should end the search near 0 °C";
    }
  }
}

// Wherever the rule calls Pb flat on [a, b], Pb is one value there: checked at the ends, at the
// doubles next to them and at points spread over the bit patterns between, for the brackets
// that the searches above pass through.
TEST(Bisection, PbIsOneValueWhereTheRuleCallsItFlat) {
  int flat_brackets = 0;
  for (const double far_end : {-99.0, -1.0, -0.0036, 1.0, 100.0, 0.3}) {
    for (int k = 30; k <= 1100; ++k) {
      const double near_end = std::ldexp(far_end, -k);
      const double a = std::min(near_end, 0.0);
      const double b = std::max(near_end, 0.0);
      const double pieces[][2] = {{a, b}, {a, std::min(b, -4.9e-324)}};
      for (const auto& piece : pieces) {
        if (!(piece[0] <= piece[1]) || !SaturationIsFlatOn(piece[0], piece[1]))
          continue;
        ++flat_brackets;
        const std::uint64_t lo_bits = BitsOf(piece[0]);
        const std::uint64_t hi_bits = BitsOf(piece[1]);
        const double value = Pb(piece[0]);
        for (int i = 0; i <= 16; ++i) {
          // Doubles of one sign are ordered as their bit patterns.
          const std::uint64_t bits = lo_bits + (hi_bits - lo_bits) / 16 * i;
          const double t = piece[0] < 0 ? DoubleFromBits(lo_bits - (lo_bits - hi_bits) / 16 * i)
                                        : DoubleFromBits(bits);
          ASSERT_EQ(BitsOf(Pb(t)), BitsOf(value))
              << "t " << t << " in [" << piece[0] << ", " << piece[1] << "]";
        }
        ASSERT_EQ(BitsOf(Pb(std::nextafter(piece[1], piece[0]))), BitsOf(value));
        ASSERT_EQ(BitsOf(Pb(piece[1])), BitsOf(value));
      }
    }
  }
  EXPECT_GT(flat_brackets, 1000);
}

// The search's own Pb, which remembers its last value below 0 °C, gives Pb's bits everywhere,
// whatever it saw before: on the midpoints of searches closing on points below 0 °C and on
// neighbouring doubles.
TEST(Bisection, TheSearchsSaturationIsPb) {
  SearchSaturation saturation;
  for (const double target : {-99.0, -10.0, -0.5, -1e-9, -1e-300, 0.0, 5.0, 35.0}) {
    double lo = -99.0001;
    double hi = 40;
    for (int k = 0; k < 1100; ++k) {
      const double mid = (lo + hi) / 2;
      for (const double t : {mid, std::nextafter(mid, -1000.0), std::nextafter(mid, 1000.0)})
        ASSERT_EQ(BitsOf(saturation(t)), BitsOf(Pb(t))) << "t " << t;
      (mid < target ? lo : hi) = mid;
    }
  }
}

}  // namespace flat

}  // namespace
}  // namespace tarvel
