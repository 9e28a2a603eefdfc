// State completion: from the dry bulb and the relative humidity, or from the dry and the wet bulb,
// every other parameter is computed and written, each as soon as it is known.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "field_rows.h"
#include "panel/air_field.h"
#include "panel/field_panel.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "panel_trace.h"
#include "solver/state_completion.h"

namespace tarvel {
namespace {

using namespace testing_support;

struct CompletionCase {
  const char* name;
  Texts before;
  const char* events;  // what the routine writes and shows, in order
};

void RunRows(void (*complete)(FieldPanel&), const std::vector<CompletionCase>& rows) {
  RunFieldRows(rows, [complete](MemoryPanel& panel, const CompletionCase&) { complete(panel); });
}

// Fields the routine must write start with a marker text, so a field it leaves alone is visible.
TEST(StateFromDryRh, WritesWetBulbDewPointMoistureEnthalpyInOrder) {
  RunRows(FromDryRh, {
                         {"dry 20, rh 50",
                          {"20", "w", "50", "dp", "mc", "en", "101.325"},
                          "Text(1)=13.9, Text(3)=9.28, Text(4)=7.26, Text(5)=38.52"},
                         {"dry typed 20.0, rh typed 50.00: their text stays as typed",
                          {"20.0", "w", "50.00", "dp", "mc", "en", "101.325"},
                          "Text(1)=13.9, Text(3)=9.28, Text(4)=7.26, Text(5)=38.52"},
                         {"dry 20, rh 50 with blanks around the typed numbers",
                          {" 20 ", "", " 50", "", "", "", "101.325"},
                          "Text(1)=13.9, Text(3)=9.28, Text(4)=7.26, Text(5)=38.52"},
                         {"dry 20, rh 100: saturated, wet bulb and dew point equal the dry bulb",
                          {"20", "w", "100", "dp", "mc", "en", "101.325"},
                          "Text(1)=20, Text(3)=20, Text(4)=14.69, Text(5)=57.37"},
                     });
}

// A negative relative humidity still gives a wet bulb, but no dew point lies above -99 °C for a
// negative vapour pressure: the dew-point search ends at its bound with the message, and the dew
// point, moisture content and enthalpy keep the text they had.
TEST(StateFromDryRh, DewPointSearchBoundEndsWithMessage) {
  RunRows(FromDryRh, {
                         {"dry 20, rh -10",
                          {"20", "w", "-10", "dp", "mc", "en", "101.325"},
                          "Text(1)=4.3, message 超出区域范围"},
                     });
}

// The wet-bulb search is bounded like the dew-point search: where no wet bulb in [-99, dry]
// meets the tolerance (supersaturated air, a dry bulb below -99 °C, a negative pressure), the
// search ends with the message and nothing is written.
TEST(StateFromDryRh, WetBulbSearchBoundEndsWithMessage) {
  RunRows(FromDryRh, {
                         {"dry 20, rh 135 (supersaturated)",
                          {"20", "w", "135", "dp", "mc", "en", "101.325"},
                          "message 超出区域范围"},
                         {"dry 20, rh 101 (just supersaturated)",
                          {"20", "w", "101", "dp", "mc", "en", "101.325"},
                          "message 超出区域范围"},
                         {"dry -120, rh 50 (below the search bracket)",
                          {"-120", "w", "50", "dp", "mc", "en", "101.325"},
                          "message 超出区域范围"},
                         {"dry 20, rh 50 at a negative pressure",
                          {"20", "w", "50", "dp", "mc", "en", "-101.325"},
                          "message 超出区域范围"},
                     });
}

TEST(StateFromDryWet, WritesRelHumidityMoistureEnthalpyThenDewPoint) {
  RunRows(FromDryWet,
          {
              {"dry 25, wet 20",
               {"25", "20", "rh", "dp", "mc", "en", "101.325"},
               "Text(2)=62.9, Text(4)=12.48, Text(5)=56.9, Text(3)=17.45"},
              {"dry typed 25.0, wet typed 20.00: their text stays as typed",
               {"25.0", "20.00", "rh", "dp", "mc", "en", "101.325"},
               "Text(2)=62.9, Text(4)=12.48, Text(5)=56.9, Text(3)=17.45"},
              // The enthalpy comes from the moisture content as written, 6.77; the
              // unrounded 6.7708 would give 29.14.
              {"dry 12, wet 10: enthalpy from the rounded moisture content",
               {"12", "10", "rh", "dp", "mc", "en", "101.325"},
               "Text(2)=77.81, Text(4)=6.77, Text(5)=29.13, Text(3)=8.25"},
              // Both saturation pressures lie below 0.01 Pa, so the first midpoint of the dew-point
              // search, (-95 - 99) / 2 = -97, is within the tolerance and is written as it is.
              // The moisture content is written as 0, so the enthalpy is 1.005 x -95, whose double
              // lies just short of -95.475 and is written -95.47.
              {"dry -95 equal to wet -95: first dew-point midpoint accepted",
               {"-95", "-95", "rh", "dp", "mc", "en", "101.325"},
               "Text(2)=100, Text(4)=0, Text(5)=-95.47, Text(3)=-97"},
              {"dry 20 equal to wet 20: saturated",
               {"20", "20", "rh", "dp", "mc", "en", "101.325"},
               "Text(2)=100, Text(4)=*, Text(5)=*, Text(3)=20"},
          });
}

// The dew-point search fails when the wet bulb lies above the dry bulb (the dew point would lie
// above the wet bulb) and when the vapour pressure comes out negative: the relative humidity,
// moisture content and enthalpy are written as computed, then the message; the dew point keeps
// its text.
TEST(StateFromDryWet, DewPointSearchBoundEndsWithMessage) {
  RunRows(FromDryWet, {
                          {"dry 20, wet 22 (wet above dry)",
                           {"20", "22", "rh", "dp", "mc", "en", "101.325"},
                           "Text(2)>100, Text(4)=*, Text(5)=*, message 超出区域范围"},
                          {"dry 40, wet 10 (depression too large)",
                           {"40", "10", "rh", "dp", "mc", "en", "101.325"},
                           "Text(2)<0, Text(4)<0, Text(5)=*, message 超出区域范围"},
                      });
}

// At a wet bulb of exactly 0 the psychrometer uses the coefficient over ice, 0.000594 /°C, and
// from 0.001 °C on the one over water, 0.000666 /°C: at a dry bulb of 5 °C the smaller coefficient
// leaves about 36 Pa more vapour, about 4 points of relative humidity, while moving the wet bulb
// by 0.001 °C changes it by a few hundredths.
TEST(StateFromDryWet, WetBulbOfExactlyZeroUsesTheIceCoefficient) {
  MemoryPanel at_zero({"5", "0", "", "", "", ""}, "101.325");
  MemoryPanel just_above({"5", "0.001", "", "", "", ""}, "101.325");
  FromDryWet(at_zero);
  FromDryWet(just_above);
  const double rh_at_zero = ReadNumber(at_zero, AirField::RelHumidity);
  const double rh_just_above = ReadNumber(just_above, AirField::RelHumidity);
  EXPECT_GT(rh_at_zero - rh_just_above, 3.0)
      << "rh at wet 0: " << rh_at_zero << ", at wet 0.001: " << rh_just_above;
  EXPECT_LT(rh_at_zero - rh_just_above, 5.0)
      << "rh at wet 0: " << rh_at_zero << ", at wet 0.001: " << rh_just_above;
}

// The same dry bulb and relative humidity written by either routine describe the same state: the
// saturated state reached from dry = wet = 20 and from dry 20 with rh 100.
TEST(StateCompletion, SaturatedStateAgreesBetweenBothRoutines) {
  MemoryPanel from_rh({"20", "", "100", "", "", ""}, "101.325");
  MemoryPanel from_wet({"20", "20", "", "", "", ""}, "101.325");
  FromDryRh(from_rh);
  FromDryWet(from_wet);
  for (int i = 0; i < kParameterCount; ++i) {
    const AirField field = ParameterField(i);
    EXPECT_EQ(from_rh.Text(field), from_wet.Text(field)) << FieldName(field);
  }
}

}  // namespace
}  // namespace tarvel
