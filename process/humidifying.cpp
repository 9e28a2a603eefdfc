// Humidification to a relative humidity or a moisture content: a spray of water keeps the
// enthalpy (adiabatic), steam keeps the dry bulb.
#include <string>

#include "process/design_messages.h"
#include "process/process_runs.h"
#include "process/state_calculation.h"

namespace tarvel::process {

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
