#include "panel/memory_panel.h"

#include <bit>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "panel/number_text.h"

namespace tarvel {

MemoryPanel::MemoryPanel(const std::array<std::string, kParameterCount>& parameters,
                         std::string pressure, Recording recording)
    : recording_(recording) {
  for (int i = 0; i < kParameterCount; ++i)
    texts_[i] = parameters[i];
  texts_[FieldIndex(AirField::Pressure)] = std::move(pressure);
}

void MemoryPanel::SetText(AirField field, std::string_view text) {
  SetText(field, text, std::numeric_limits<double>::quiet_NaN());
}

void MemoryPanel::SetText(AirField field, std::string_view text, double value) {
  assert(std::isnan(value) ||
         std::bit_cast<std::uint64_t>(ParseNumber(text)) == std::bit_cast<std::uint64_t>(value));
  if (recording_ == Recording::On)
    events_.push_back({Event::Kind::Write, field, std::string(text), 0});
  // assign() copies within the capacity the text already has and allows `text` to be a view of
  // this very field.
  texts_[FieldIndex(field)].assign(text);
  values_[FieldIndex(field)] = value;
}

double MemoryPanel::Number(AirField field) const {
  const double value = values_[FieldIndex(field)];
  return std::isnan(value) ? ParseNumber(texts_[FieldIndex(field)]) : value;
}

void MemoryPanel::SetNumber(AirField field, double x) {
  char text[kNumberTextCapacity];
  const FormattedNumber written = FormatNumberWithValue(x, text);
  SetText(field, std::string_view(text, written.length), written.value);
}

void MemoryPanel::ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) {
  if (recording_ == Recording::Off)
    return;
  if (spare_.empty()) {
    messages_.emplace_back();
  } else {
    messages_.push_back(std::move(spare_.back()));
    spare_.pop_back();
  }
  Message& message = messages_.back();
  message.text.assign(text);
  message.icon = icon;
  message.title.assign(title);
  if (recording_ == Recording::On)
    events_.push_back(
        {Event::Kind::Message, AirField::Pressure, message.text, messages_.size() - 1});
}

void MemoryPanel::Require(Recording least) const {
  if (static_cast<int>(recording_) < static_cast<int>(least))
    throw std::logic_error("MemoryPanel: that record was not asked for");
}

const std::vector<MemoryPanel::Message>& MemoryPanel::Messages() const {
  Require(Recording::Messages);
  return messages_;
}

const std::vector<MemoryPanel::Event>& MemoryPanel::Events() const {
  Require(Recording::On);
  return events_;
}

void MemoryPanel::ClearRecord() {
  while (!messages_.empty()) {
    spare_.push_back(std::move(messages_.back()));
    messages_.pop_back();
  }
  events_.clear();
}

}  // namespace tarvel
