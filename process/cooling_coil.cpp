// A cooling and dehumidifying coil: its leaving state (the apparatus dew point) at a relative
// humidity and a moisture content.
#include <string>

#include "process/design_messages.h"
#include "process/process_runs.h"
#include "process/state_calculation.h"

namespace tarvel::process {

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

}  // namespace tarvel::process
