#include "python/src/row_answer.h"

#include <limits>

#include "panel/number_text.h"
#include "solver/calculate_command.h"
#include "tables/joined_messages.h"

namespace tarvel::python {

void RowAnswer::Calculate(const std::array<std::string_view, kFieldCount>& typed) {
  for (int f = 0; f < kFieldCount; ++f)
    panel_.SetText(static_cast<AirField>(f), typed[f]);
  // The command's own choice, which it solves only when the pressure is given.
  inputs_ = typed[FieldIndex(AirField::Pressure)].empty() ? PairCode{0} : GivenPair(panel_);
  panel_.ClearRecord();
  RunCalculate(panel_);
  tables::JoinMessages(panel_.Messages(), message_);
}

double RowAnswer::Value(AirField field) const {
  const std::string_view text = panel_.Text(field);
  return text.empty() ? std::numeric_limits<double>::quiet_NaN() : ParseNumber(text);
}

}  // namespace tarvel::python
