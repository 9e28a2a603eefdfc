// The supply state from the room's loads: the point of the room's heat-moisture ratio line at the
// supply temperature difference, the supply air flow, and the design's flow.
#include <cmath>
#include <limits>
#include <string>

#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "process/design_messages.h"
#include "process/process_constants.h"
#include "process/process_runs.h"
#include "process/state_calculation.h"
#include "process/supply_line.h"

namespace tarvel::process {
namespace {

// The supply air flow and the figures that follow from it, once the supply state is complete.
void SupplyFlowFigures(double heat_load, double moisture_load, const PointAnswer& room,
                       PointAnswer& answer, SupplyFigures& figures) {
  const double room_d = FieldValue(room, AirField::MoistureContent);
  const double supply_d = FieldValue(answer, AirField::MoistureContent);
  const std::optional<double> flow =
      SupplyAirFlow(heat_load, moisture_load, FieldValue(room, AirField::Enthalpy),
                    FieldValue(answer, AirField::Enthalpy), room_d, supply_d);
  if (!flow) {
    Say(answer, messages::kNoEnthalpyDifference);
    return;
  }
  if (!(*flow > 0)) {
    Say(answer, messages::kSupplyFlowNotPositive);
    return;
  }
  figures.flow = flow;
  figures.moisture_difference = checked::Sub(room_d, supply_d);
  figures.moisture_per_flow = checked::Div(moisture_load, *flow);
  if (answer.volume) {
    figures.volume_flow = checked::Mul(*flow, *answer.volume);
    figures.volume_flow_per_hour = checked::Mul(*figures.volume_flow, kSecondsPerHour);
  }
}

// The supply state and its figures; returns the supply air flow when it is found.
std::optional<double> SupplyState(const SupplyProcess& process, const DesignContext& context,
                                  PointAnswer& answer) {
  const PointAnswer* room = context.Usable(process.room, answer);
  if (room == nullptr)
    return std::nullopt;
  const double heat_load = ParseNumber(process.heat_load);
  const double moisture_load = ParseNumber(process.moisture_load);
  if (heat_load == 0 && moisture_load == 0) {
    Say(answer, messages::kNoLoads);
    return std::nullopt;
  }
  // The supply dry bulb is handed over as written, and the line is met at that dry bulb.
  const std::string t_text = FormatNumber(
      SupplyDryBulb(FieldValue(*room, AirField::DryBulb), ParseNumber(process.difference)));
  const double t = ParseNumber(t_text);
  if (t < kLowestTemperature || t > kHighestDryBulb) {
    Say(answer, messages::SupplyOutOfRange());
    return std::nullopt;
  }
  SupplyFigures figures;
  std::string d_text;
  if (moisture_load == 0) {
    // ε is infinite: the line of constant moisture content.
    figures.ratio = std::copysign(std::numeric_limits<double>::infinity(), heat_load);
    d_text = FieldText(*room, AirField::MoistureContent);
  } else {
    figures.ratio = HeatMoistureRatio(heat_load, moisture_load);
    const std::optional<double> d =
        SupplyMoisture(t, FieldValue(*room, AirField::MoistureContent),
                       FieldValue(*room, AirField::Enthalpy), figures.ratio);
    if (!d) {
      Say(answer, messages::kParallelToIsotherm);
      return std::nullopt;
    }
    d_text = FormatNumber(*d);
  }
  CalculateState(context.Pressure(),
                 {{AirField::DryBulb, t_text}, {AirField::MoistureContent, d_text}}, answer);
  if (answer.complete) {
    figures.ratio_line_from = context.IndexOf(process.room);
    SupplyFlowFigures(heat_load, moisture_load, *room, answer, figures);
  }
  answer.supply = std::move(figures);
  return answer.supply->flow;
}

}  // namespace

std::optional<PendingStep> RunSupply(const SupplyProcess& process, DesignContext& context,
                                     PointAnswer& answer) {
  if (const std::optional<double> flow = SupplyState(process, context, answer))
    context.OfferSupplyFlow(*flow);
  return std::nullopt;
}

}  // namespace tarvel::process
