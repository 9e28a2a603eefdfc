#include "process/point_processes.h"

#include <string>
#include <variant>

#include "panel/messages.h"
#include "physics/checked_arithmetic.h"
#include "process/process_runs.h"

namespace tarvel::process {
namespace {

// One call operator for each kind of process, from the lambdas given.
template <typename... Runs>
struct Overloaded : Runs... {
  using Runs::operator()...;
};
// Clang 14, emscripten's, does not deduce an aggregate's arguments by itself.
template <typename... Runs>
Overloaded(Runs...) -> Overloaded<Runs...>;

}  // namespace

std::optional<PendingStep> RunProcess(const Process& process, DesignContext& context,
                                      PointAnswer& answer) {
  try {
    return std::visit(Overloaded{
                          [&](const StateProcess& p) { return RunState(p, context, answer); },
                          [&](const MixProcess& p) { return RunMix(p, context, answer); },
                          [&](const HeatProcess& p) { return RunHeat(p, context, answer); },
                          [&](const CoilProcess& p) { return RunCoil(p, context, answer); },
                          [&](const HumidifyProcess& p) { return RunHumidify(p, context, answer); },
                          [&](const SupplyProcess& p) { return RunSupply(p, context, answer); },
                      },
                      process);
  } catch (const NumericFault&) {
    const std::string name = answer.name;
    answer = PointAnswer{};
    answer.name = name;
    answer.messages.push_back({std::string(tarvel::messages::kNumericFault), MessageIcon::Critical,
                               std::string(tarvel::messages::kTitleError)});
    return std::nullopt;
  }
}

}  // namespace tarvel::process
