#include "panel/memory_panel.h"

#include <stdexcept>

namespace tarvel {

MemoryPanel::MemoryPanel(const std::array<std::string, kParameterCount>& parameters,
                         std::string pressure, Recording recording)
    : recording_(recording) {
  for (int i = 0; i < kParameterCount; ++i)
    texts_[i] = parameters[i];
  texts_[FieldIndex(AirField::Pressure)] = std::move(pressure);
}

void MemoryPanel::SetText(AirField field, std::string_view text) {
  if (recording_ == Recording::On)
    events_.push_back({Event::Kind::Write, field, std::string(text), 0});
  // assign() copies within the capacity the text already has and allows `text` to be a view of
  // this very field.
  texts_[FieldIndex(field)].assign(text);
}

void MemoryPanel::ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) {
  if (recording_ == Recording::Off)
    return;
  messages_.push_back({std::string(text), icon, std::string(title)});
  events_.push_back(
      {Event::Kind::Message, AirField::Pressure, std::string(text), messages_.size() - 1});
}

void MemoryPanel::RequireRecording() const {
  if (recording_ == Recording::Off)
    throw std::logic_error("MemoryPanel: the record was not asked for (Recording::On)");
}

const std::vector<MemoryPanel::Message>& MemoryPanel::Messages() const {
  RequireRecording();
  return messages_;
}

const std::vector<MemoryPanel::Event>& MemoryPanel::Events() const {
  RequireRecording();
  return events_;
}

void MemoryPanel::ClearRecord() {
  messages_.clear();
  events_.clear();
}

}  // namespace tarvel
