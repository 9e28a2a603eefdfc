// The in-memory panel: the texts always, the record of messages, or of writes and messages, only
// when asked for, and views of a field's text that outlive writes to other fields.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string_view>
#include <vector>

#include "panel/memory_panel.h"
#include "solver/calculate_command.h"

namespace tarvel {
namespace {

TEST(MemoryPanel, KeepsTheTextsWithOrWithoutItsRecord) {
  for (const auto recording : {MemoryPanel::Recording::Off, MemoryPanel::Recording::Messages,
                               MemoryPanel::Recording::On}) {
    MemoryPanel panel({"", "20", "150", "", "", ""}, "101.325", recording);
    // Wet bulb 20 with relative humidity 150: the dry bulb search fails, one message, no write.
    EXPECT_EQ(RunCalculate(panel), CalculateOutcome::Message);
    panel.SetText(AirField::DewPoint, "12.5");
    EXPECT_EQ(panel.Text(AirField::DewPoint), "12.5");
    EXPECT_EQ(panel.Text(AirField::Pressure), "101.325");
    if (recording != MemoryPanel::Recording::Off) {
      ASSERT_EQ(panel.Messages().size(), 1u);
      EXPECT_EQ(panel.Messages()[0].text, "超出区域范围");
    }
    if (recording == MemoryPanel::Recording::On) {
      ASSERT_EQ(panel.Events().size(), 2u);
      EXPECT_EQ(panel.Events()[1].text, "12.5");
    } else if (recording == MemoryPanel::Recording::Messages) {
      EXPECT_THROW(panel.Events(), std::logic_error);
    } else {
      // A record that was never kept must not pass for an empty one.
      EXPECT_THROW(panel.Messages(), std::logic_error);
      EXPECT_THROW(panel.Events(), std::logic_error);
    }
  }
}

// A message event leads to its entry in Messages(), so that the events in order give every
// message's icon and title too.
TEST(MemoryPanel, AMessageEventNamesItsMessage) {
  MemoryPanel panel(MemoryPanel::Recording::On);
  panel.ShowMessage("first", MessageIcon::Information, "one");
  panel.SetText(AirField::DryBulb, "20");
  panel.ShowMessage("second", MessageIcon::Critical, "two");
  const auto& events = panel.Events();
  ASSERT_EQ(events.size(), 3u);
  for (const std::size_t k : {0u, 2u}) {
    ASSERT_EQ(events[k].kind, MemoryPanel::Event::Kind::Message);
    EXPECT_EQ(panel.Messages().at(events[k].message).text, events[k].text);
  }
  EXPECT_EQ(panel.Messages()[events[2].message].icon, MessageIcon::Critical);
}

// A panel answers row after row with its record cleared in between: each record holds that
// command's messages alone, whole, whatever the messages before them held.
TEST(MemoryPanel, AClearedRecordHoldsOnlyTheMessagesShownSince) {
  for (const auto recording : {MemoryPanel::Recording::Messages, MemoryPanel::Recording::On}) {
    MemoryPanel panel(recording);
    const std::vector<std::vector<MemoryPanel::Message>> commands = {
        {{"a message longer than any small-string buffer", MessageIcon::Critical, "注意"},
         {"second", MessageIcon::None, "错误"}},
        {},
        {{"x", MessageIcon::Exclamation, ""}},
        {{"y", MessageIcon::Information, "多谢使用"},
         {"z, after a message that lent its storage", MessageIcon::None, "t"},
         {"a third, for which none was spare", MessageIcon::Critical, "注意"}},
    };
    for (std::size_t k = 0; k < commands.size(); ++k) {
      panel.ClearRecord();
      for (const MemoryPanel::Message& message : commands[k])
        panel.ShowMessage(message.text, message.icon, message.title);
      EXPECT_EQ(panel.Messages(), commands[k]) << "command " << k;
    }
  }
}

TEST(MemoryPanel, AViewOfAFieldOutlivesReadsOfItAndWritesToOtherFields) {
  MemoryPanel panel({"a rather long text beyond any small-string buffer", "", "", "", "", ""},
                    "101.325");
  const std::string_view before = panel.Text(AirField::DryBulb);
  for (int i = 1; i < kFieldCount; ++i)
    panel.SetText(static_cast<AirField>(i), "another rather long text beyond the small buffer");
  EXPECT_EQ(panel.Text(AirField::DryBulb).data(), before.data());
  EXPECT_EQ(before, "a rather long text beyond any small-string buffer");
  // A field may be written from a view of its own text.
  panel.SetText(AirField::DryBulb, before.substr(2, 6));
  EXPECT_EQ(panel.Text(AirField::DryBulb), "rather");
}

}  // namespace
}  // namespace tarvel
