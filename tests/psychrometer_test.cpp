// The psychrometer equation: vapour pressure of the air from the dry and wet bulb, and the same
// equation solved for the dry bulb.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "physics/checked_arithmetic.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"

namespace tarvel {
namespace {

constexpr double kStandardKpa = 101.325;

TEST(Psychrometer, VapourPressureAtDry25Wet20) {
  // Psw = Pb(20) = 2338.39621 Pa; depression term (101325 × 0.000666) × 5 × 1.023.
  EXPECT_NEAR(Pv1(Pb(20), 25, 20, kStandardKpa), 1993.2235, 5e-5);
}

TEST(Psychrometer, DryBulbFromVapourPressureGivesBack25) {
  const double psw = Pb(20);
  const double pv = Pv1(psw, 25, 20, kStandardKpa);
  EXPECT_NEAR(DryBulbFromPsychrometer(psw, pv, 20, kStandardKpa), 25, 1e-9);
}

// The coefficient is 0.000594 /°C over ice (wet bulb at or below 0) and 0.000666 /°C over water.
// With Psw = 1000 Pa, a pressure of 100 kPa and a depression of 10 °C the depression term is
// 100000 × A × 10 × (1 + 0.00115 × tw).
TEST(Psychrometer, CoefficientChosenByTheWetBulbSign) {
  struct Case {
    const char* name;
    double t, tw;
    double expected_pv;  // Pa
    double tolerance;
  };
  const Case rows[] = {
      {"wet bulb exactly 0 takes the ice coefficient", 10, 0, 406, 1e-9},
      {"wet bulb 0.01 takes the water coefficient", 10.01, 0.01, 333.992341, 1e-6},
      {"wet bulb -5 takes the ice coefficient", 5, -5, 409.4155, 1e-9},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(Pv1(1000, row.t, row.tw, 100), row.expected_pv, row.tolerance);
    EXPECT_NEAR(DryBulbFromPsychrometer(1000, row.expected_pv, row.tw, 100), row.t, 1e-7);
  }
}

TEST(Psychrometer, NoDepressionReturnsTheSaturationPressureExactly) {
  const double psw = 2338.39621;
  const double pressures[] = {kStandardKpa, 0, 50, 1e6, -101.325};
  for (double kpa : pressures) {
    SCOPED_TRACE("pressure " + testing::PrintToString(kpa) + " kPa");
    EXPECT_EQ(Pv1(psw, 20, 20, kpa), psw);
    EXPECT_EQ(Pv1(psw, -5, -5, kpa), psw);
  }
}

TEST(Psychrometer, ZeroPressureReturnsTheSaturationPressure) {
  EXPECT_EQ(Pv1(2338.39621, 25, 20, 0), 2338.39621);
  EXPECT_EQ(Pv1(401.7, 5, -5, 0), 401.7);
}

TEST(Psychrometer, ZeroPressureFaultsWhenSolvedForTheDryBulb) {
  EXPECT_THROW(DryBulbFromPsychrometer(2338.39621, 1993.2235, 20, 0), NumericFault);
}

TEST(Psychrometer, OverflowFaults) {
  EXPECT_THROW(Pv1(1000, 1e308, -1e308, kStandardKpa), NumericFault);
  EXPECT_THROW(Pv1(1000, 20, 10, 1e306), NumericFault) << "1000 × pressure overflows";
}

// No clamping: a dry bulb below the wet bulb gives a vapour pressure above Psw, a large
// depression a negative one.
TEST(Psychrometer, ResultIsNotClamped) {
  const double psw = Pb(20);
  EXPECT_GT(Pv1(psw, 18, 20, kStandardKpa), psw);
  EXPECT_LT(Pv1(Pb(10), 40, 10, kStandardKpa), 0);
}

// Solving for the dry bulb undoes the forward equation over water, over ice and at other
// pressures.
TEST(Psychrometer, DryBulbRoundTrip) {
  struct Case {
    double t, tw, kpa;
  };
  const Case rows[] = {
      {25, 20, kStandardKpa}, {40, 10, kStandardKpa}, {5, 0, kStandardKpa},
      {2, -3, kStandardKpa},  {-10, -12, 90},         {35, 28, 80},
      {20, 22, kStandardKpa}, {0.5, 0.01, 101.325},   {70, 40, 120},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE("dry " + testing::PrintToString(row.t) + " wet " + testing::PrintToString(row.tw) +
                 " at " + testing::PrintToString(row.kpa) + " kPa");
    const double psw = Pb(row.tw);
    const double pv = Pv1(psw, row.t, row.tw, row.kpa);
    EXPECT_NEAR(DryBulbFromPsychrometer(psw, pv, row.tw, row.kpa), row.t, 1e-9);
  }
}

}  // namespace
}  // namespace tarvel
