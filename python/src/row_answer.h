#pragma once

#include <array>
#include <string>
#include <string_view>

#include "panel/air_field.h"
#include "panel/memory_panel.h"
#include "solver/pair_code.h"

namespace tarvel::python {

// One row answered as the window answers it: the seven texts are typed into the fields, the
// calculate command runs, and the fields' texts and the messages it showed are kept, the messages
// joined as tarvel-batch joins them into its message column. One per thread; it allocates nothing
// per row once its texts have grown.
class RowAnswer {
 public:
  // Texts by FieldIndex: Text(0) to Text(5), then the pressure.
  void Calculate(const std::array<std::string_view, kFieldCount>& typed);

  std::string_view Text(AirField field) const { return panel_.Text(field); }
  // The field's text as the window reads it, or NaN for an empty field.
  double Value(AirField field) const;
  // The messages shown, joined; empty when there was none.
  const std::string& Message() const { return message_; }
  // The code of the two fields the command took as its inputs, the first two given in field
  // order, or 0 when it took none (no pressure, or fewer than two given).
  PairCode Inputs() const { return inputs_; }

 private:
  MemoryPanel panel_{MemoryPanel::Recording::Messages};
  std::string message_;
  PairCode inputs_ = 0;
};

}  // namespace tarvel::python
