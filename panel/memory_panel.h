#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "panel/field_panel.h"

namespace tarvel {

// A field panel that keeps the seven texts in memory and, when asked, records every message shown,
// or in order every text written and every message shown. The one panel of every command that
// runs without a window: the replay tool, the design's states, tarvel-batch's rows, the Python
// module's, the web page, the tests, the benchmarks and the fuzzers.
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
    AirField field;       // Write only
    std::string text;     // the text written, or the message text
    std::size_t message;  // Message only: its entry in Messages(), with the icon and the title
  };

  // What the panel records besides the texts. Off: nothing, and a command on it allocates nothing
  // for the texts a calculation writes. Messages: every message shown (Messages()); a panel used
  // for one command after another, its record cleared in between, allocates nothing for them
  // either once their texts have grown. On: the messages, and every text written and every
  // message shown in their order (Events()).
  enum class Recording { Off, Messages, On };

  explicit MemoryPanel(Recording recording = Recording::Off) : recording_(recording) {}
  // Six parameter texts Text(0) to Text(5) and the pressure text.
  MemoryPanel(const std::array<std::string, kParameterCount>& parameters, std::string pressure,
              Recording recording = Recording::Off);

  std::string_view Text(AirField field) const override { return texts_[FieldIndex(field)]; }
  void SetText(AirField field, std::string_view text) override;
  // Replaces the field's text with one whose value may be known: ParseNumber(text) is `value` to
  // the bit (the text a program types for a double, RoundTripText), which reads of the field then
  // take without reading the text; NaN, which no text reads as, where the value is not known.
  void SetText(AirField field, std::string_view text, double value);
  double Number(AirField field) const override;
  void SetNumber(AirField field, double x) override;
  void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) override;

  // The record, where the panel keeps it: the messages unless Recording::Off, the events with
  // Recording::On (std::logic_error otherwise, so that a record that was never kept cannot pass
  // for an empty one).
  const std::vector<Message>& Messages() const;
  const std::vector<Event>& Events() const;
  // Forgets the recorded messages and events; the texts stay.
  void ClearRecord();

 private:
  void Require(Recording least) const;

  std::array<std::string, kFieldCount> texts_{};
  // The value of each field's text where it is known: the value a number written, or typed as a
  // number, reads as. NaN elsewhere: any other text is read when asked for.
  std::array<double, kFieldCount> values_ = [] {
    std::array<double, kFieldCount> none;
    none.fill(std::numeric_limits<double>::quiet_NaN());
    return none;
  }();
  Recording recording_ = Recording::Off;
  std::vector<Message> messages_;
  // Messages of records cleared before, whose texts' storage the next messages take over.
  std::vector<Message> spare_;
  std::vector<Event> events_;
};

}  // namespace tarvel
