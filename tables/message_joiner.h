#pragma once

#include <string>
#include <string_view>

#include "panel/field_panel.h"
#include "panel/memory_panel.h"

namespace tarvel::tables {

// Between two messages of one command in a single cell or text.
inline constexpr std::string_view kMessageJoint = "；";

// The panel that one row's command runs on when its answer is a table row: the fields are those
// of an in-memory panel that keeps no record, and the texts of the messages shown are joined into
// one text as they come.
class MessageJoiner final : public FieldPanel {
 public:
  MessageJoiner(MemoryPanel& fields, std::string& messages)
      : fields_(fields), messages_(messages) {}
  std::string_view Text(AirField field) const override { return fields_.Text(field); }
  void SetText(AirField field, std::string_view text) override { fields_.SetText(field, text); }
  void ShowMessage(std::string_view text, MessageIcon, std::string_view) override {
    if (!messages_.empty())
      messages_.append(kMessageJoint);
    messages_.append(text);
  }

 private:
  MemoryPanel& fields_;
  std::string& messages_;
};

}  // namespace tarvel::tables
