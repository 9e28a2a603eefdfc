#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "panel/air_field.h"
#include "panel/memory_panel.h"
#include "solver/pair_code.h"

namespace tarvel::python {

// A row as it is typed: each field's text by FieldIndex (Text(0) to Text(5), then the pressure)
// and, where that text is the RoundTripText of a double, the double, which the field reads as
// exactly; NaN elsewhere.
struct TypedRow {
  std::array<std::string_view, kFieldCount> texts;
  std::array<double, kFieldCount> numbers;
};

// The one kernel of every calculation, of one row or of arrays: the row is typed into the fields,
// the calculate command runs, and each field's value and whether it kept the text typed are
// kept, with the messages the command showed joined as tarvel-batch joins them into its message
// column. A field's text after the command is then the text typed where it kept it, else the
// text written, FormatNumber of its value (field_texts.h); so the texts need not be copied out of
// the panel at all. One per thread; it allocates nothing per row once its texts have grown.
class RowAnswer {
 public:
  // Answers the row and writes the value of each of the first `fields` fields to
  // values[f * stride]: the field's text as the window reads it, NaN where the field is empty.
  // Returns bit f set where field f kept the text typed.
  std::uint8_t Calculate(const TypedRow& row, int fields, double* values, std::ptrdiff_t stride);

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
