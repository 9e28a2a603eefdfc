// The adiabatic mix of two or more streams of air: its formula and its run.
#include "process/mixing.h"

#include <string>

#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "process/design_messages.h"
#include "process/process_constants.h"
#include "process/process_runs.h"
#include "process/state_calculation.h"

namespace tarvel::process {

MixedAir Mix(const std::vector<MixingStream>& streams) {
  using checked::Add;
  using checked::Div;
  using checked::Mul;
  double weights = 0;
  double moisture = 0;
  double enthalpy = 0;
  bool first = true;
  for (const MixingStream& stream : streams) {
    const double wd = Mul(stream.weight, stream.d);
    const double wh = Mul(stream.weight, stream.h);
    weights = first ? stream.weight : Add(weights, stream.weight);
    moisture = first ? wd : Add(moisture, wd);
    enthalpy = first ? wh : Add(enthalpy, wh);
    first = false;
  }
  return {Div(moisture, weights), Div(enthalpy, weights)};
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

}  // namespace tarvel::process
