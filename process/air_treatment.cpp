// Heating and cooling at constant moisture content, cooling and dehumidifying coils, and
// humidifiers: each leaves its state from one earlier state.
#include <string>

#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "process/design_messages.h"
#include "process/process_runs.h"
#include "process/state_calculation.h"

namespace tarvel::process {

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
    // h₂ = h₁ + Q/G
    const double h = checked::Add(FieldValue(*from, AirField::Enthalpy),
                                  checked::Div(ParseNumber(process.power), *flow));
    CalculateState(context.Pressure(),
                   {{AirField::MoistureContent, moisture}, {AirField::Enthalpy, FormatNumber(h)}},
                   answer);
  }
  const std::optional<double> t = WrittenValue(answer, AirField::DryBulb);
  if (t && *t < dew_point)
    Say(answer, messages::kBelowDewPoint);
  return step;
}

std::optional<PendingStep> RunCoil(const CoilProcess& process, DesignContext& context,
                                   PointAnswer& answer) {
  const PointAnswer* from = context.Usable(process.point, answer);
  if (from == nullptr)
    return std::nullopt;
  const std::optional<std::string> phi = context.TextOf(process.rel_humidity, answer);
  if (!phi)
    return std::nullopt;
  const std::optional<std::string> d = context.TextOf(process.moisture, answer);
  if (!d)
    return std::nullopt;
  CalculateState(context.Pressure(),
                 {{AirField::RelHumidity, *phi}, {AirField::MoistureContent, *d}}, answer);
  const std::optional<double> t_out = WrittenValue(answer, AirField::DryBulb);
  const std::optional<double> d_out = WrittenValue(answer, AirField::MoistureContent);
  if ((t_out && *t_out > FieldValue(*from, AirField::DryBulb)) ||
      (d_out && *d_out > FieldValue(*from, AirField::MoistureContent))) {
    Say(answer, messages::kNotCoolingCoil);
  }
  return PendingStep{ProcessKind::Coil, process.point, {}, {}};
}

std::optional<PendingStep> RunHumidify(const HumidifyProcess& process, DesignContext& context,
                                       PointAnswer& answer) {
  const PointAnswer* from = context.Usable(process.point, answer);
  if (from == nullptr)
    return std::nullopt;
  const std::optional<std::string> target = context.TextOf(process.target, answer);
  if (!target)
    return std::nullopt;
  // A spray keeps the enthalpy, steam the dry bulb.
  const bool spray = process.humidifier == Humidifier::Spray;
  const AirField kept = spray ? AirField::Enthalpy : AirField::DryBulb;
  CalculateState(context.Pressure(),
                 {{kept, FieldText(*from, kept)}, {process.target.field, *target}}, answer);
  const std::optional<double> d_out = WrittenValue(answer, AirField::MoistureContent);
  if (d_out && *d_out < FieldValue(*from, AirField::MoistureContent))
    Say(answer, messages::kNotHumidifying);
  return PendingStep{spray ? ProcessKind::Spray : ProcessKind::Steam, process.point, {}, {}};
}

}  // namespace tarvel::process
