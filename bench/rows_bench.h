#pragma once

// The realistic rows' benchmarks (rows_bench.cpp), and what tarvel-pb-trace tells them.

namespace tarvel::bench {

// Rows drawn per pair and class: enough that a turn of the benchmark rarely meets a row twice in a
// second, few enough to stay in the cache as the rows of a table being read would.
inline constexpr int kRowsPerClass = 2048;

// Exact Pb evaluations per row, of temperatures below 0 °C and from 0 °C up.
struct RowPbCount {
  double below0;
  double above0;
};

// Registers rows/<pair>/<class> for every pair and class of random_rows.h.
void RegisterRowBenchmarks();

}  // namespace tarvel::bench
