#include "process/design_steps.h"

#include "physics/checked_arithmetic.h"
#include "process/process_constants.h"
#include "process/process_path.h"

namespace tarvel::process {
namespace {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

LineEnd EndOf(const PointAnswer& state) {
  return {FieldValue(state, AirField::DryBulb), FieldValue(state, AirField::MoistureContent),
          FieldValue(state, AirField::Enthalpy)};
}

// The earlier complete state of that name (a step is made only from states that were usable).
const PointAnswer* Complete(const DesignContext& context, const std::string& name) {
  const PointAnswer* state = context.Find(name);
  return state != nullptr && state->complete ? state : nullptr;
}

// Nothing when a stream's state is not complete.
std::optional<StepAnswer> MixFigures(const PendingStep& step, const PointAnswer& to,
                                     const DesignContext& context, std::optional<double> flow) {
  StepAnswer answer;
  answer.kind = ProcessKind::Mix;
  answer.to = to.name;
  answer.flow = flow;
  double weights = 0;
  for (std::size_t i = 0; i < step.streams.size(); ++i)
    weights = i == 0 ? step.streams[i].second : Add(weights, step.streams[i].second);
  for (const auto& [name, weight] : step.streams) {
    const PointAnswer* from = Complete(context, name);
    if (from == nullptr)
      return std::nullopt;
    StreamFlow stream{name, {}, StraightOnEnthalpyChart(EndOf(*from), EndOf(to), kPathSegments)};
    if (flow)
      stream.flow = Div(Mul(*flow, weight), weights);
    answer.streams.push_back(std::move(stream));
  }
  return answer;
}

}  // namespace

std::optional<StepAnswer> StepFigures(const PendingStep& step, const PointAnswer& to,
                                      const DesignContext& context, std::optional<double> flow) {
  if (!to.complete)
    return std::nullopt;
  try {
    if (step.kind == ProcessKind::Mix)
      return MixFigures(step, to, context, flow);
    const PointAnswer* from = Complete(context, step.from);
    if (from == nullptr)
      return std::nullopt;
    StepAnswer answer;
    answer.kind = step.kind;
    answer.from = step.from;
    answer.to = to.name;
    const LineEnd a = EndOf(*from);
    const LineEnd b = EndOf(to);
    answer.enthalpy_change = Sub(b.h, a.h);
    answer.moisture_change = Sub(b.d, a.d);
    answer.flow = step.own_flow ? step.own_flow : flow;
    if (answer.flow) {
      answer.heat = Mul(*answer.flow, answer.enthalpy_change);
      answer.moisture = Mul(*answer.flow, answer.moisture_change);
    }
    // Heating keeps the moisture content and steam the dry bulb: straight on both charts.
    const bool straight = step.kind == ProcessKind::Heat || step.kind == ProcessKind::Steam;
    answer.path = StraightOnEnthalpyChart(a, b, straight ? 1 : kPathSegments);
    return answer;
  } catch (const NumericFault&) {
    return std::nullopt;
  }
}

}  // namespace tarvel::process
