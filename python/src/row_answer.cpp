#include "python/src/row_answer.h"

#include <cstdint>
#include <limits>

#include "app/batch/message_joiner.h"
#include "panel/number_text.h"
#include "solver/calculate_command.h"

namespace tarvel::python {
namespace {

// The value of a text the calculation wrote (FormatNumber's: an optional '-', decimal digits and
// at most two after a point), by a shorter road than ParseNumber where the text has at most 15
// digits, and the same double: the digits n form an integer below 2^53, so n and 10 or 100 are
// doubles and one division gives the double nearest to n / 10^k, which is what ParseNumber gives
// for the decimal (the nearest double; never a tie, since a tie would be a dyadic number of 54
// bits, and n / 4 has at most 53). Any other text is read by ParseNumber.
double WrittenValue(std::string_view text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  i += negative ? 1 : 0;
  std::uint64_t n = 0;
  int digits = 0;
  int decimals = -1;  // digits after the point, once there is one
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (c < '0' || c > '9' || ++digits > 15)
      return ParseNumber(text);
    n = n * 10 + static_cast<std::uint64_t>(c - '0');
    decimals += decimals >= 0 ? 1 : 0;
  }
  if (digits == 0 || decimals > 2 || decimals == 0)
    return ParseNumber(text);
  double x = static_cast<double>(n);
  if (decimals > 0)
    x /= decimals == 1 ? 10.0 : 100.0;
  return negative ? -x : x;
}

}  // namespace

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
  return text.empty() ? std::numeric_limits<double>::quiet_NaN() : WrittenValue(text);
}

}  // namespace tarvel::python
