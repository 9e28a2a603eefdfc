#include "ui/memory_panel.h"

namespace tarvel {

MemoryPanel::MemoryPanel(const std::array<std::string, kParameterCount>& parameters,
                         std::string pressure) {
  for (int i = 0; i < kParameterCount; ++i)
    texts_[i] = parameters[i];
  texts_[FieldIndex(AirField::Pressure)] = std::move(pressure);
}

std::string MemoryPanel::Text(AirField field) const {
  return texts_[FieldIndex(field)];
}

void MemoryPanel::SetText(AirField field, std::string_view text) {
  texts_[FieldIndex(field)] = text;
  events_.push_back({Event::Kind::Write, field, std::string(text)});
}

void MemoryPanel::ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) {
  messages_.push_back({std::string(text), icon, std::string(title)});
  events_.push_back({Event::Kind::Message, AirField::Pressure, std::string(text)});
}

void MemoryPanel::ClearRecord() {
  messages_.clear();
  events_.clear();
}

}  // namespace tarvel
