// Closed-form relations between vapour pressure, moisture content, relative humidity and enthalpy
// of moist air.

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"

namespace tarvel {
namespace {

constexpr double kStandardKpa = 101.325;

// Air at 25 °C and 50 % at standard pressure: Ps = 3168.96785 Pa, Pv = 1584.48392 Pa,
// d = 9.88113 g/kg, h = 50.28236 kJ/kg, v = 0.857917 m³/kg and 1.177132 kg/m³ (ASHRAE's tables,
// with 287.042 J/(kg·K) and 0.621945, give 0.8580 m³/kg). Every relation and its inverse must
// land on these.
class MoistAirAt25And50 : public testing::Test {
 protected:
  const double ps = Pb(25);
  const double pv = PvFromRelHumidityB(50, ps);
  const double d = MoistureFromPv(pv, kStandardKpa);
  const double h = EnthalpyFromMoisture(25, d);
};

TEST_F(MoistAirAt25And50, EachRelationGivesThePublishedValue) {
  struct Case {
    const char* name;
    double actual, expected, tolerance;
  };
  const Case rows[] = {
      {"saturation pressure at 25 C", ps, 3168.96785, 5e-6},
      {"vapour pressure form A", PvFromRelHumidityA(50, ps), 1584.48392, 5e-6},
      {"vapour pressure form B", PvFromRelHumidityB(50, ps), 1584.48392, 5e-6},
      {"moisture from vapour pressure", d, 9.88113, 5e-6},
      {"moisture from relative humidity", MoistureFromRelHumidity(50, ps, kStandardKpa), 9.88113,
       5e-6},
      {"enthalpy from moisture", h, 50.28236, 5e-6},
      {"enthalpy from moisture ratio", EnthalpyFromMoistureRatio(25, d / 1000), 50.28236, 5e-6},
      {"moisture back from enthalpy", MoistureFromEnthalpy(h, 25), 9.88113, 5e-6},
      {"vapour pressure back from moisture", PvFromMoisture(d, kStandardKpa), 1584.48392, 5e-6},
      {"saturation pressure back from relative humidity", SaturationFromRelHumidity(pv, 50),
       3168.96785, 5e-6},
      {"dry bulb back from enthalpy", DryBulbFromEnthalpy(h, d), 25, 5e-12},
      {"specific volume", SpecificVolume(25, d, kStandardKpa), 0.857917, 5e-7},
      {"density", DensityFromVolume(d, SpecificVolume(25, d, kStandardKpa)), 1.177132, 5e-7},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(row.actual, row.expected, row.tolerance);
  }
}

TEST_F(MoistAirAt25And50, RelativeHumidityFromVapourPressureIsExactly50) {
  EXPECT_EQ(RelHumidityFromPv(pv, ps), 50);
}

// Dividing by Ps before (d + 622) lands one rounding above 50, which is still written as 50.
TEST_F(MoistAirAt25And50, RelativeHumidityFromMoistureShowsAs50) {
  EXPECT_EQ(RelHumidityFromMoisture(d, ps, kStandardKpa), 50.000000000000014);
  EXPECT_EQ(FormatNumber(RelHumidityFromMoisture(d, ps, kStandardKpa)), "50");
}

// The caller's choice between the unrounded and the displayed moisture content shows in the
// second decimal of the enthalpy: 9.88 gives 50.27948, the unrounded 9.88113 gives 50.28236.
TEST(MoistAir, DisplayedMoistureGivesAnotherEnthalpy) {
  EXPECT_NEAR(EnthalpyFromMoisture(25, 9.88), 50.27948, 5e-6);
  EXPECT_NEAR(EnthalpyFromMoistureRatio(25, 0.00988), 50.27948, 5e-6);
  EXPECT_EQ(FormatNumber(EnthalpyFromMoisture(25, 9.88)), "50.28");
}

TEST(MoistAir, DryAirHasNoVapour) {
  const double ps = Pb(20);
  EXPECT_NEAR(EnthalpyFromMoisture(20, 0), 20.1, 1e-12) << "h = 1.005 t";
  EXPECT_NEAR(EnthalpyFromMoistureRatio(-10, 0), -10.05, 1e-12) << "h = 1.005 t";
  EXPECT_EQ(PvFromMoisture(0, kStandardKpa), 0);
  EXPECT_EQ(RelHumidityFromMoisture(0, ps, kStandardKpa), 0);
  EXPECT_EQ(MoistureFromPv(0, kStandardKpa), 0);
  EXPECT_NEAR(MoistureFromEnthalpy(20.1, 20), 0, 1e-12);
}

// Nothing is clamped: a vapour pressure above the atmospheric pressure gives a negative moisture
// content, a relative humidity above 100 % is returned as computed.
TEST(MoistAir, OutOfRangeValuesAreReturnedAsComputed) {
  EXPECT_LT(MoistureFromPv(110000, kStandardKpa), 0);
  EXPECT_LT(MoistureFromPv(-100, kStandardKpa), 0);
  EXPECT_GT(RelHumidityFromPv(3000, Pb(20)), 100);
  EXPECT_GT(RelHumidityFromMoisture(20, Pb(20), kStandardKpa), 100);
  EXPECT_LT(PvFromRelHumidityA(-10, Pb(20)), 0);
}

// Each relation's zero divisor is a numeric fault, not an infinity.
TEST(MoistAir, ZeroDivisorsFault) {
  struct Case {
    const char* name;
    double (*call)();
  };
  const Case rows[] = {
      {"moisture from vapour pressure equal to the pressure",
       [] { return MoistureFromPv(101325, kStandardKpa); }},
      {"moisture from relative humidity with phi/100 x Ps equal to the pressure",
       [] { return MoistureFromRelHumidity(100, 101325, kStandardKpa); }},
      {"vapour pressure from moisture -622", [] { return PvFromMoisture(-622, kStandardKpa); }},
      {"relative humidity from moisture with Ps 0",
       [] { return RelHumidityFromMoisture(10, 0, kStandardKpa); }},
      {"relative humidity from moisture -622",
       [] { return RelHumidityFromMoisture(-622, 2338.39621, kStandardKpa); }},
      {"relative humidity from vapour pressure with Ps 0",
       [] { return RelHumidityFromPv(1000, 0); }},
      {"saturation pressure from relative humidity 0",
       [] { return SaturationFromRelHumidity(1584.48392, 0); }},
      {"moisture from enthalpy at t = -2500/1.84",
       [] { return MoistureFromEnthalpy(10, -2500 / 1.84); }},
      {"specific volume at a pressure of 0", [] { return SpecificVolume(20, 10, 0); }},
      {"density of a volume of 0", [] { return DensityFromVolume(10, 0); }},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_THROW(row.call(), NumericFault);
  }
}

TEST(MoistAir, OverflowFaults) {
  EXPECT_THROW(MoistureFromPv(1000, 1e306), NumericFault) << "1000 × pressure overflows";
  EXPECT_THROW(EnthalpyFromMoisture(1e308, 1e308), NumericFault);
}

// The inverse relations give back what they started from, over a range of states.
TEST(MoistAir, InversesRoundTrip) {
  struct Case {
    double t, phi, kpa;
  };
  const Case rows[] = {{-20, 80, kStandardKpa}, {0, 50, kStandardKpa},
                       {20, 50, kStandardKpa},  {35, 30, 90},
                       {60, 95, 120},           {25, 100, 80}};
  for (const Case& row : rows) {
    SCOPED_TRACE("t " + testing::PrintToString(row.t) + " phi " + testing::PrintToString(row.phi) +
                 " at " + testing::PrintToString(row.kpa) + " kPa");
    const double ps = Pb(row.t);
    const double pv = PvFromRelHumidityA(row.phi, ps);
    const double d = MoistureFromRelHumidity(row.phi, ps, row.kpa);
    EXPECT_NEAR(MoistureFromPv(pv, row.kpa), d, 1e-9 * (1 + d));
    EXPECT_NEAR(PvFromMoisture(d, row.kpa), pv, 1e-9 * (1 + pv));
    EXPECT_NEAR(RelHumidityFromMoisture(d, ps, row.kpa), row.phi, 1e-9);
    EXPECT_NEAR(RelHumidityFromPv(pv, ps), row.phi, 1e-9);
    EXPECT_NEAR(SaturationFromRelHumidity(pv, row.phi), ps, 1e-9 * ps);
    const double h = EnthalpyFromMoisture(row.t, d);
    EXPECT_NEAR(MoistureFromEnthalpy(h, row.t), d, 1e-9 * (1 + d));
    EXPECT_NEAR(DryBulbFromEnthalpy(h, d), row.t, 1e-9 * (1 + std::fabs(row.t)));
  }
}

}  // namespace
}  // namespace tarvel
