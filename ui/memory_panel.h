#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ui/field_panel.h"

namespace tarvel {

// A field panel that keeps the seven texts in memory and records, in order, every text written and
// every message shown. It serves the replay tool, the tests, the benchmarks and the fuzzers.
class MemoryPanel final : public FieldPanel {
 public:
  struct Message {
    std::string text;
    MessageIcon icon;
    std::string title;
    bool operator==(const Message&) const = default;
  };

  // One thing the panel was asked to do: write a field's text, or show a message.
  struct Event {
    enum class Kind { Write, Message };
    Kind kind;
    AirField field;    // Write only
    std::string text;  // the text written, or the message text
  };

  MemoryPanel() = default;
  // Six parameter texts Text(0) to Text(5) and the pressure text.
  MemoryPanel(const std::array<std::string, kParameterCount>& parameters, std::string pressure);

  std::string Text(AirField field) const override;
  void SetText(AirField field, std::string_view text) override;
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override;

  const std::vector<Message>& Messages() const { return messages_; }
  const std::vector<Event>& Events() const { return events_; }
  // Forgets the recorded messages and events; the texts stay.
  void ClearRecord();

 private:
  std::array<std::string, kFieldCount> texts_{};
  std::vector<Message> messages_;
  std::vector<Event> events_;
};

}  // namespace tarvel
