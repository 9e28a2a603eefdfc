// The pair code of the first two given fields, and what counts as given: any text, a blank too.

#include <string>

#include <gtest/gtest.h>

#include "panel/air_field.h"
#include "panel/memory_panel.h"
#include "panel_trace.h"
#include "solver/calculate_command.h"
#include "solver/pair_code.h"

namespace tarvel {
namespace {

using namespace testing_support;

TEST(CalculateCommandPairCode, FirstAndSecondIndexNameTheFifteenPairs) {
  struct Case {
    const char* name;
    int first, second;
    PairCode code;
  };
  const Case rows[] = {
      {"dry + wet", 0, 1, 3},       {"dry + rh", 0, 2, 4},        {"dry + dew", 0, 3, 5},
      {"dry + moisture", 0, 4, 6},  {"dry + enthalpy", 0, 5, 7},  {"wet + rh", 1, 2, 8},
      {"wet + dew", 1, 3, 9},       {"wet + moisture", 1, 4, 10}, {"wet + enthalpy", 1, 5, 11},
      {"rh + dew", 2, 3, 12},       {"rh + moisture", 2, 4, 13},  {"rh + enthalpy", 2, 5, 14},
      {"dew + moisture", 3, 4, 15}, {"dew + enthalpy", 3, 5, 16}, {"moisture + enthalpy", 4, 5, 17},
  };
  for (const Case& row : rows) {
    EXPECT_EQ(PairCodeOf(row.first, row.second), row.code) << row.name;
  }
}

// A field holding only a blank counts as given and reads as 0: a blank dry bulb with rh 50 is
// code 4 with a dry bulb of 0, and the blank stays in the field.
TEST(CalculateCommandPairChoice, BlankFieldCountsAsGivenAndReadsAsZero) {
  MemoryPanel blank({" ", "", "50", "", "", ""}, "101.325", MemoryPanel::Recording::On);
  MemoryPanel zero({"0", "", "50", "", "", ""}, "101.325", MemoryPanel::Recording::On);
  EXPECT_EQ(RunCalculate(blank), CalculateOutcome::Completed);
  EXPECT_EQ(RunCalculate(zero), CalculateOutcome::Completed);
  EXPECT_EQ(blank.Text(AirField::DryBulb), " ");
  EXPECT_EQ(Join(Trace(blank)), Join(Trace(zero)));
  EXPECT_TRUE(blank.Messages().empty());
}

}  // namespace
}  // namespace tarvel
