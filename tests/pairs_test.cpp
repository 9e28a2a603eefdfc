// The fifteen input pairs: how each pair derives the dry bulb and/or the relative humidity it
// hands to state completion, in which order it writes, and how it ends when no state fits. (Each
// pair against the state it came from: pairs_round_trip_test.cpp.)

#include <vector>

#include <gtest/gtest.h>

#include "field_rows.h"
#include "panel/air_field.h"
#include "panel/field_panel.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "panel_trace.h"
#include "solver/pair_code.h"
#include "solver/solve_pair.h"

namespace tarvel {
namespace {

using namespace testing_support;

struct PairCase {
  const char* name;
  PairCode code;
  Texts before;        // fields that are not inputs hold a marker text
  const char* events;  // what the pair and state completion write and show, in order
};

void RunRows(const std::vector<PairCase>& rows) {
  RunFieldRows(rows, [](MemoryPanel& panel, const PairCase& row) { SolvePair(panel, row.code); });
}

// Dry bulb given: the second value becomes a moisture content, then a relative humidity written
// into Text(2); the completion from dry bulb and relative humidity writes the rest, replacing the
// given second value. The dry bulb keeps the text typed.
TEST(PairsWithDryBulb, RelativeHumidityThenCompletion) {
  RunRows({
      {"pair 5 dry 20 + dew 10",
       5,
       {"20", "w", "rh", "10", "mc", "en", "101.325"},
       "Text(2)=52.5, Text(1)=14.24, Text(3)=10, Text(4)=7.63, Text(5)=39.46"},
      {"pair 5 dry typed 20.0 + dew typed 10.00",
       5,
       {"20.0", "w", "rh", "10.00", "mc", "en", "101.325"},
       "Text(2)=52.5, Text(1)=14.24, Text(3)=10, Text(4)=7.63, Text(5)=39.46"},
      {"pair 6 dry 20 + moisture 7.26",
       6,
       {"20", "w", "rh", "dp", "7.26", "en", "101.325"},
       "Text(2)=49.99, Text(1)=13.9, Text(3)=9.28, Text(4)=7.26, Text(5)=38.52"},
      {"pair 6 dry 20 + moisture typed 7.260",
       6,
       {"20", "w", "rh", "dp", "7.260", "en", "101.325"},
       "Text(2)=49.99, Text(1)=13.9, Text(3)=9.28, Text(4)=7.26, Text(5)=38.52"},
      {"pair 7 dry 20 + enthalpy 38.52",
       7,
       {"20", "w", "rh", "dp", "mc", "38.52", "101.325"},
       "Text(2)=50, Text(1)=13.9, Text(3)=9.28, Text(4)=7.26, Text(5)=38.52"},
      {"pair 5 dew equal to dry, 20: saturated",
       5,
       {"20", "w", "rh", "20", "mc", "en", "101.325"},
       "Text(2)=100, Text(1)=20, Text(3)=20, Text(4)=14.69, Text(5)=57.37"},
      // A dew point above the dry bulb gives a relative humidity above 100 %, written as it is;
      // the completion then finds no wet bulb and ends with the message.
      {"pair 5 dry 20 + dew 25: supersaturated",
       5,
       {"20", "w", "rh", "25", "mc", "en", "101.325"},
       "Text(2)=135.52, message 超出区域范围"},
  });
}

// Wet bulb given: pair 8 searches the dry bulb and completes from it and the given relative
// humidity (which stays as typed, while the wet bulb is rewritten); pairs 9 and 10 solve the
// psychrometer equation for the dry bulb and complete from it and the given wet bulb.
TEST(PairsWithWetBulb, DryBulbThenCompletion) {
  RunRows({
      {"pair 8 wet 20 + rh 50",
       8,
       {"db", "20", "50", "dp", "mc", "en", "101.325"},
       "Text(0)=27.41, Text(1)=20, Text(3)=*, Text(4)=*, Text(5)=*"},
      {"pair 8 wet 20 + rh typed 50.0",
       8,
       {"db", "20", "50.0", "dp", "mc", "en", "101.325"},
       "Text(0)=27.41, Text(1)=20, Text(3)=*, Text(4)=*, Text(5)=*"},
      {"pair 8 wet 20 + rh 100: saturated",
       8,
       {"db", "20", "100", "dp", "mc", "en", "101.325"},
       "Text(0)=20, Text(1)=20, Text(3)=20, Text(4)=14.69, Text(5)=57.37"},
      {"pair 8 wet 20 + rh 101: dry bulb would lie below the wet bulb",
       8,
       {"db", "20", "101", "dp", "mc", "en", "101.325"},
       "message 超出区域范围"},
      {"pair 9 wet 20 + dew 15",
       9,
       {"db", "20", "rh", "15", "mc", "en", "101.325"},
       "Text(0)=29.17, Text(2)=42.13, Text(4)=10.65, Text(5)=56.51, Text(3)=15"},
      {"pair 9 wet typed 20.00 + dew 15: the wet bulb text stays",
       9,
       {"db", "20.00", "rh", "15", "mc", "en", "101.325"},
       "Text(0)=29.17, Text(2)=42.13, Text(4)=10.65, Text(5)=56.51, Text(3)=15"},
      {"pair 9 dew equal to wet, 20: saturated",
       9,
       {"db", "20", "rh", "20", "mc", "en", "101.325"},
       "Text(0)=20, Text(2)=100, Text(4)=*, Text(5)=*, Text(3)=20"},
      // The dry bulb lands below the wet bulb and is written; the completion writes a relative
      // humidity above 100 %, finds no dew point and ends with the message: Text(3) keeps 22.
      {"pair 9 wet 20 + dew 22: dew point above the wet bulb",
       9,
       {"db", "20", "rh", "22", "mc", "en", "101.325"},
       "Text(0)=15.57, Text(2)>100, Text(4)=*, Text(5)=*, message 超出区域范围"},
      {"pair 10 wet 15 + moisture 8",
       10,
       {"db", "15", "rh", "dp", "8", "en", "101.325"},
       "Text(0)=21.09, Text(2)=51.46, Text(4)=8, Text(5)=41.51, Text(3)=10.71"},
      {"pair 10 wet 10 + moisture 12: more than saturation at 10 C holds",
       10,
       {"db", "10", "rh", "dp", "12", "en", "101.325"},
       "Text(0)=-0.11, Text(2)>100, Text(4)=*, Text(5)=*, message 超出区域范围"},
      {"pair 11 wet 20 + enthalpy 50: no result",
       11,
       {"db", "20", "rh", "dp", "mc", "50", "101.325"},
       "message 无法得出结果"},
  });
}

// A wet bulb of exactly 0 takes the psychrometer coefficient over ice, 0.000594 /°C, and 0.01 °C
// the one over water, 0.000666 /°C. With the dew point at -5 °C the smaller coefficient puts the
// dry bulb about 0.36 °C higher, far more than the 0.01 °C step of the wet bulb explains.
TEST(PairsWithWetBulb, WetBulbOfExactlyZeroUsesTheIceCoefficient) {
  struct Case {
    const char* name;
    PairCode code;
    Texts at_zero, just_above;
  };
  const Case rows[] = {
      {"pair 9 dew -5",
       9,
       {"", "0", "", "-5", "", "", "101.325"},
       {"", "0.01", "", "-5", "", "", "101.325"}},
      {"pair 10 moisture 2.5",
       10,
       {"", "0", "", "", "2.5", "", "101.325"},
       {"", "0.01", "", "", "2.5", "", "101.325"}},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    MemoryPanel at_zero = MakePanel(row.at_zero);
    MemoryPanel just_above = MakePanel(row.just_above);
    SolvePair(at_zero, row.code);
    SolvePair(just_above, row.code);
    const double dry_at_zero = ReadNumber(at_zero, AirField::DryBulb);
    const double dry_just_above = ReadNumber(just_above, AirField::DryBulb);
    EXPECT_GT(dry_at_zero - dry_just_above, 0.2)
        << "dry bulb at wet 0: " << dry_at_zero << ", at wet 0.01: " << dry_just_above;
  }
}

// Relative humidity given: the dry bulb is searched, written, and the completion runs from it and
// the relative humidity as typed; the given second value is replaced.
TEST(PairsWithRelHumidity, DryBulbSearchThenCompletion) {
  RunRows({
      {"pair 12 rh 100 + dew 20: dry bulb at the dew point",
       12,
       {"db", "w", "100", "20", "mc", "en", "101.325"},
       "Text(0)=20, Text(1)=20, Text(3)=20, Text(4)=14.69, Text(5)=57.37"},
      {"pair 12 rh typed 50.0 + dew 9.28",
       12,
       {"db", "w", "50.0", "9.28", "mc", "en", "101.325"},
       "Text(0)=*, Text(1)=*, Text(3)=*, Text(4)=*, Text(5)=*"},
      {"pair 12 rh 101 + dew 20: dry bulb would lie below the dew point",
       12,
       {"db", "w", "101", "20", "mc", "en", "101.325"},
       "message 超出区域范围"},
      {"pair 12 rh 50 + dew 90: saturation pressure above Pb(100)",
       12,
       {"db", "w", "50", "90", "mc", "en", "101.325"},
       "message 超出区域范围"},
      {"pair 12 rh -10 + dew 10: negative relative humidity",
       12,
       {"db", "w", "-10", "10", "mc", "en", "101.325"},
       "message 超出区域范围"},
      {"pair 13 rh 50 + moisture 7.26",
       13,
       {"db", "w", "50", "dp", "7.26", "en", "101.325"},
       "Text(0)=*, Text(1)=*, Text(3)=*, Text(4)=*, Text(5)=*"},
      // Dry air has a target saturation pressure of 0: the fifth midpoint, -92.78125, is the
      // first where Pb lies below 0.01 Pa, whatever the pressure.
      {"pair 13 rh 50 + moisture 0 at 101.325 kPa",
       13,
       {"db", "w", "50", "dp", "0", "en", "101.325"},
       "Text(0)=-92.78, ..."},
      {"pair 13 rh 50 + moisture 0 at 80 kPa",
       13,
       {"db", "w", "50", "dp", "0", "en", "80"},
       "Text(0)=-92.78, ..."},
      {"pair 13 rh 20 + moisture 0 at 0 kPa",
       13,
       {"db", "w", "20", "dp", "0", "en", "0"},
       "Text(0)=-92.78, ..."},
      {"pair 13 rh -10 + moisture 5: negative target pressure",
       13,
       {"db", "w", "-10", "dp", "5", "en", "101.325"},
       "message 超出区域范围"},
      {"pair 14 rh 50 + enthalpy 38.52",
       14,
       {"db", "w", "50", "dp", "mc", "38.52", "101.325"},
       "Text(0)=*, Text(1)=*, Text(3)=*, Text(4)=*, Text(5)=*"},
      // Dry air: h = 1.005 m; the thirteenth midpoint 19.9093 is the first within 0.01 kJ/kg,
      // so 19.91 is shown, not the 19.90 of the exact solution.
      {"pair 14 rh 0 + enthalpy 20: first midpoint within tolerance",
       14,
       {"db", "w", "0", "dp", "mc", "20", "101.325"},
       "Text(0)=19.91, ..."},
      {"pair 14 rh 50 + enthalpy 5000: no dry bulb up to 100 C",
       14,
       {"db", "w", "50", "dp", "mc", "5000", "101.325"},
       "message 超出区域范围"},
  });
}

// Enthalpy with the dew point or the moisture content: the dry bulb is searched and written, then
// the relative humidity, then the completion replaces both given values.
TEST(PairsOfDewMoistureEnthalpy, DryBulbAndRelHumidityThenCompletion) {
  RunRows({
      {"pair 15 dew 10 + moisture 7.63: several results",
       15,
       {"db", "w", "rh", "10", "7.63", "en", "101.325"},
       "message 有多种结果"},
      {"pair 16 dew 9.28 + enthalpy 38.52",
       16,
       {"db", "w", "rh", "9.28", "mc", "38.52", "101.325"},
       "Text(0)=*, Text(2)=*, Text(1)=*, Text(3)=*, Text(4)=*, Text(5)=*"},
      // The dry bulb that gives 30 kJ/kg with the moisture of a 20 C dew point lies below 20 C:
      // it is written with a relative humidity above 100 %, then the completion ends with the
      // message.
      {"pair 16 dew 20 + enthalpy 30: dry bulb below the dew point",
       16,
       {"db", "w", "rh", "20", "mc", "30", "101.325"},
       "Text(0)<20, Text(2)>100, message 超出区域范围"},
      // Midpoints 0.5, 50.25, 25.375, 12.9375, 19.15625, 22.265625, 20.7109375, 21.48828125:
      // the eighth is the first within 0.01 kJ/kg, so 21.49, not the 21.5 of the exact 21.497.
      {"pair 17 moisture 10 + enthalpy 47",
       17,
       {"db", "w", "rh", "dp", "10", "47", "101.325"},
       "Text(0)=21.49, Text(2)=*, Text(1)=*, Text(3)=*, Text(4)=*, Text(5)=*"},
      {"pair 17 moisture 7.26 + enthalpy 38.52",
       17,
       {"db", "w", "rh", "dp", "7.26", "38.52", "101.325"},
       "Text(0)=*, Text(2)=*, Text(1)=*, Text(3)=*, Text(4)=*, Text(5)=*"},
      {"pair 17 moisture 0 + enthalpy 0 at 101.325 kPa",
       17,
       {"db", "w", "rh", "dp", "0", "0", "101.325"},
       "Text(0)=0, Text(2)=0, ..."},
      {"pair 17 moisture 0 + enthalpy 0 at 80 kPa",
       17,
       {"db", "w", "rh", "dp", "0", "0", "80"},
       "Text(0)=0, Text(2)=0, ..."},
      {"pair 17 moisture 0 + enthalpy 0 at 0 kPa",
       17,
       {"db", "w", "rh", "dp", "0", "0", "0"},
       "Text(0)=0, Text(2)=0, ..."},
      {"pair 17 moisture 10 + enthalpy -90: below what -99 C gives",
       17,
       {"db", "w", "rh", "dp", "10", "-90", "101.325"},
       "message 超出区域范围"},
  });
}

// Pair 17 forms the relative humidity from the moisture content that the given enthalpy implies
// at the rounded dry bulb (10.0028 g/kg at 21.49 C), not from the given 10 g/kg: it agrees with
// dry 21.49 + moisture 10.0028, and not with dry 21.49 + moisture 10.
TEST(PairsOfDewMoistureEnthalpy, MoistureWithEnthalpyTakesRelHumidityFromTheEnthalpy) {
  MemoryPanel pair17({"", "", "", "", "10", "47"}, "101.325");
  MemoryPanel implied({"21.49", "", "", "", "10.0028", ""}, "101.325");
  MemoryPanel given({"21.49", "", "", "", "10", ""}, "101.325");
  SolvePair(pair17, 17);
  SolvePair(implied, 6);
  SolvePair(given, 6);
  EXPECT_EQ(pair17.Text(AirField::RelHumidity), implied.Text(AirField::RelHumidity));
  EXPECT_NE(pair17.Text(AirField::RelHumidity), given.Text(AirField::RelHumidity));
}

TEST(PairsDispatch, CodesOutsideThreeToSeventeenDoNothing) {
  const PairCode codes[] = {-1, 0, 1, 2, 18, 100};
  for (PairCode code : codes) {
    MemoryPanel panel({"20", "20", "50", "10", "7", "40"}, "101.325", MemoryPanel::Recording::On);
    SolvePair(panel, code);
    EXPECT_TRUE(panel.Events().empty()) << "code " << code;
  }
}

}  // namespace
}  // namespace tarvel
