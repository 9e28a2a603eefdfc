// Timings of the whole calculate command on an in-memory panel (reading the texts, solving the pair
// and writing the results), and beside each typical one its floor: the Pb calls that the same
// command makes, timed alone. The arguments of those calls were recorded by tarvel-pb-trace when
// this program was built (pb_calls.inc). scripts/bench compares the medians with their targets,
// among them the ratio of each typical command to its floor.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench/cases.h"
#include "physics/float_bits.h"
#include "physics/saturation_pressure.h"
#include "solver/calculate_command.h"
#include "solver/messages.h"
#include "ui/memory_panel.h"

namespace {

using tarvel::CalculateOutcome;
using tarvel::MemoryPanel;
using tarvel::bench::CalculateCase;
using tarvel::bench::Ending;

struct TracedCase {
  std::string_view name;
  std::vector<std::uint64_t> arguments;  // bits of each Pb argument, in call order
};

const TracedCase kTraced[] = {
#include "pb_calls.inc"
};
static_assert(std::size(kTraced) == std::size(tarvel::bench::kCases));

// One case, ready to run: the texts as the panel takes them and the Pb arguments as doubles.
struct Prepared {
  const CalculateCase* c;
  std::array<std::string, tarvel::kParameterCount> parameters;
  std::string pressure;
  std::vector<double> pb_arguments;
  int water = 0, ice = 0, polynomial = 0;  // Pb calls on each branch
};

void BenchCalculate(benchmark::State& state, const Prepared* p) {
  for (auto _ : state) {
    MemoryPanel panel(p->parameters, p->pressure);
    benchmark::DoNotOptimize(tarvel::RunCalculate(panel));
    benchmark::ClobberMemory();
  }
  state.counters["pb_calls"] = static_cast<double>(p->pb_arguments.size());
}

// Makes the optimiser forget what it knows of x, keeping x in a floating-point register.
// benchmark::DoNotOptimize is not used on the loop variable below: with its "+m,r" constraint
// GCC 12 at -O3 kept the variable in a stack slot it never stored to, so Pb received garbage
// (tiny subnormal numbers, timed at ten times the real cost, and now and then a numeric fault).
inline void Opaque(double& x) {
#if defined(__x86_64__) || defined(__i386__)
  asm volatile("" : "+x"(x));
#elif defined(__aarch64__)
  asm volatile("" : "+w"(x));
#else
  benchmark::DoNotOptimize(x);
#endif
}

// The floor: the same Pb calls, one after the other, without anything else of the command.
void BenchPbFloor(benchmark::State& state, const Prepared* p) {
  for (auto _ : state) {
    for (double t : p->pb_arguments) {
      Opaque(t);
      double pressure = tarvel::Pb(t);
      Opaque(pressure);
    }
  }
  state.counters["pb_calls"] = static_cast<double>(p->pb_arguments.size());
  // Counters that are 0 are left out: their spread would be reported as "nan", which is not JSON.
  for (const auto& [name, count] :
       {std::pair{"pb_water", p->water}, {"pb_ice", p->ice}, {"pb_polynomial", p->polynomial}}) {
    if (count > 0)
      state.counters[name] = count;
  }
}

// The same calls again, each waiting for the result of the one before, as the steps of a search
// do: the next midpoint is known only once the last verdict is. Adding the previous result times
// 0 leaves the argument as it is (the results are finite, and Pb takes -0 as 0) but makes it
// depend on that result. Not a floor: the calls of a command that do not wait for each other are
// made to wait too, so this is rather what a command whose every call waits would spend in Pb.
void BenchPbChain(benchmark::State& state, const Prepared* p) {
  for (auto _ : state) {
    double previous = 0;
    for (double t : p->pb_arguments) {
      Opaque(t);
      previous = tarvel::Pb(t + previous * 0);
      Opaque(previous);
    }
  }
  state.counters["pb_calls"] = static_cast<double>(p->pb_arguments.size());
}

// A timing only means something if the case ends the way it is meant to: a typical state that
// ended with a message, or a worst case that found a result, would time the wrong road.
bool EndsAsIntended(const Prepared& p) {
  MemoryPanel panel(p.parameters, p.pressure, MemoryPanel::Recording::On);
  const CalculateOutcome outcome = tarvel::RunCalculate(panel);
  const auto& messages = panel.Messages();
  switch (p.c->ending) {
    case Ending::Completed:
      return outcome == CalculateOutcome::Completed && messages.empty();
    case Ending::OutOfRange:
      return outcome == CalculateOutcome::Message && messages.size() == 1 &&
             messages[0].text == tarvel::messages::kOutOfRange;
  }
  return false;
}

std::vector<Prepared> Prepare() {
  std::vector<Prepared> prepared;
  for (std::size_t i = 0; i < std::size(tarvel::bench::kCases); ++i) {
    const CalculateCase& c = tarvel::bench::kCases[i];
    Prepared p{&c, tarvel::bench::ParameterTexts(c), std::string(tarvel::bench::kPressure), {}};
    for (const std::uint64_t bits : kTraced[i].arguments) {
      const double t = tarvel::DoubleFromBits(bits);
      p.pb_arguments.push_back(t);
      ++(t >= 30 ? p.polynomial : t >= 0 ? p.water : p.ice);
    }
    prepared.push_back(std::move(p));
  }
  return prepared;
}

}  // namespace

int main(int argc, char** argv) {
  static const std::vector<Prepared> prepared = Prepare();
  bool all_as_intended = true;
  for (std::size_t i = 0; i < prepared.size(); ++i) {
    const Prepared& p = prepared[i];
    const std::string name(p.c->name);
    if (kTraced[i].name != p.c->name) {
      std::fprintf(stderr, "tarvel-bench: pb_calls.inc is stale (%s)\n", name.c_str());
      return 1;
    }
    if (!EndsAsIntended(p)) {
      std::fprintf(stderr, "tarvel-bench: %s does not end as intended (%s)\n", name.c_str(),
                   p.c->ending == Ending::Completed ? "expected no message"
                                                    : "expected the out-of-range message");
      all_as_intended = false;
    }
    benchmark::RegisterBenchmark(name.c_str(), BenchCalculate, &p);
    // typical/pairNN_… is followed at once by its floor pb_floor/pairNN_… and by the same calls
    // chained, pb_chain/pairNN_…, so that the three are timed under the same conditions.
    constexpr std::string_view kTypical = "typical/";
    if (name.starts_with(kTypical)) {
      const std::string floor = "pb_floor/" + name.substr(kTypical.size());
      benchmark::RegisterBenchmark(floor.c_str(), BenchPbFloor, &p);
      const std::string chain = "pb_chain/" + name.substr(kTypical.size());
      benchmark::RegisterBenchmark(chain.c_str(), BenchPbChain, &p);
    }
  }
  if (!all_as_intended)
    return 1;

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
