// How a calculate command ends early: a numeric fault at the operation where it occurs, a search
// that misses its tolerance with its message; the fields written so far keep their new text.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "command_rows.h"
#include "panel/air_field.h"
#include "panel/memory_panel.h"
#include "panel_trace.h"
#include "solver/calculate_command.h"

namespace tarvel {
namespace {

using namespace testing_support;

// A numeric fault ends the command at the operation where it occurs: fields written before it
// keep their new text, nothing is written after it, and it is reported as "数值运算错误".
// Fields after the given pair start with a marker text; fields before it must stay empty.
TEST(CalculateCommandNumericFault, EndsTheCommandWhereItOccurs) {
  RunCommandRows({
      {"pair 4, dry -300 below absolute zero",
       {"-300", "", "50", "dp", "mc", "en", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 4, dry -273.15 at absolute zero",
       {"-273.15", "", "50", "dp", "mc", "en", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 4, dry 1e400 too large for a double",
       {"1e400", "", "50", "dp", "mc", "en", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 4, pressure 1e306 overflows in Pa",
       {"20", "", "50", "dp", "mc", "en", "1e306"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 3, dry -270 where the saturation pressure is 0",
       {"-270", "-10", "rh", "dp", "mc", "en", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 6, moisture -622",
       {"20", "", "", "", "-622", "en", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 7, dry -2500/1.84 where the vapour enthalpy is 0",
       {"-1358.695652173913", "", "", "", "", "10", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 9, pressure 0",
       {"", "20", "", "15", "mc", "en", "0"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 10, pressure abc reads as 0",
       {"", "15", "", "", "8", "en", "abc"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 10, moisture -622",
       {"", "15", "", "", "-622", "en", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 12, rh 0",
       {"", "", "0", "20", "mc", "en", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 13, rh 0",
       {"", "", "0", "", "10", "en", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      {"pair 13, rh text that reads as 0",
       {"", "", "x", "", "10", "en", "101.325"},
       CalculateOutcome::NumericFault,
       "message 数值运算错误"},
      // The dry-bulb search of pair 12 needs no pressure; the completion that follows does.
      {"pair 12, rh 100 + dew 20 at pressure 1e306: dry bulb written, then the fault",
       {"", "", "100", "20", "mc", "en", "1e306"},
       CalculateOutcome::NumericFault,
       "Text(0)=20, message 数值运算错误"},
      // Nor does the enthalpy search of pair 17; the relative humidity does.
      {"pair 17, moisture 10 + enthalpy 47 at pressure 1e306: dry bulb written, then the fault",
       {"", "", "", "", "10", "47", "1e306"},
       CalculateOutcome::NumericFault,
       "Text(0)=21.49, message 数值运算错误"},
  });
}

TEST(CalculateCommandNumericFault, NextCommandRunsNormally) {
  MemoryPanel panel({"-300", "", "50", "", "", ""}, "101.325", MemoryPanel::Recording::On);
  EXPECT_EQ(RunCalculate(panel), CalculateOutcome::NumericFault);
  panel.SetText(AirField::DryBulb, "20");
  panel.ClearRecord();
  EXPECT_EQ(RunCalculate(panel), CalculateOutcome::Completed);
  EXPECT_TRUE(TraceMatches(panel, "Text(1)=13.9, Text(3)=9.28, Text(4)=7.26, Text(5)=38.52"));
}

// A search that does not meet its tolerance within its bound ends the command with
// "超出区域范围"; fields written before it keep their new text.
TEST(CalculateCommandRange, SearchBoundEndsTheCommandWithMessage) {
  RunCommandRows({
      {"pair 4, dry 20 + rh 135: wet-bulb search bound",
       {"20", "", "135", "dp", "mc", "en", "101.325"},
       CalculateOutcome::Message,
       "message 超出区域范围"},
      {"pair 4, dry -120 + rh 50: wet-bulb search bound",
       {"-120", "", "50", "dp", "mc", "en", "101.325"},
       CalculateOutcome::Message,
       "message 超出区域范围"},
      {"pair 4, dry 20 + rh -10: dew-point search bound after the wet bulb",
       {"20", "", "-10", "dp", "mc", "en", "101.325"},
       CalculateOutcome::Message,
       "Text(1)=4.3, message 超出区域范围"},
      {"pair 3, dry 20 + wet 22: dew-point search bound after three fields",
       {"20", "22", "rh", "dp", "mc", "en", "101.325"},
       CalculateOutcome::Message,
       "Text(2)>100, Text(4)=*, Text(5)=*, message 超出区域范围"},
      {"pair 8, wet 20 + rh 101: dry-bulb search bound",
       {"", "20", "101", "dp", "mc", "en", "101.325"},
       CalculateOutcome::Message,
       "message 超出区域范围"},
  });
}

}  // namespace
}  // namespace tarvel
