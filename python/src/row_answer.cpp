#include "python/src/row_answer.h"

#include <bit>
#include <limits>

#include "solver/calculate_command.h"
#include "tables/joined_messages.h"

namespace tarvel::python {

std::uint8_t RowAnswer::Calculate(const TypedRow& row, int fields, double* values,
                                  std::ptrdiff_t stride) {
  // A double's text reads as the double, so the command need not read it again.
  for (int f = 0; f < kFieldCount; ++f)
    panel_.SetText(static_cast<AirField>(f), row.texts[f], row.numbers[f]);
  // The command's own choice, which it solves only when the pressure is given: the first two
  // parameters given (GivenPair), found in the texts typed, which the fields hold as they are.
  unsigned given = 0;  // bit i: parameter i is given
  for (int i = 0; i < kParameterCount; ++i)
    given |= static_cast<unsigned>(!row.texts[FieldIndex(ParameterField(i))].empty()) << i;
  inputs_ = 0;
  if (!row.texts[FieldIndex(AirField::Pressure)].empty() && std::popcount(given) >= 2) {
    const int first = std::countr_zero(given);
    inputs_ = PairCodeOf(first, std::countr_zero(given & (given - 1)));
  }
  panel_.ClearRecord();
  RunCalculate(panel_);
  tables::JoinMessages(panel_.Messages(), message_);

  std::uint8_t kept = 0;
  for (int f = 0; f < fields; ++f) {
    const std::string_view text = panel_.Text(static_cast<AirField>(f));
    const bool same = text == row.texts[f];
    kept |= static_cast<std::uint8_t>(same << f);
    // A double typed is its own value, and a number the command wrote the value its text reads
    // as, both known to the panel; any other text is read as the window reads it.
    values[f * stride] = text.empty() ? std::numeric_limits<double>::quiet_NaN()
                                      : panel_.Number(static_cast<AirField>(f));
  }
  return kept;
}

}  // namespace tarvel::python
