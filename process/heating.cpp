// Sensible heating and cooling at constant moisture content: to a dry bulb, or by a heat flow at
// the design's flow or at a flow of its own.
#include <string>

#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "process/design_messages.h"
#include "process/process_runs.h"
#include "process/state_calculation.h"

namespace tarvel::process {
namespace {

// The enthalpy after heat flow Q (kW; negative when cooling) is added to dry-air flow G (kg/s) of
// enthalpy h₁ (kJ/kg): h₂ = h₁ + Q/G.
double HeatedEnthalpy(double h1, double power, double flow) {
  return checked::Add(h1, checked::Div(power, flow));
}

}  // namespace

std::optional<PendingStep> RunHeat(const HeatProcess& process, DesignContext& context,
                                   PointAnswer& answer) {
  const PointAnswer* from = context.Usable(process.point, answer);
  if (from == nullptr)
    return std::nullopt;
  PendingStep step{ProcessKind::Heat, process.point, {}, {}};
  if (process.flow) {
    step.own_flow = ParseNumber(*process.flow);
    if (!IsPositiveFlow(*step.own_flow)) {
      Say(answer, messages::kFlowNotPositive);
      return std::nullopt;
    }
  }
  const std::string moisture = FieldText(*from, AirField::MoistureContent);
  const double dew_point = FieldValue(*from, AirField::DewPoint);
  if (process.dry_bulb) {
    const std::optional<std::string> t = context.TextOf(*process.dry_bulb, answer);
    if (!t)
      return std::nullopt;
    CalculateState(context.Pressure(),
                   {{AirField::DryBulb, *t}, {AirField::MoistureContent, moisture}}, answer);
  } else {
    const std::optional<double> flow = step.own_flow ? step.own_flow : context.FlowNeeded(answer);
    if (!flow)
      return std::nullopt;
    const double h =
        HeatedEnthalpy(FieldValue(*from, AirField::Enthalpy), ParseNumber(process.power), *flow);
    CalculateState(context.Pressure(),
                   {{AirField::MoistureContent, moisture}, {AirField::Enthalpy, FormatNumber(h)}},
                   answer);
  }
  const std::optional<double> t = WrittenValue(answer, AirField::DryBulb);
  if (t && *t < dew_point)
    Say(answer, messages::kBelowDewPoint);
  return step;
}

}  // namespace tarvel::process
