#include "process/design_steps.h"

#include "physics/checked_arithmetic.h"
#include "process/design_messages.h"

namespace tarvel::process {
namespace {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

// The index of the earlier complete state of that name (a step is made only from states that
// were usable).
std::optional<std::size_t> Complete(const DesignContext& context, const std::string& name) {
  const PointAnswer* state = context.Find(name);
  return state != nullptr && state->complete ? context.IndexOf(name) : std::nullopt;
}

// Nothing when a stream's state is not complete.
std::optional<StepAnswer> MixFigures(const PendingStep& step, const PointAnswer& to,
                                     std::size_t to_point, const DesignContext& context,
                                     std::optional<double> flow) {
  StepAnswer answer;
  answer.kind = ProcessKind::Mix;
  answer.to = to.name;
  answer.to_point = to_point;
  answer.flow = flow;
  double weights = 0;
  for (std::size_t i = 0; i < step.streams.size(); ++i)
    weights = i == 0 ? step.streams[i].second : Add(weights, step.streams[i].second);
  for (const auto& stream_weight : step.streams) {
    const std::string& name = stream_weight.first;
    const double weight = stream_weight.second;
    const std::optional<std::size_t> from = Complete(context, name);
    if (!from)
      return std::nullopt;
    StreamFlow stream{name, *from, {}};
    if (flow) {
      stream.flow = FigureIfFinite([&] { return Div(Mul(*flow, weight), weights); });
      if (!stream.flow)
        answer.messages.push_back(DesignMessage(messages::StreamFlowOutOfRange(name)));
    }
    answer.streams.push_back(std::move(stream));
  }
  return answer;
}

}  // namespace

std::optional<StepAnswer> StepFigures(const PendingStep& step, std::size_t to_point,
                                      const DesignContext& context, std::optional<double> flow) {
  const PointAnswer& to = context.Answers()[to_point];
  if (!to.complete)
    return std::nullopt;
  try {
    if (step.kind == ProcessKind::Mix)
      return MixFigures(step, to, to_point, context, flow);
    const std::optional<std::size_t> from = Complete(context, step.from);
    if (!from)
      return std::nullopt;
    StepAnswer answer;
    answer.kind = step.kind;
    answer.from = step.from;
    answer.to = to.name;
    answer.from_point = *from;
    answer.to_point = to_point;
    const PointAnswer& a = context.Answers()[*from];
    answer.enthalpy_change =
        Sub(FieldValue(to, AirField::Enthalpy), FieldValue(a, AirField::Enthalpy));
    answer.moisture_change =
        Sub(FieldValue(to, AirField::MoistureContent), FieldValue(a, AirField::MoistureContent));
    answer.flow = step.own_flow ? step.own_flow : flow;
    if (answer.flow) {
      const double g = *answer.flow;
      answer.heat = FigureIfFinite([&] { return Mul(g, answer.enthalpy_change); });
      if (!answer.heat)
        answer.messages.push_back(DesignMessage(messages::FigureOutOfRange(kHeatFigure)));
      answer.moisture = FigureIfFinite([&] { return Mul(g, answer.moisture_change); });
      if (!answer.moisture)
        answer.messages.push_back(DesignMessage(messages::FigureOutOfRange(kWaterFigure)));
    }
    return answer;
  } catch (const NumericFault&) {
    return std::nullopt;
  }
}

}  // namespace tarvel::process
