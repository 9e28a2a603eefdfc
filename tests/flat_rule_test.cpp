// Searches whose bracket closes on an end of exactly 0 °C halve their other end towards it through
// a thousand binades; the flat rule ends them once Pb and the rest of the residual can no longer
// change. Each search here is the calculator's own (in the exact mode), on the inputs of a real
// calculation: it must end exactly as the plain algorithm does, and the failing ones within a few
// dozen steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "physics/float_bits.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"
#include "solver/bisection.h"
#include "solver/chain_search.h"
#include "solver/flat_saturation.h"
#include "solver/saturation_search.h"
#include "solver/search_bounds.h"
#include "solver/search_residuals.h"

namespace tarvel {
namespace {

// A search that counts the midpoints it tests; its flat rule asks the search itself, uncounted.
template <typename Search>
struct Counted {
  const Search& search;
  int& steps;
  Verdict operator()(double m) const {
    ++steps;
    return search(m);
  }
  bool FlatOn(double a, double b) const { return search.FlatOn(a, b); }
};

struct FlatCase {
  std::string name;
  int max_steps;
  // Runs the case's search by the rule, counting its midpoints.
  std::function<std::optional<double>(StopRule, int&)> run;
  bool fails;
};

template <typename Search>
FlatCase Case(std::string name, double lo, double hi, int max_steps, Search search, bool fails) {
  return {std::move(name), max_steps,
          [=](StopRule rule, int& steps) {
            return Bisect(lo, hi, max_steps, Counted<Search>{search, steps}, rule);
          },
          fails};
}

std::vector<FlatCase> Cases() {
  constexpr SearchMode kExact = SearchMode::Exact;
  const auto wet_bulb_target = [](double t, double pw, double pressure = 101.325) {
    return ChainSearch(WetBulbResidual{t, pw, pressure}, kWetBulbTolerance, kExact);
  };
  const auto wet_bulb = [&](double t, double phi, double pressure = 101.325) {
    return wet_bulb_target(t, phi * Pb(t) / 100, pressure);
  };
  const auto fine = [](double target) {
    return SaturationSearch(target, kFineDewPointTolerance, kExact);
  };
  const auto coarse = [](double target) {
    return SaturationSearch(target, kDewPointTolerance, kExact);
  };
  const auto dry_bulb = [](double target) {
    return SaturationSearch(target, kDryBulbTolerance, kExact);
  };
  const double ice0 = Pb(-1e-300);  // Pb of every temperature just below 0 °C
  const double psw0 = Pb(0);
  const auto wet0_rh = [psw0](double phi) {
    return ChainSearch(PsychrometerDryBulbResidual{phi, psw0, 0, 101.325}, kDryBulbTolerance,
                       kExact);
  };
  const int kWet = kWetBulbSearchSteps;
  const int kFine = kFineDewPointSearchSteps;
  const int kCoarse = kDewPointSearchSteps;
  const int kDry = kDryBulbSearchSteps;
  return {
      Case("wet bulb, dry 0 RH 101", -99, 0, kWet, wet_bulb(0, 101), true),
      Case("wet bulb, dry 0 RH 100.2", -99, 0, kWet, wet_bulb(0, 100.2), true),
      Case("wet bulb, dry 0 RH 100.0667 (just beyond the tolerance of the ice side)", -99, 0, kWet,
           wet_bulb(0, 100.0667), true),
      // Targets a hair's breadth either side of the tolerance around Pb just below 0 °C: the first
      // is met only by midpoints within about 1e-15 °C of 0, the second never.
      Case("wet bulb, dry 0, target within the tolerance only next to 0 °C", -99, 0, kWet,
           wet_bulb_target(0, ice0 + 0.01 - 1e-13), false),
      Case("wet bulb, dry 0, target just beyond the tolerance", -99, 0, kWet,
           wet_bulb_target(0, ice0 + 0.01 + 1e-13), true),
      // A dry bulb just above 0 °C: the bracket straddles -0, +0 and the positive numbers.
      Case("wet bulb, dry 1e-323 RH 101", -99, 1e-323, kWet, wet_bulb(1e-323, 101), true),
      Case("wet bulb, dry -1e-320 RH 101", -99, -1e-320, kWet, wet_bulb(-1e-320, 101), true),
      Case("wet bulb, dry 0 RH 101 at a negative pressure", -99, 0, kWet,
           wet_bulb(0, 101, -101.325), true),
      Case("wet bulb, dry 0 RH 50", -99, 0, kWet, wet_bulb(0, 50), false),
      Case("fine dew point below a wet bulb of 0, 611.2 Pa", -99, 0, kFine, fine(611.2), true),
      Case("fine dew point below a wet bulb of 0, 611 Pa (on the ice side of the step)", -99, 0,
           kFine, fine(611), false),
      Case("coarse dew point, dry -1 wet 0", -99, 0, kCoarse, coarse(Pv1(psw0, -1, 0, 101.325)),
           true),
      Case("coarse dew point below a wet bulb of -0", -99, -0.0, kCoarse,
           coarse(Pv1(psw0, -1, 0, 101.325)), true),
      Case("coarse dew point below a wet bulb of 0, 611 Pa", -99, 0, kCoarse, coarse(611), false),
      Case("dry bulb, RH 101 dew 0", 0, 100, kDry, dry_bulb(psw0 / 101 * 100), true),
      Case("dry bulb, RH 100 dew 0 plus 0.005 Pa", 0, 100, kDry, dry_bulb(psw0 + 0.005), false),
      Case("dry bulb, wet 0 RH 101", 0, 100, kDry, wet0_rh(101), true),
      Case("dry bulb, wet 0 RH 100", 0, 100, kDry, wet0_rh(100), false),
  };
}

TEST(FlatRule, GivesTheSameResultAsThePlainAlgorithm) {
  for (const FlatCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    int plain_steps = 0;
    int fast_steps = 0;
    const std::optional<double> plain = c.run(StopRule::RunOutBound, plain_steps);
    const std::optional<double> fast = c.run(StopRule::WhenStuck, fast_steps);

    ASSERT_EQ(plain.has_value(), fast.has_value());
    EXPECT_EQ(plain.has_value(), !c.fails);
    if (plain) {
      EXPECT_EQ(BitsOf(*plain), BitsOf(*fast));
      EXPECT_EQ(plain_steps, fast_steps);
    } else {
      EXPECT_EQ(plain_steps, c.max_steps);
      EXPECT_LE(fast_steps, 100) << "the flat rule should end the search near 0 °C";
    }
  }
}

// Wherever the rule calls Pb flat on [a, b], Pb is one value there: checked at the ends, at the
// doubles next to them and at points spread over the bit patterns between, for the brackets
// that the searches above pass through.
TEST(FlatRule, PbIsOneValueWhereTheRuleCallsItFlat) {
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
TEST(FlatRule, TheSearchsSaturationIsPb) {
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

}  // namespace
}  // namespace tarvel
