// tarvel-row-profile: runs the realistic rows (random_rows.h) of one pair and class, for a
// profiler to watch: `valgrind --tool=callgrind --toggle-collect='*RunRows*'
// build-bench/bench/tarvel-row-profile pair04_dry_rh below0` counts the instructions of the rows
// alone, not of drawing them; `perf record` does as well with a repeat count. The class `fixed`
// runs the pair's fixed input as many times.
//   tarvel-row-profile PAIR CLASS [REPEAT]
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "bench/random_rows.h"
#include "bench/rows_bench.h"
#include "panel/memory_panel.h"
#include "solver/calculate_command.h"

namespace {

using tarvel::bench::Row;

[[gnu::noinline]] long RunRows(const std::vector<Row>& rows, int repeat) {
  long completed = 0;
  for (int r = 0; r < repeat; ++r) {
    for (const Row& row : rows) {
      tarvel::MemoryPanel panel(row.parameters, row.pressure);
      completed += tarvel::RunCalculate(panel) == tarvel::CalculateOutcome::Completed;
    }
  }
  return completed;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarvel::bench;
  const int pair = argc > 2 ? IndexOfName(kRowPairs, argv[1]) : -1;
  const bool fixed = argc > 2 && std::string_view(argv[2]) == "fixed";
  const int row_class = argc > 2 ? IndexOfName(kRowClasses, argv[2]) : -1;
  if (pair < 0 || (row_class < 0 && !fixed)) {
    std::fputs("usage: tarvel-row-profile PAIR CLASS [REPEAT], e.g. pair04_dry_rh below0\n",
               stderr);
    return 2;
  }
  const std::vector<Row> rows = fixed ? std::vector<Row>(kRowsPerClass, FixedRow(pair))
                                      : MakeRows(pair, row_class, kRowsPerClass);
  const int repeat = argc > 3 ? std::atoi(argv[3]) : 1;
  const long completed = RunRows(rows, repeat);
  std::printf("%zu rows, %d times: %ld completed\n", rows.size(), repeat, completed);
  return 0;
}
