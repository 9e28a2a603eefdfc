// The correctly rounded elementary functions beside the C library's, and the saturation pressure
// on each branch computed with either, side by side in one run: the cost of correct rounding.
#include <benchmark/benchmark.h>

#include <cmath>

#include "physics/checked_arithmetic.h"
#include "physics/elementary/accurate.h"
#include "physics/elementary/correctly_rounded.h"
#include "physics/saturation_formula.h"

namespace {

using tarvel::SaturationFormula;
namespace checked = tarvel::checked;
namespace elementary = tarvel::elementary;

// The C library's functions behind the same non-finite check.
struct LibraryElementary {
  static double Pow(double x, int n) { return checked::Finite(std::pow(x, n)); }
  static double Exp(double x) { return checked::Finite(std::exp(x)); }
  static double Log(double x) { return checked::Finite(std::log(x)); }
};
struct CorrectlyRounded {
  static double Pow(double x, int n) { return checked::Pow(x, n); }
  static double Exp(double x) { return checked::Exp(x); }
  static double Log(double x) { return checked::Log(x); }
};

template <typename Elementary>
void BenchPbWith(benchmark::State& state, double t) {
  const double ln_e = Elementary::Log(tarvel::kLiteralE);
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(SaturationFormula<Elementary>::Evaluate(t, ln_e));
  }
}

template <typename Function>
void BenchFunction(benchmark::State& state, Function f, double x) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(f(x));
  }
}

// Arguments as Pb meets them: the exponent of the fit at 20 °C, the ice exponent and the kelvin
// temperature at −10 °C, and 40 °C for the powers.
const double kFitExponent = tarvel::kFitA * 20 / (tarvel::kFitB + 20) + tarvel::kFitC;
const double kIceExponent = 5.5;

// The same with each call waiting for the one before, as the steps of a bisection do: its
// latency rather than its throughput. Adding the previous result times 0 changes nothing (the
// results are finite) but makes the argument depend on it.
template <typename Elementary>
void BenchPbChainedWith(benchmark::State& state, double t) {
  const double ln_e = Elementary::Log(tarvel::kLiteralE);
  double previous = 0;
  for (auto _ : state) {
    previous = SaturationFormula<Elementary>::Evaluate(t + previous * 0, ln_e);
    benchmark::DoNotOptimize(previous);
  }
}

void BenchPbOurs(benchmark::State& state, double t) {
  BenchPbWith<CorrectlyRounded>(state, t);
}
void BenchPbLibm(benchmark::State& state, double t) {
  BenchPbWith<LibraryElementary>(state, t);
}

void BenchPbChainedOurs(benchmark::State& state, double t) {
  BenchPbChainedWith<CorrectlyRounded>(state, t);
}
void BenchPbChainedLibm(benchmark::State& state, double t) {
  BenchPbChainedWith<LibraryElementary>(state, t);
}

BENCHMARK_CAPTURE(BenchPbOurs, ice, -10.0)->Name("elementary/Pb_ice_-10C/ours");
BENCHMARK_CAPTURE(BenchPbLibm, ice, -10.0)->Name("elementary/Pb_ice_-10C/libm");
BENCHMARK_CAPTURE(BenchPbOurs, fit, 20.0)->Name("elementary/Pb_exponential_20C/ours");
BENCHMARK_CAPTURE(BenchPbLibm, fit, 20.0)->Name("elementary/Pb_exponential_20C/libm");
BENCHMARK_CAPTURE(BenchPbOurs, polynomial, 40.0)->Name("elementary/Pb_polynomial_40C/ours");
BENCHMARK_CAPTURE(BenchPbLibm, polynomial, 40.0)->Name("elementary/Pb_polynomial_40C/libm");
BENCHMARK_CAPTURE(BenchPbChainedOurs, ice, -10.0)->Name("elementary/chained_Pb_ice_-10C/ours");
BENCHMARK_CAPTURE(BenchPbChainedLibm, ice, -10.0)->Name("elementary/chained_Pb_ice_-10C/libm");
BENCHMARK_CAPTURE(BenchPbChainedOurs, fit, 20.0)
    ->Name("elementary/chained_Pb_exponential_20C/ours");
BENCHMARK_CAPTURE(BenchPbChainedLibm, fit, 20.0)
    ->Name("elementary/chained_Pb_exponential_20C/libm");
BENCHMARK_CAPTURE(BenchPbChainedOurs, polynomial, 40.0)
    ->Name("elementary/chained_Pb_polynomial_40C/ours");
BENCHMARK_CAPTURE(BenchPbChainedLibm, polynomial, 40.0)
    ->Name("elementary/chained_Pb_polynomial_40C/libm");

BENCHMARK_CAPTURE(BenchFunction, exp_ours, elementary::Exp, kFitExponent)
    ->Name("elementary/exp/ours");
BENCHMARK_CAPTURE(
    BenchFunction, exp_libm, [](double x) { return std::exp(x); }, kFitExponent)
    ->Name("elementary/exp/libm");
BENCHMARK_CAPTURE(BenchFunction, exp_ice_ours, elementary::Exp, kIceExponent)
    ->Name("elementary/exp_ice/ours");
BENCHMARK_CAPTURE(BenchFunction, log_ours, elementary::Log, 263.15)->Name("elementary/log/ours");
BENCHMARK_CAPTURE(
    BenchFunction, log_libm, [](double x) { return std::log(x); }, 263.15)
    ->Name("elementary/log/libm");
BENCHMARK_CAPTURE(
    BenchFunction, cube_ours, [](double x) { return elementary::IntegerPower(x, 3); }, 263.15)
    ->Name("elementary/pow3/ours");
BENCHMARK_CAPTURE(
    BenchFunction, cube_libm, [](double x) { return std::pow(x, 3); }, 263.15)
    ->Name("elementary/pow3/libm");

// The accurate paths alone, as the rare arguments that the fast paths cannot decide meet them.
BENCHMARK_CAPTURE(BenchFunction, exp_accurate, elementary::AccurateExp, kFitExponent)
    ->Name("elementary/exp_accurate_path/ours");
BENCHMARK_CAPTURE(
    BenchFunction, log_accurate, [](double x) { return elementary::AccurateLog(x, 5.5727); },
    263.15)
    ->Name("elementary/log_accurate_path/ours");

}  // namespace
