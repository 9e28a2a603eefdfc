#include "process/point_processes.h"

#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "panel/messages.h"
#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "process/design_messages.h"
#include "process/mixing.h"
#include "process/process_constants.h"
#include "process/process_runs.h"
#include "process/state_calculation.h"

namespace tarvel::process {
namespace {

using Inputs = std::vector<std::pair<AirField, std::string>>;

}  // namespace

std::optional<PendingStep> RunState(const StateProcess& process, DesignContext& context,
                                    PointAnswer& answer) {
  // As the window does: the first two parameters given, in field order.
  Inputs inputs;
  for (const ParameterValue& value : process.parameters) {
    if (inputs.size() == 2)
      break;
    const std::optional<std::string> text = context.TextOf(value, answer);
    if (!text)
      return std::nullopt;
    if (!text->empty())
      inputs.emplace_back(value.field, *text);
  }
  CalculateState(context.Pressure(), inputs, answer);
  return std::nullopt;
}

std::optional<PendingStep> RunMix(const MixProcess& process, DesignContext& context,
                                  PointAnswer& answer) {
  if (process.streams.size() < 2) {
    Say(answer, messages::kTooFewStreams);
    return std::nullopt;
  }
  PendingStep step{ProcessKind::Mix, {}, {}, {}};
  std::vector<MixingStream> streams;
  for (const MixStream& stream : process.streams) {
    const PointAnswer* state = context.Usable(stream.point, answer);
    if (state == nullptr)
      return std::nullopt;
    const double weight = ParseNumber(stream.flow);
    if (!IsPositiveFlow(weight)) {
      Say(answer, messages::StreamFlowNotPositive(stream.point));
      return std::nullopt;
    }
    streams.push_back({weight, FieldValue(*state, AirField::MoistureContent),
                       FieldValue(*state, AirField::Enthalpy)});
    step.streams.emplace_back(stream.point, weight);
  }
  const MixedAir mixed = Mix(streams);
  CalculateState(context.Pressure(),
                 {{AirField::MoistureContent, FormatNumber(mixed.d)},
                  {AirField::Enthalpy, FormatNumber(mixed.h)}},
                 answer);
  const std::optional<double> phi = WrittenValue(answer, AirField::RelHumidity);
  if (phi && *phi > kSaturatedRelHumidity)
    Say(answer, messages::kFog);
  return step;
}

std::optional<PendingStep> RunProcess(const Process& process, DesignContext& context,
                                      PointAnswer& answer) {
  try {
    return std::visit(
        [&](const auto& p) -> std::optional<PendingStep> {
          using P = std::decay_t<decltype(p)>;
          if constexpr (std::is_same_v<P, StateProcess>)
            return RunState(p, context, answer);
          else if constexpr (std::is_same_v<P, MixProcess>)
            return RunMix(p, context, answer);
          else if constexpr (std::is_same_v<P, HeatProcess>)
            return RunHeat(p, context, answer);
          else if constexpr (std::is_same_v<P, CoilProcess>)
            return RunCoil(p, context, answer);
          else if constexpr (std::is_same_v<P, HumidifyProcess>)
            return RunHumidify(p, context, answer);
          else
            return RunSupply(p, context, answer);
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
