// Reading and writing number text alone: every field read and every result written by the
// calculate command goes through these two, a few dozen times per command. `texts/…` read the
// texts of the realistic rows (random_rows.h) and write values like their results, one after the
// other, beside the same work on the texts and results of the fixed inputs: the cost of texts that
// differ from one call to the next.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench/random_rows.h"
#include "bench/rows_bench.h"
#include "panel/number_text.h"

namespace {

using tarvel::bench::Row;

// The texts a calculation reads: the given fields and the pressure of realistic rows of every
// pair and class, or of the pairs' fixed inputs.
std::vector<std::string> TypedTexts(bool fixed) {
  std::vector<std::string> texts;
  for (int p = 0; p < static_cast<int>(std::size(tarvel::bench::kRowPairs)); ++p) {
    for (int k = 0; k < static_cast<int>(std::size(tarvel::bench::kRowClasses)); ++k) {
      const std::vector<Row> rows =
          fixed ? std::vector<Row>{tarvel::bench::FixedRow(p)} : tarvel::bench::MakeRows(p, k, 64);
      for (const Row& row : rows) {
        texts.push_back(row.pressure);
        for (const std::string& text : row.parameters) {
          if (!text.empty())
            texts.push_back(text);
        }
      }
    }
  }
  return texts;
}

// Values like those a calculation writes: temperatures, relative humidities, moisture contents
// and enthalpies to the last bit, or the results of the fixed input of dry bulb 20 °C and relative
// humidity 50 %.
std::vector<double> Results(bool fixed) {
  if (fixed)
    return {13.896992715648, 9.2807617187500, 7.2611470287, 38.517168};
  std::mt19937_64 random(5);
  std::vector<double> values;
  for (int i = 0; i < 4096; ++i) {
    const double ranges[4][2] = {{-45, 50}, {5, 100}, {0, 40}, {-45, 150}};
    values.push_back(std::uniform_real_distribution<>(ranges[i % 4][0], ranges[i % 4][1])(random));
  }
  return values;
}

void BenchParseTexts(benchmark::State& state, bool fixed) {
  const std::vector<std::string> texts = TypedTexts(fixed);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarvel::ParseNumber(texts[i]));
    i = i + 1 == texts.size() ? 0 : i + 1;
  }
}

void BenchFormatResults(benchmark::State& state, bool fixed) {
  const std::vector<double> values = Results(fixed);
  char text[tarvel::kNumberTextCapacity];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarvel::FormatNumber(values[i], text));
    benchmark::ClobberMemory();
    i = i + 1 == values.size() ? 0 : i + 1;
  }
}

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

BENCHMARK_CAPTURE(BenchParseTexts, rows, false)->Name("texts/ParseNumber_rows");
BENCHMARK_CAPTURE(BenchParseTexts, fixed, true)->Name("texts/ParseNumber_fixed_inputs");
BENCHMARK_CAPTURE(BenchFormatResults, rows, false)->Name("texts/FormatNumber_rows");
BENCHMARK_CAPTURE(BenchFormatResults, fixed, true)->Name("texts/FormatNumber_fixed_input");
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
