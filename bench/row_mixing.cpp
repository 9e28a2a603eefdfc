// tarvel-row-mixing: how much of a realistic row's cost over its pair's fixed input comes from the
// rows being mixed, not from the work each row does.
//
// The realistic rows of one pair and class (random_rows.h) are timed, in alternating rounds beside
// the fixed input:
// - as drawn, as tarvel-bench times them;
// - sorted by the road their state takes through Pb (a dry bulb from 30 °C, on the polynomial; a
//   wet bulb or a dew point below 0 °C, on the ice formula; a row that ends with a message apart);
// - the rows of each road alone, still mixed among themselves;
// - some rows of each road, each repeated on its own, the way the fixed input is: the processor
//   then learns every branch of that row, as it learns the fixed input's;
// - with the typed values handed to the panel with their texts, as the Python module hands them,
//   so that no given text is read.
// A row repeated alone that costs what the fixed input costs does the same work; what the mixed
// rows cost beyond that is the branches that the processor guesses wrongly from one row to the
// next.
//   tarvel-row-mixing PAIR [CLASS], e.g. pair09_wet_dew above0
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>
#include <vector>

#include "bench/random_rows.h"
#include "panel/field_panel.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "solver/calculate_command.h"

namespace {

using tarvel::AirField;
using tarvel::MemoryPanel;
using tarvel::bench::Row;

// A row's seven texts, with the values they read as for a panel that is handed them.
struct TypedRow {
  Row row;
  std::array<double, tarvel::kFieldCount> values;
};

TypedRow Typed(const Row& row) {
  TypedRow typed{row, {}};
  for (int f = 0; f < tarvel::kParameterCount; ++f)
    typed.values[f] = tarvel::ParseNumber(row.parameters[f]);
  typed.values[tarvel::FieldIndex(AirField::Pressure)] = tarvel::ParseNumber(row.pressure);
  return typed;
}

// One pass over the rows; `handed` gives the panel each value with its text.
[[gnu::noinline]] long RunRows(const std::vector<TypedRow>& rows, bool handed) {
  constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
  long completed = 0;
  for (const TypedRow& typed : rows) {
    MemoryPanel panel;
    for (int f = 0; f < tarvel::kFieldCount; ++f) {
      const AirField field = static_cast<AirField>(f);
      const std::string_view text =
          field == AirField::Pressure ? typed.row.pressure : typed.row.parameters[f];
      if (!text.empty())
        panel.SetText(field, text, handed ? typed.values[f] : kUnknown);
    }
    completed += tarvel::RunCalculate(panel) == tarvel::CalculateOutcome::Completed;
  }
  return completed;
}

// Nanoseconds per row over `passes` passes.
double TimePerRow(const std::vector<TypedRow>& rows, bool handed, int passes) {
  const auto start = std::chrono::steady_clock::now();
  long completed = 0;
  for (int p = 0; p < passes; ++p)
    completed += RunRows(rows, handed);
  const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
  if (completed < 0)  // never; keeps the passes from being optimised away
    std::puts("");
  return spent.count() / (static_cast<double>(rows.size()) * passes);
}

// The road of a row: bit 2 a dry bulb from 30 °C, bit 1 a wet bulb below 0 °C, bit 0 a dew point
// below 0 °C; 8 for a row that ends with a message.
constexpr int kEndsWithMessage = 8;
constexpr int kRoads = 9;
int RoadOf(const Row& row) {
  MemoryPanel panel(row.parameters, row.pressure);
  if (tarvel::RunCalculate(panel) != tarvel::CalculateOutcome::Completed)
    return kEndsWithMessage;
  const auto value = [&panel](AirField field) { return tarvel::ReadNumber(panel, field); };
  return (value(AirField::DryBulb) >= 30) * 4 + (value(AirField::WetBulb) < 0) * 2 +
         (value(AirField::DewPoint) < 0);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarvel::bench;
  const int pair = argc > 1 ? IndexOfName(kRowPairs, argv[1]) : -1;
  const int row_class = IndexOfName(kRowClasses, argc > 2 ? argv[2] : "above0");
  if (pair < 0 || row_class < 0) {
    std::fputs("usage: tarvel-row-mixing PAIR [CLASS], e.g. pair09_wet_dew above0\n", stderr);
    return 2;
  }

  std::vector<TypedRow> drawn;
  std::vector<std::vector<TypedRow>> by_road(kRoads);
  for (const Row& row : MakeRows(pair, row_class, 2048)) {
    drawn.push_back(Typed(row));
    by_road[RoadOf(row)].push_back(drawn.back());
  }
  std::vector<TypedRow> sorted;
  for (const std::vector<TypedRow>& road : by_road)
    sorted.insert(sorted.end(), road.begin(), road.end());
  const std::vector<TypedRow> fixed(drawn.size(), Typed(FixedRow(pair)));

  // Alternating rounds, so that the machine's load falls on every kind alike.
  constexpr int kRounds = 30;
  constexpr int kPasses = 5;
  double fixed_ns = 0, drawn_ns = 0, sorted_ns = 0, fixed_handed_ns = 0, drawn_handed_ns = 0;
  std::vector<double> road_ns(kRoads, 0);
  for (int round = 0; round < kRounds; ++round) {
    fixed_ns += TimePerRow(fixed, false, kPasses) / kRounds;
    drawn_ns += TimePerRow(drawn, false, kPasses) / kRounds;
    sorted_ns += TimePerRow(sorted, false, kPasses) / kRounds;
    fixed_handed_ns += TimePerRow(fixed, true, kPasses) / kRounds;
    drawn_handed_ns += TimePerRow(drawn, true, kPasses) / kRounds;
    for (int r = 0; r < kRoads; ++r) {
      if (!by_road[r].empty())
        road_ns[r] += TimePerRow(by_road[r], false, kPasses) / kRounds;
    }
  }
  // Up to 24 rows of each road, each repeated as often as the fixed input is.
  std::vector<double> alone_ns(kRoads, 0);
  for (int r = 0; r < kRoads; ++r) {
    const std::vector<TypedRow>& road = by_road[r];
    const std::size_t count = std::min<std::size_t>(road.size(), 24);
    for (std::size_t i = 0; i < count; ++i) {
      const std::vector<TypedRow> repeated(512, road[i * road.size() / count]);
      alone_ns[r] += TimePerRow(repeated, false, 4 * kPasses) / static_cast<double>(count);
    }
  }

  std::printf("%s %s, ns a row and the ratio to the fixed input (%.1f ns)\n", argv[1],
              kRowClasses[row_class].name.data(), fixed_ns);
  std::printf("  as drawn                  %7.1f  %.3f\n", drawn_ns, drawn_ns / fixed_ns);
  std::printf("  sorted by road            %7.1f  %.3f\n", sorted_ns, sorted_ns / fixed_ns);
  std::printf("  the rows of one road         rows   mixed among themselves   each alone\n");
  for (int r = 0; r < kRoads; ++r) {
    if (by_road[r].empty())
      continue;
    if (r == kEndsWithMessage)
      std::printf("  ending with a message    ");
    else
      std::printf("  dry%s wet%s dew%s  ", r & 4 ? ">=30" : "<30 ", r & 2 ? "<0 " : ">=0",
                  r & 1 ? "<0 " : ">=0");
    std::printf("%6zu   %7.1f  %.3f          %7.1f  %.3f\n", by_road[r].size(), road_ns[r],
                road_ns[r] / fixed_ns, alone_ns[r], alone_ns[r] / fixed_ns);
  }
  std::printf("  values handed, no text read: fixed %.1f, as drawn %.1f (%.3f)\n", fixed_handed_ns,
              drawn_handed_ns, drawn_handed_ns / fixed_handed_ns);
  return 0;
}
