// Saturation vapour pressure of water over ice below 0 °C, by the exponential fit from 0 °C and by
// the polynomial from 30 °C.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "physics/checked_arithmetic.h"
#include "physics/elementary/correctly_rounded.h"
#include "physics/float_bits.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_pressure.h"

namespace tarvel {
namespace {

struct PbCase {
  const char* name;
  double t;          // °C
  double expected;   // Pa, to the digits published
  double tolerance;  // half a unit of the last published digit
};

constexpr PbCase kPbCases[] = {
    {"0 C exponential fit", 0, 610.757506, 5e-7},
    {"just below 0 C over ice steps up", -1e-9, 611.153573, 5e-7},
    {"-0.5 C over ice", -0.5, 586.456604, 5e-7},
    {"-10 C over ice", -10, 259.902866, 5e-7},
    {"-20 C over ice", -20, 103.260379, 5e-7},
    {"-40 C over ice", -40, 12.8452494, 5e-8},
    {"-100 C over ice", -100, 0.00140510213, 5e-12},
    {"0.01 C exponential fit", 0.01, 611.201822, 5e-7},
    {"20 C exponential fit", 20, 2338.39621, 5e-6},
    {"25 C exponential fit", 25, 3168.96785, 5e-6},
    {"just below 30 C exponential fit", 29.999999, 4246.4369, 5e-5},
    {"30 C polynomial steps down", 30, 4240.74761, 5e-6},
    {"40 C polynomial", 40, 7371.8935, 5e-5},
    {"100 C polynomial", 100, 101351.3, 5e-2},
};

TEST(SaturationPressure, PublishedValues) {
  for (const PbCase& row : kPbCases) {
    SCOPED_TRACE(std::string(row.name) + ": Pb(" + testing::PrintToString(row.t) + ")");
    EXPECT_NEAR(Pb(row.t), row.expected, row.tolerance);
  }
}

TEST(SaturationPressure, ZeroCelsiusIsTheExponentialOfItsConstant) {
  // Through a volatile so that the C library's exp runs, not the compiler's constant folding.
  volatile double constant = 6.4147;
  EXPECT_EQ(Pb(0), std::exp(constant));
}

// The ice formula's divisor is written out as a constant; it must be the logarithm the core
// itself gives for the literal, to the last bit.
TEST(SaturationPressure, LogOfTheLiteralEIsTheCoresOwnLog) {
  volatile double literal = kLiteralE;
  EXPECT_EQ(BitsOf(kLnOfLiteralE), BitsOf(elementary::Log(literal)));
}

// The branches are not blended: the value jumps at both bounds, by the amounts the published
// values imply (0.396 Pa up just below 0 °C, 5.69 Pa down at 30 °C).
TEST(SaturationPressure, BranchesStepAtTheirBounds) {
  EXPECT_NEAR(Pb(-1e-9) - Pb(0), 0.396, 0.0005);
  EXPECT_NEAR(Pb(29.999999) - Pb(30), 5.69, 0.005);
}

// Within each branch the pressure rises with the temperature; the bisections rely on it.
TEST(SaturationPressure, RisesWithinEachBranch) {
  struct Range {
    const char* name;
    double from, to, step;
  };
  const Range ranges[] = {
      {"over ice", -99, -0.01, 0.37},
      {"exponential fit", 0, 29.99, 0.11},
      {"polynomial", 30, 100, 0.29},
  };
  for (const Range& r : ranges) {
    double previous = Pb(r.from);
    for (double t = r.from + r.step; t <= r.to; t += r.step) {
      const double p = Pb(t);
      ASSERT_GT(p, previous) << r.name << " at " << t << " C";
      previous = p;
    }
  }
}

// Near absolute zero the ice formula underflows to 0 without a fault; at and below absolute zero
// its logarithm has no value and the call faults.
TEST(SaturationPressure, UnderflowNearAbsoluteZeroIsZero) {
  const double temperatures[] = {-270, -273.14, -266};
  for (double t : temperatures) {
    SCOPED_TRACE("Pb(" + testing::PrintToString(t) + ")");
    double p = -1;
    EXPECT_NO_THROW(p = Pb(t));
    EXPECT_EQ(p, 0);
  }
}

TEST(SaturationPressure, FaultsAtAndBelowAbsoluteZeroAndOnOverflow) {
  struct Case {
    const char* name;
    double t;
  };
  const Case rows[] = {
      {"absolute zero", -273.15},
      {"below absolute zero", -300},
      {"far below absolute zero", -1e6},
      {"fifth power overflows", 1e62},
      {"infinity", INFINITY},
      {"not a number", NAN},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_THROW(Pb(row.t), NumericFault);
  }
}

TEST(SaturationPressure, NoUpperLimitBelowOverflow) {
  double p = 0;
  EXPECT_NO_THROW(p = Pb(1e61));
  EXPECT_TRUE(std::isfinite(p));
  EXPECT_GT(p, 1e299);
}

}  // namespace
}  // namespace tarvel
