#include "python/src/row_answer.h"

#include <cmath>
#include <limits>

#include "panel/number_text.h"
#include "solver/calculate_command.h"
#include "tables/joined_messages.h"

namespace tarvel::python {

std::uint8_t RowAnswer::Calculate(const TypedRow& row, int fields, double* values,
                                  std::ptrdiff_t stride) {
  for (int f = 0; f < kFieldCount; ++f)
    panel_.SetText(static_cast<AirField>(f), row.texts[f]);
  // The command's own choice, which it solves only when the pressure is given: the first two
  // parameters given (GivenPair), found in the texts typed, which the fields hold as they are.
  inputs_ = 0;
  if (!row.texts[FieldIndex(AirField::Pressure)].empty()) {
    int given[2];
    int count = 0;
    for (int i = 0; i < kParameterCount && count < 2; ++i) {
      if (!row.texts[FieldIndex(ParameterField(i))].empty())
        given[count++] = i;
    }
    inputs_ = count == 2 ? PairCodeOf(given[0], given[1]) : PairCode{0};
  }
  panel_.ClearRecord();
  RunCalculate(panel_);
  tables::JoinMessages(panel_.Messages(), message_);

  std::uint8_t kept = 0;
  for (int f = 0; f < fields; ++f) {
    const std::string_view text = panel_.Text(static_cast<AirField>(f));
    const bool same = text == row.texts[f];
    kept |= static_cast<std::uint8_t>(same << f);
    // A double typed is its own value; a text the command wrote is read as the window reads it.
    double value = std::numeric_limits<double>::quiet_NaN();
    if (same && !std::isnan(row.numbers[f]))
      value = row.numbers[f];
    else if (!text.empty())
      value = ParseNumber(text);
    values[f * stride] = value;
  }
  return kept;
}

}  // namespace tarvel::python
