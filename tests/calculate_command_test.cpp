// The calculate command: input checks, the pair it takes from the given fields, and how a numeric
// fault or a range message ends the command with the fields written so far.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "field_rows.h"
#include "panel/air_field.h"
#include "panel/memory_panel.h"
#include "panel_trace.h"
#include "solver/calculate_command.h"

namespace tarvel {
namespace {

using namespace testing_support;

const char* OutcomeName(CalculateOutcome outcome) {
  switch (outcome) {
    case CalculateOutcome::Completed:
      return "Completed";
    case CalculateOutcome::Message:
      return "Message";
    case CalculateOutcome::NumericFault:
      return "NumericFault";
  }
  return "?";
}

struct CommandCase {
  const char* name;
  Texts before;
  CalculateOutcome outcome;
  const char* events;  // what the command writes and shows, in order
};

void RunRows(const std::vector<CommandCase>& rows) {
  RunFieldRows(rows, [](MemoryPanel& panel, const CommandCase& row) {
    EXPECT_STREQ(OutcomeName(RunCalculate(panel)), OutcomeName(row.outcome));
  });
}

// Without a pressure nothing else is examined; with fewer than two parameters nothing is
// computed. Either way no field changes.
TEST(CalculateCommandInputCheck, MissingPressureOrParametersShowsOneMessage) {
  RunRows({
      {"pressure empty, all six parameters typed",
       {"25", "20", "62.9", "17.45", "12.48", "56.9", ""},
       CalculateOutcome::Message,
       "message 请输入当地大气压力数值"},
      {"pressure empty, nothing typed",
       {"", "", "", "", "", "", ""},
       CalculateOutcome::Message,
       "message 请输入当地大气压力数值"},
      {"pressure typed, nothing typed",
       {"", "", "", "", "", "", "101.325"},
       CalculateOutcome::Message,
       "message 请输入两个以上空气参数"},
      {"pressure typed, only dry bulb",
       {"20", "", "", "", "", "", "101.325"},
       CalculateOutcome::Message,
       "message 请输入两个以上空气参数"},
      {"pressure typed, only wet bulb",
       {"", "20", "", "", "", "", "101.325"},
       CalculateOutcome::Message,
       "message 请输入两个以上空气参数"},
      {"pressure typed, only rh",
       {"", "", "50", "", "", "", "101.325"},
       CalculateOutcome::Message,
       "message 请输入两个以上空气参数"},
      {"pressure typed, only dew point",
       {"", "", "", "10", "", "", "101.325"},
       CalculateOutcome::Message,
       "message 请输入两个以上空气参数"},
      {"pressure typed, only moisture",
       {"", "", "", "", "7.26", "", "101.325"},
       CalculateOutcome::Message,
       "message 请输入两个以上空气参数"},
      {"pressure typed, only enthalpy",
       {"", "", "", "", "", "38.52", "101.325"},
       CalculateOutcome::Message,
       "message 请输入两个以上空气参数"},
      {"pressure typed, only a blank in enthalpy",
       {"", "", "", "", "", " ", "101.325"},
       CalculateOutcome::Message,
       "message 请输入两个以上空气参数"},
  });
}

// Wet bulb with enthalpy fixes no state, dew point with moisture content fixes many: each is
// answered with its message and no field changes, whatever else is typed after them.
TEST(CalculateCommandPairsWithoutState, AnsweredWithTheirMessage) {
  RunRows({
      {"wet 20 + enthalpy 50",
       {"", "20", "", "", "", "50", "101.325"},
       CalculateOutcome::Message,
       "message 无法得出结果"},
      {"dew 10 + moisture 7.63",
       {"", "", "", "10", "7.63", "", "101.325"},
       CalculateOutcome::Message,
       "message 有多种结果"},
      {"dew 10 + moisture 7.63 + enthalpy 39.46 (third ignored)",
       {"", "", "", "10", "7.63", "39.46", "101.325"},
       CalculateOutcome::Message,
       "message 有多种结果"},
  });
}

TEST(CalculateCommandPairChoice, FirstTwoGivenFieldsAreUsed) {
  RunRows({
      {"dry 20.0 + rh 50: code 4, the given texts stay as typed",
       {"20.0", "", "50", "", "", "", "101.325"},
       CalculateOutcome::Completed,
       "Text(1)=13.9, Text(3)=9.28, Text(4)=7.26, Text(5)=38.52"},
      {"all six typed: code 3 from dry 25 and wet 20, the other four recomputed",
       {"25", "20", "1", "2", "3", "4", "101.325"},
       CalculateOutcome::Completed,
       "Text(2)=62.9, Text(4)=12.48, Text(5)=56.9, Text(3)=17.45"},
      {"moisture 10 + enthalpy 47: code 17",
       {"", "", "", "", "10", "47", "101.325"},
       CalculateOutcome::Completed,
       "Text(0)=21.49, Text(2)=*, Text(1)=*, Text(3)=*, Text(4)=*, Text(5)=*"},
      {"wet 20 + rh 50 + moisture 99: code 8, the moisture typed is replaced",
       {"", "20", "50", "", "99", "", "101.325"},
       CalculateOutcome::Completed,
       "Text(0)=27.41, Text(1)=20, Text(3)=*, Text(4)=*, Text(5)=*"},
  });
}

// Fields after the first two given ones are not inputs: the texts the command leaves are the
// same as when only the first two are typed.
TEST(CalculateCommandPairChoice, FieldsBeyondTheFirstTwoAreIgnored) {
  struct Case {
    const char* name;
    Texts with_extra;
    Texts only_two;
  };
  const Case rows[] = {
      {"dry 25 + wet 20 with rh, dew, moisture, enthalpy typed",
       {"25", "20", "1", "2", "3", "4", "101.325"},
       {"25", "20", "", "", "", "", "101.325"}},
      {"dry 20 + rh 50 with dew, moisture, enthalpy typed",
       {"20", "", "50", "-5", "99", "1000", "101.325"},
       {"20", "", "50", "", "", "", "101.325"}},
      {"wet 20 + rh 50 with moisture typed",
       {"", "20", "50", "", "99", "", "101.325"},
       {"", "20", "50", "", "", "", "101.325"}},
      {"wet 20 + dew 15 with enthalpy typed",
       {"", "20", "", "15", "", "7", "101.325"},
       {"", "20", "", "15", "", "", "101.325"}},
      {"rh 50 + dew 9.28 with moisture and enthalpy typed",
       {"", "", "50", "9.28", "0", "0", "101.325"},
       {"", "", "50", "9.28", "", "", "101.325"}},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    MemoryPanel with_extra = MakePanel(row.with_extra);
    MemoryPanel only_two = MakePanel(row.only_two);
    EXPECT_EQ(RunCalculate(with_extra), CalculateOutcome::Completed);
    EXPECT_EQ(RunCalculate(only_two), CalculateOutcome::Completed);
    for (int i = 0; i < kFieldCount; ++i) {
      const AirField field = static_cast<AirField>(i);
      EXPECT_EQ(with_extra.Text(field), only_two.Text(field)) << FieldName(field);
    }
  }
}

// A pressure that is typed but is no number passes the check and reads as 0 everywhere: the
// psychrometer then gives the saturation pressure at the wet bulb as the vapour pressure, the
// relative humidity is Pb(20) / Pb(25) = 2338.40 / 3168.97, the moisture content degenerates to
// -622 g/kg and the dew point equals the wet bulb.
TEST(CalculateCommandInputCheck, PressureThatIsNoNumberReadsAsZero) {
  RunRows({
      {"pressure abc, dry 25 + wet 20",
       {"25", "20", "", "", "", "", "abc"},
       CalculateOutcome::Completed,
       "Text(2)=73.79, Text(4)=-622, Text(5)=*, Text(3)=20"},
      {"pressure a single blank, dry 25 + wet 20",
       {"25", "20", "", "", "", "", " "},
       CalculateOutcome::Completed,
       "Text(2)=73.79, Text(4)=-622, Text(5)=*, Text(3)=20"},
  });
}

// A numeric fault ends the command at the operation where it occurs: fields written before it
// keep their new text, nothing is written after it, and it is reported as "数值运算错误".
// Fields after the given pair start with a marker text; fields before it must stay empty.
TEST(CalculateCommandNumericFault, EndsTheCommandWhereItOccurs) {
  RunRows({
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
  RunRows({
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
