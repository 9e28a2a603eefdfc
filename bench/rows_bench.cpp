// Realistic rows (random_rows.h) for every pair beside the pair's fixed input:
// `rows/<pair>/<class>` runs turns of kTurn commands on the fixed input and kTurn on the next
// random rows of the class, the one that goes first swapped each turn, so that both see the same
// machine; a turn is long enough that the fixed input's first commands after the random rows, which
// find the processor's branch predictions made for those, weigh little. Its counters: `ratio`, the
// random rows' time over the fixed input's; `row_ns` and `fixed_ns`, the two per command (the mean
// cost of a row, which a table of rows pays); `median_ratio`, `row_median_ns` and
// `fixed_median_ns`, the same with the median of the rows' own costs, each row timed alone (in
// turns too, once through the class's rows), the cost of the row in the middle; `completed`, the
// share of the rows that ended without a message; and `exact_pb_below0` and `exact_pb_above0`,
// the exact Pb evaluations a row makes on either side of 0 °C, as tarvel-pb-trace counted them on
// these rows when this program was built. scripts/bench checks the ratios against their targets
// (bench/check_row_targets.cmake).
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/random_rows.h"
#include "bench/rows_bench.h"
#include "panel/memory_panel.h"
#include "solver/calculate_command.h"

namespace tarvel::bench {
namespace {

constexpr int kTurn = 128;

// [pair][class], from tarvel-pb-trace.
const RowPbCount kRowPbCounts[std::size(kRowPairs)][std::size(kRowClasses)] = {
#include "row_pb_counts.inc"
};

struct RowsCase {
  Row fixed;
  std::vector<Row> rows;
  double completed;
  RowPbCount counted;
};

bool Run(const Row& row) {
  MemoryPanel panel(row.parameters, row.pressure);
  const CalculateOutcome outcome = RunCalculate(panel);
  benchmark::DoNotOptimize(outcome);
  benchmark::ClobberMemory();
  return outcome == CalculateOutcome::Completed;
}

// The CPU time of this thread in nanoseconds: on a machine shared with other work the wall clock
// also counts the moments the thread waited for a core, and those fall on one side of a turn.
std::int64_t ThreadNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return std::int64_t{now.tv_sec} * 1000000000 + now.tv_nsec;
}

// The median cost of the fixed input and of a row of the class, each command timed alone by the
// steady clock (whose own cost, the median of an empty interval, is taken off), in turns of kTurn.
struct Medians {
  double fixed;
  double row;
};

Medians TimeEachRow(const RowsCase& c) {
  using Clock = std::chrono::steady_clock;
  const auto elapsed = [](Clock::time_point a, Clock::time_point b) {
    return static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(b - a).count());
  };
  std::vector<double> spent[3];  // the fixed input, the rows, the clock alone
  for (std::size_t next = 0; next < c.rows.size();) {
    for (int i = 0; i < kTurn; ++i) {
      const Clock::time_point start = Clock::now();
      Run(c.fixed);
      spent[0].push_back(elapsed(start, Clock::now()));
    }
    for (int i = 0; i < kTurn && next < c.rows.size(); ++i, ++next) {
      const Clock::time_point start = Clock::now();
      Run(c.rows[next]);
      const Clock::time_point end = Clock::now();
      spent[1].push_back(elapsed(start, end));
      spent[2].push_back(elapsed(end, Clock::now()));
    }
  }
  for (std::vector<double>& v : spent)
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  const double clock = spent[2][spent[2].size() / 2];
  return {spent[0][spent[0].size() / 2] - clock, spent[1][spent[1].size() / 2] - clock};
}

void BenchRows(benchmark::State& state, const RowsCase* c) {
  std::int64_t spent[2] = {};  // the fixed input, the rows
  std::size_t next = 0;
  int first = 0;
  for (auto _ : state) {
    for (int k = 0; k < 2; ++k) {
      const int side = first ^ k;
      const std::int64_t start = ThreadNanoseconds();
      for (int i = 0; i < kTurn; ++i) {
        if (side == 0) {
          Run(c->fixed);
        } else {
          Run(c->rows[next]);
          next = next + 1 == c->rows.size() ? 0 : next + 1;
        }
      }
      spent[side] += ThreadNanoseconds() - start;
    }
    first ^= 1;
  }
  const double commands = static_cast<double>(state.iterations()) * kTurn;
  const auto ns = [&](std::int64_t spent_ns) { return static_cast<double>(spent_ns) / commands; };
  if (spent[0] > 0)
    state.counters["ratio"] = static_cast<double>(spent[1]) / static_cast<double>(spent[0]);
  state.counters["row_ns"] = ns(spent[1]);
  state.counters["fixed_ns"] = ns(spent[0]);
  const Medians medians = TimeEachRow(*c);
  state.counters["median_ratio"] = medians.row / medians.fixed;
  state.counters["row_median_ns"] = medians.row;
  state.counters["fixed_median_ns"] = medians.fixed;
  // A counter that is 0 in every repetition has no coefficient of variation, which the JSON
  // report would write as NaN: those are left out (and read as none).
  const auto count = [&](const char* name, double value) {
    if (value != 0)
      state.counters[name] = value;
  };
  count("completed", c->completed);
  count("exact_pb_below0", c->counted.below0);
  count("exact_pb_above0", c->counted.above0);
}

}  // namespace

void RegisterRowBenchmarks() {
  static std::vector<RowsCase> cases;
  cases.reserve(std::size(kRowPairs) * std::size(kRowClasses));
  for (int p = 0; p < static_cast<int>(std::size(kRowPairs)); ++p) {
    for (int k = 0; k < static_cast<int>(std::size(kRowClasses)); ++k) {
      RowsCase c{FixedRow(p), MakeRows(p, k, kRowsPerClass), 0, kRowPbCounts[p][k]};
      int completed = 0;
      for (const Row& row : c.rows)
        completed += Run(row);
      c.completed = static_cast<double>(completed) / static_cast<double>(c.rows.size());
      cases.push_back(std::move(c));
      const std::string name =
          "rows/" + std::string(kRowPairs[p].name) + "/" + std::string(kRowClasses[k].name);
      benchmark::RegisterBenchmark(name.c_str(), BenchRows, &cases.back())->MinTime(0.1);
    }
  }
}

}  // namespace tarvel::bench
