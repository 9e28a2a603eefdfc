// Reading and writing number text alone: every field read and every result written by the
// calculate command goes through these two, a few dozen times per command.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "panel/number_text.h"

namespace {

void BenchParse(benchmark::State& state, std::string_view text) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    benchmark::DoNotOptimize(tarvel::ParseNumber(text));
  }
}

void BenchFormat(benchmark::State& state, double x) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    std::string text = tarvel::FormatNumber(x);
    benchmark::DoNotOptimize(text);
  }
}

// Into a buffer of the caller's, as WriteNumber does: no allocation.
void BenchFormatInto(benchmark::State& state, double x) {
  char text[tarvel::kNumberTextCapacity];
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(tarvel::FormatNumber(x, text));
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(BenchParse, whole, "20")->Name("typical/ParseNumber_20");
BENCHMARK_CAPTURE(BenchParse, pressure, "101.325")->Name("typical/ParseNumber_101.325");
BENCHMARK_CAPTURE(BenchParse, long_fraction, "13.896992715648")
    ->Name("typical/ParseNumber_13.896992715648");
BENCHMARK_CAPTURE(BenchFormat, enthalpy, 38.517168)->Name("typical/FormatNumber_38.517168");
BENCHMARK_CAPTURE(BenchFormat, whole, 20.0)->Name("typical/FormatNumber_20");
BENCHMARK_CAPTURE(BenchFormat, negative, -12.3456)->Name("typical/FormatNumber_-12.3456");
BENCHMARK_CAPTURE(BenchFormatInto, enthalpy, 38.517168)
    ->Name("typical/FormatNumber_into_buffer_38.517168");
BENCHMARK_CAPTURE(BenchFormatInto, large, 3.3631305881435355e51)
    ->Name("typical/FormatNumber_into_buffer_3.36e51");

}  // namespace
