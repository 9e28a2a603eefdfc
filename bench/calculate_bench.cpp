// Timings of the whole calculate command on an in-memory panel (reading the texts, solving the pair
// and writing the results), each case twice side by side: as the calculator runs it, with filtered
// search verdicts (`typical/…`, `worst/…`), and with every verdict by the exact evaluation, the
// plain algorithm (`reference/typical/…`, `reference/worst/…`). Beside each, the number of exact Pb
// evaluations the command makes, as tarvel-pb-trace counted them when this program was built
// (pb_counts.inc). And for each typical case the two modes timed in turns of a few commands each
// (`paired/typical/…`, counter `ratio`): the virtual machine's speed can change by half within a
// minute, and the medians of two benchmarks run at different moments follow it; turns a few
// microseconds apart do not. scripts/bench checks the paired ratio, the counts and the medians
// against their targets.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "bench/cases.h"
#include "bench/rows_bench.h"
#include "panel/memory_panel.h"
#include "panel/messages.h"
#include "solver/calculate_command.h"

namespace {

using tarvel::CalculateOutcome;
using tarvel::MemoryPanel;
using tarvel::SearchMode;
using tarvel::bench::CalculateCase;
using tarvel::bench::Ending;

struct CountedCase {
  std::string_view name;
  long filtered_pb;  // exact Pb evaluations with filtered searches
  long exact_pb;     // the same with exact verdicts
};

const CountedCase kCounted[] = {
#include "pb_counts.inc"
};
static_assert(std::size(kCounted) == std::size(tarvel::bench::kCases));

// One case, ready to run: the texts as the panel takes them.
struct Prepared {
  const CalculateCase* c;
  std::array<std::string, tarvel::kParameterCount> parameters;
  std::string pressure;
  SearchMode mode;
  long exact_pb;
};

void BenchCalculate(benchmark::State& state, const Prepared* p) {
  for (auto _ : state) {
    MemoryPanel panel(p->parameters, p->pressure);
    benchmark::DoNotOptimize(tarvel::RunCalculate(panel, p->mode));
    benchmark::ClobberMemory();
  }
  state.counters["exact_pb"] = static_cast<double>(p->exact_pb);
}

// The filtered command against its reference in alternating turns of kTurn commands, the mode
// that goes first swapped each time; the ratio of the time each mode took in all.
void BenchPaired(benchmark::State& state, const Prepared* filtered, const Prepared* reference) {
  using Clock = std::chrono::steady_clock;
  constexpr int kTurn = 8;
  const Prepared* const modes[2] = {filtered, reference};
  Clock::duration spent[2] = {};
  int first = 0;
  for (auto _ : state) {
    for (int k = 0; k < 2; ++k) {
      const Prepared* p = modes[first ^ k];
      const Clock::time_point start = Clock::now();
      for (int i = 0; i < kTurn; ++i) {
        MemoryPanel panel(p->parameters, p->pressure);
        benchmark::DoNotOptimize(tarvel::RunCalculate(panel, p->mode));
        benchmark::ClobberMemory();
      }
      spent[first ^ k] += Clock::now() - start;
    }
    first ^= 1;
  }
  if (spent[1].count() > 0)
    state.counters["ratio"] =
        static_cast<double>(spent[0].count()) / static_cast<double>(spent[1].count());
}

// A timing only means something if the case ends the way it is meant to: a typical state that
// ended with a message, or a worst case that found a result, would time the wrong road.
bool EndsAsIntended(const Prepared& p) {
  MemoryPanel panel(p.parameters, p.pressure, MemoryPanel::Recording::On);
  const CalculateOutcome outcome = tarvel::RunCalculate(panel, p.mode);
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
    for (const SearchMode mode : {SearchMode::Filtered, SearchMode::Exact}) {
      prepared.push_back(
          {&c, tarvel::bench::ParameterTexts(c), std::string(tarvel::bench::kPressure), mode,
           mode == SearchMode::Filtered ? kCounted[i].filtered_pb : kCounted[i].exact_pb});
    }
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
    if (kCounted[i / 2].name != p.c->name) {
      std::fprintf(stderr, "tarvel-bench: pb_counts.inc is stale (%s)\n", name.c_str());
      return 1;
    }
    if (!EndsAsIntended(p)) {
      std::fprintf(stderr, "tarvel-bench: %s does not end as intended (%s)\n", name.c_str(),
                   p.c->ending == Ending::Completed ? "expected no message"
                                                    : "expected the out-of-range message");
      all_as_intended = false;
    }
    // Each case is followed at once by its reference, so that the two are timed alike.
    const std::string registered = p.mode == SearchMode::Filtered ? name : "reference/" + name;
    benchmark::RegisterBenchmark(registered.c_str(), BenchCalculate, &p);
    if (p.mode == SearchMode::Exact && name.starts_with("typical/"))
      benchmark::RegisterBenchmark(("paired/" + name).c_str(), BenchPaired, &prepared[i - 1], &p);
  }
  if (!all_as_intended)
    return 1;
  tarvel::bench::RegisterRowBenchmarks();

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
