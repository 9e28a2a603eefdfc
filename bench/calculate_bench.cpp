// Timings of the whole calculate command on an in-memory panel: reading the texts, solving the
// pair and writing the results. `typical/` cases are ordinary states, one per solving pair code;
// `worst/` cases are the searches that run out their bound before the message "outside the
// range". scripts/bench compares the medians with their targets.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "solver/calculate_command.h"
#include "solver/messages.h"
#include "ui/memory_panel.h"

namespace {

using tarvel::CalculateOutcome;
using tarvel::MemoryPanel;

enum class Ending {
  Completed,   // the state is completed without a message
  OutOfRange,  // a search fails and "outside the range" is the one message
};

struct CalculateCase {
  const char* name;
  // Text(0) to Text(5): dry bulb, wet bulb, relative humidity, dew point, moisture, enthalpy.
  std::array<std::string, tarvel::kParameterCount> parameters;
  Ending ending;
};

const std::string kPressure = "101.325";

const CalculateCase kCases[] = {
    {"typical/pair03_dry_wet", {"25", "20", "", "", "", ""}, Ending::Completed},
    {"typical/pair04_dry_rh", {"20", "", "50", "", "", ""}, Ending::Completed},
    {"typical/pair05_dry_dew", {"20", "", "", "10", "", ""}, Ending::Completed},
    {"typical/pair06_dry_moisture", {"20", "", "", "", "7.26", ""}, Ending::Completed},
    {"typical/pair07_dry_enthalpy", {"20", "", "", "", "", "38.52"}, Ending::Completed},
    {"typical/pair08_wet_rh", {"", "20", "50", "", "", ""}, Ending::Completed},
    {"typical/pair09_wet_dew", {"", "20", "", "15", "", ""}, Ending::Completed},
    {"typical/pair10_wet_moisture", {"", "15", "", "", "8", ""}, Ending::Completed},
    {"typical/pair12_rh_dew", {"", "", "50", "10", "", ""}, Ending::Completed},
    {"typical/pair13_rh_moisture", {"", "", "50", "", "7.26", ""}, Ending::Completed},
    {"typical/pair14_rh_enthalpy", {"", "", "50", "", "", "38.52"}, Ending::Completed},
    {"typical/pair16_dew_enthalpy", {"", "", "", "10", "", "39.46"}, Ending::Completed},
    {"typical/pair17_moisture_enthalpy", {"", "", "", "", "10", "47"}, Ending::Completed},
    // A negative vapour pressure: no dew point above -99 °C matches it.
    {"worst/dry_rh_dew_point_search", {"20", "", "-10", "", "", ""}, Ending::OutOfRange},
    // Above saturation: no wet bulb below the dry bulb reaches the target.
    {"worst/dry_rh_wet_bulb_search", {"20", "", "135", "", "", ""}, Ending::OutOfRange},
    // Wet bulb above the dry bulb: the dew point would lie above the wet bulb.
    {"worst/dry_wet_dew_point_search", {"20", "22", "", "", "", ""}, Ending::OutOfRange},
    // Above saturation: the dry bulb would lie below the dew point, where the search never looks.
    {"worst/rh_dew_dry_bulb_search", {"", "", "101", "20", "", ""}, Ending::OutOfRange},
};

void BenchCalculate(benchmark::State& state, const CalculateCase& c) {
  for (auto _ : state) {
    MemoryPanel panel(c.parameters, kPressure);
    benchmark::DoNotOptimize(tarvel::RunCalculate(panel));
    benchmark::ClobberMemory();
  }
}

// A timing only means something if the case ends the way it is meant to: a typical state that
// ended with a message, or a worst case that found a result, would time the wrong road.
bool EndsAsIntended(const CalculateCase& c) {
  MemoryPanel panel(c.parameters, kPressure);
  const CalculateOutcome outcome = tarvel::RunCalculate(panel);
  const auto& messages = panel.Messages();
  switch (c.ending) {
    case Ending::Completed:
      return outcome == CalculateOutcome::Completed && messages.empty();
    case Ending::OutOfRange:
      return outcome == CalculateOutcome::Message && messages.size() == 1 &&
             messages[0].text == tarvel::messages::kOutOfRange;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  bool all_as_intended = true;
  for (const CalculateCase& c : kCases) {
    if (!EndsAsIntended(c)) {
      std::fprintf(stderr, "tarvel-bench: %s does not end as intended (%s)\n", c.name,
                   c.ending == Ending::Completed ? "expected no message"
                                                 : "expected the out-of-range message");
      all_as_intended = false;
    }
    benchmark::RegisterBenchmark(c.name, BenchCalculate, c);
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
