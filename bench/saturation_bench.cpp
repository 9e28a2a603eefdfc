// The saturation pressure alone, once on each of its three branches: every search step calls it
// once or twice, so its cost sets the pace of every bisection.
#include <benchmark/benchmark.h>

#include "physics/saturation_pressure.h"

namespace {

void BenchPb(benchmark::State& state, double temperature) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(temperature);
    benchmark::DoNotOptimize(tarvel::Pb(temperature));
  }
}

BENCHMARK_CAPTURE(BenchPb, ice_minus10C, -10.0)->Name("typical/Pb_ice_-10C");
BENCHMARK_CAPTURE(BenchPb, exponential_20C, 20.0)->Name("typical/Pb_exponential_20C");
BENCHMARK_CAPTURE(BenchPb, polynomial_40C, 40.0)->Name("typical/Pb_polynomial_40C");

}  // namespace
