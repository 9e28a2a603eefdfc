#include "bench/random_rows.h"

#include <cmath>
#include <cstdint>
#include <random>

#include "bench/cases.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "solver/calculate_command.h"

namespace tarvel::bench {
namespace {

class RowMaker {
 public:
  explicit RowMaker(std::uint64_t seed) : random_(seed) {}

  double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(random_); }

  TextStyle Style() {
    const int draw = std::uniform_int_distribution<>(0, 3)(random_);
    return draw < 2 ? TextStyle::TwoDecimals : draw == 2 ? TextStyle::Whole : TextStyle::Long;
  }

  // The value typed in `style`. `rounded` says that the value has two decimals already (a field
  // the calculator wrote): a long text then gets digits of its own within the rounding.
  std::string Type(double value, TextStyle style, bool rounded) {
    switch (style) {
      case TextStyle::TwoDecimals:
        return FormatNumber(value);
      case TextStyle::Whole:
        return FormatNumber(std::round(value));
      case TextStyle::Long: {
        if (rounded)
          value += Uniform(-0.005, 0.005);
        const double scale = std::pow(10.0, std::uniform_int_distribution<>(4, 6)(random_));
        return RoundTripText(std::round(value * scale) / scale);
      }
    }
    return {};
  }

 private:
  std::mt19937_64 random_;
};

}  // namespace

Row FixedRow(int pair) {
  const RowPair& p = kRowPairs[pair];
  Row row{{}, std::string(kPressure)};
  for (const CalculateCase& c : kCases) {
    if (c.name.substr(c.name.find('/') + 1) == p.name) {
      row.parameters = ParameterTexts(c);
      return row;
    }
  }
  row.parameters[p.first] = "20";
  row.parameters[p.second] = p.second == 5 ? "57.37" : "14.69";
  return row;
}

std::vector<Row> MakeRows(int pair_index, int class_index, int count) {
  const RowPair& pair = kRowPairs[pair_index];
  const RowClass& row_class = kRowClasses[class_index];
  RowMaker maker(0x7a7e1 + static_cast<std::uint64_t>(pair_index * 16 + class_index));
  std::vector<Row> rows;
  rows.reserve(static_cast<std::size_t>(count));
  while (static_cast<int>(rows.size()) < count) {
    const double t = maker.Uniform(row_class.dry_from, row_class.dry_to);
    const double rh = maker.Uniform(row_class.rh_from, row_class.rh_to);
    Row row;
    row.pressure = maker.Type(maker.Uniform(85, 105), maker.Style(), false);

    std::array<std::string, kParameterCount> state;
    state[0] = RoundTripText(t);
    state[2] = RoundTripText(rh);
    MemoryPanel completion(state, row.pressure);
    if (RunCalculate(completion) != CalculateOutcome::Completed)
      continue;
    for (const int field : {pair.first, pair.second}) {
      // The drawn dry bulb and relative humidity as drawn; the others as the calculator wrote them.
      const bool drawn = field == 0 || field == 2;
      const double value = field == 0   ? t
                           : field == 2 ? rh
                                        : ParseNumber(completion.Text(ParameterField(field)));
      row.parameters[field] = maker.Type(value, maker.Style(), !drawn);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace tarvel::bench
