#include "python/src/row_answer.h"

#include <limits>

#include "app/batch/message_joiner.h"
#include "panel/number_text.h"
#include "solver/calculate_command.h"

namespace tarvel::python {

void RowAnswer::Calculate(const std::array<std::string_view, kFieldCount>& typed) {
  for (int f = 0; f < kFieldCount; ++f)
    panel_.SetText(static_cast<AirField>(f), typed[f]);
  // The command's own choice: a pressure, then the first two parameter fields that are not empty.
  int given[2];
  int count = 0;
  for (int i = 0; i < kParameterCount && count < 2; ++i) {
    if (!typed[i].empty())
      given[count++] = i;
  }
  const bool chosen = count == 2 && !typed[FieldIndex(AirField::Pressure)].empty();
  inputs_ = chosen ? PairCodeOf(given[0], given[1]) : PairCode{0};
  message_.clear();
  batch::MessageJoiner joiner(panel_, message_);
  RunCalculate(joiner);
}

double RowAnswer::Value(AirField field) const {
  const std::string_view text = panel_.Text(field);
  return text.empty() ? std::numeric_limits<double>::quiet_NaN() : ParseNumber(text);
}

}  // namespace tarvel::python
