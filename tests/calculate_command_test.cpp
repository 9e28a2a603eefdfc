// The calculate command: input checks, the choice of the first two given fields, and how a
// numeric fault or a range message ends the command with the fields written so far.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "solver/calculate_command.h"
#include "solver/pair_code.h"
#include "ui/air_field.h"
#include "ui/field_panel.h"
#include "ui/memory_panel.h"
#include "ui/number_text.h"

namespace tarvel {
namespace {

// What a command did to the panel, event by event: "Text(2)=52.5" for a write, "message
// 超出区域范围" for a message.
std::string FieldName(AirField field) {
  const int index = FieldIndex(field);
  return index < kParameterCount ? "Text(" + std::to_string(index) + ")" : "Text4";
}

std::vector<std::string> Trace(const MemoryPanel& panel) {
  std::vector<std::string> trace;
  for (const MemoryPanel::Event& event : panel.Events()) {
    if (event.kind == MemoryPanel::Event::Kind::Write) {
      trace.push_back(FieldName(event.field) + "=" + event.text);
    } else {
      trace.push_back("message " + event.text);
    }
  }
  return trace;
}

std::string Join(const std::vector<std::string>& items) {
  std::string joined;
  for (const std::string& item : items) {
    joined += (joined.empty() ? "" : ", ") + item;
  }
  return joined;
}

std::vector<std::string> Split(std::string_view list) {
  std::vector<std::string> items;
  while (!list.empty()) {
    const size_t comma = list.find(", ");
    items.emplace_back(list.substr(0, comma));
    if (comma == std::string_view::npos)
      break;
    list.remove_prefix(comma + 2);
  }
  return items;
}

// One expected event: "Text(2)=52.5" exactly that text; "Text(2)=*" any text; "Text(2)>100" or
// "Text(0)<20" a text that reads as a number above or below the bound; "message 超出区域范围".
bool EventMatches(const std::string& actual, const std::string& expected) {
  if (expected == actual)
    return true;
  const size_t op = expected.find_first_of("=<>");
  if (op == std::string::npos || actual.compare(0, op, expected, 0, op) != 0 ||
      actual.size() <= op || actual[op] != '=') {
    return false;
  }
  const std::string bound = expected.substr(op + 1);
  const double value = ParseNumber(std::string_view(actual).substr(op + 1));
  if (expected[op] == '=')
    return bound == "*";
  if (expected[op] == '>')
    return value > ParseNumber(bound);
  return value < ParseNumber(bound);
}

// The whole ordered list of events must match; a last expected item "..." accepts any further
// events.
testing::AssertionResult TraceMatches(const MemoryPanel& panel, std::string_view expected_list) {
  const std::vector<std::string> actual = Trace(panel);
  std::vector<std::string> expected = Split(expected_list);
  bool open_end = !expected.empty() && expected.back() == "...";
  if (open_end)
    expected.pop_back();
  bool ok = open_end ? actual.size() >= expected.size() : actual.size() == expected.size();
  for (size_t i = 0; ok && i < expected.size(); ++i)
    ok = EventMatches(actual[i], expected[i]);
  if (ok)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "events were [" << Join(actual) << "], expected [" << expected_list << "]";
}

// Every message of the calculation has one fixed icon and title.
MemoryPanel::Message MessageWithText(const std::string& text) {
  if (text == "请输入当地大气压力数值")
    return {text, MessageIcon::Critical, "注意"};
  if (text == "请输入两个以上空气参数")
    return {text, MessageIcon::Exclamation, "注意"};
  if (text == "无法得出结果")
    return {text, MessageIcon::None, "错误"};
  if (text == "有多种结果")
    return {text, MessageIcon::None, "注意"};
  if (text == "超出区域范围")
    return {text, MessageIcon::Critical, "注意"};
  if (text == "数值运算错误")
    return {text, MessageIcon::Critical, "错误"};
  return {"unexpected message text: " + text, MessageIcon::None, ""};
}

testing::AssertionResult MessagesHaveTheirIconAndTitle(const MemoryPanel& panel) {
  for (const MemoryPanel::Message& shown : panel.Messages()) {
    const MemoryPanel::Message expected = MessageWithText(shown.text);
    if (!(shown == expected)) {
      return testing::AssertionFailure()
             << "message \"" << shown.text << "\" shown with icon " << IconName(shown.icon)
             << " and title \"" << shown.title << "\", expected icon " << IconName(expected.icon)
             << " and title \"" << expected.title << "\"";
    }
  }
  return testing::AssertionSuccess();
}

// Fields that no event wrote still hold the text they started with.
testing::AssertionResult UnwrittenFieldsKeepTheirText(const MemoryPanel& panel,
                                                      const std::array<std::string, 7>& before) {
  for (int i = 0; i < kFieldCount; ++i) {
    const AirField field = static_cast<AirField>(i);
    bool written = false;
    for (const MemoryPanel::Event& event : panel.Events()) {
      written |= event.kind == MemoryPanel::Event::Kind::Write && event.field == field;
    }
    if (!written && panel.Text(field) != before[i]) {
      return testing::AssertionFailure()
             << FieldName(field) << " was \"" << before[i] << "\" and is now \""
             << panel.Text(field) << "\" without a recorded write";
    }
  }
  return testing::AssertionSuccess();
}

using Texts = std::array<std::string, kFieldCount>;  // Text(0) to Text(5), then Text4

MemoryPanel MakePanel(const Texts& t) {
  return MemoryPanel({t[0], t[1], t[2], t[3], t[4], t[5]}, t[6]);
}

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
  for (const CommandCase& row : rows) {
    SCOPED_TRACE(row.name);
    MemoryPanel panel = MakePanel(row.before);
    const CalculateOutcome outcome = RunCalculate(panel);
    EXPECT_STREQ(OutcomeName(outcome), OutcomeName(row.outcome));
    EXPECT_TRUE(TraceMatches(panel, row.events));
    EXPECT_TRUE(MessagesHaveTheirIconAndTitle(panel));
    EXPECT_TRUE(UnwrittenFieldsKeepTheirText(panel, row.before));
  }
}

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

// A field holding only a blank counts as given and reads as 0: a blank dry bulb with rh 50 is
// code 4 with a dry bulb of 0, and the blank stays in the field.
TEST(CalculateCommandPairChoice, BlankFieldCountsAsGivenAndReadsAsZero) {
  MemoryPanel blank({" ", "", "50", "", "", ""}, "101.325");
  MemoryPanel zero({"0", "", "50", "", "", ""}, "101.325");
  EXPECT_EQ(RunCalculate(blank), CalculateOutcome::Completed);
  EXPECT_EQ(RunCalculate(zero), CalculateOutcome::Completed);
  EXPECT_EQ(blank.Text(AirField::DryBulb), " ");
  EXPECT_EQ(Join(Trace(blank)), Join(Trace(zero)));
  EXPECT_TRUE(blank.Messages().empty());
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
  MemoryPanel panel({"-300", "", "50", "", "", ""}, "101.325");
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
