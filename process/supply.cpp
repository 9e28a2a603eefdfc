// The supply state from the room's loads: the point of the room's heat-moisture ratio line at the
// supply temperature difference, the supply air flow, and the design's flow. Its formulas and its
// run.
#include "process/supply.h"

#include <cmath>
#include <limits>
#include <string>

#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "process/design_messages.h"
#include "process/process_constants.h"
#include "process/process_runs.h"
#include "process/state_calculation.h"

namespace tarvel::process {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

double SupplyDryBulb(double room_t, double difference) {
  return Sub(room_t, difference);
}

double HeatMoistureRatio(double heat_load, double moisture_load) {
  return Div(heat_load, Div(moisture_load, kGramsPerKilogram));
}

std::optional<double> SupplyMoisture(double t_o, double room_d, double room_h, double ratio) {
  const double a = Add(Mul(kVapourHeatCapacity, t_o), kVaporisationEnthalpy);
  const double b = Mul(kDryAirHeatCapacity, t_o);
  const double slope = Sub(a, ratio);
  if (slope == 0)
    return std::nullopt;
  const double n = Sub(Mul(kGramsPerKilogram, Sub(room_h, b)), Mul(ratio, room_d));
  return Div(n, slope);
}

std::optional<double> SupplyAirFlow(double heat_load, double moisture_load, double room_h,
                                    double supply_h, double room_d, double supply_d) {
  const bool by_heat = heat_load != 0;
  const double difference = by_heat ? Sub(room_h, supply_h) : Sub(room_d, supply_d);
  if (difference == 0)
    return std::nullopt;
  return Div(by_heat ? heat_load : moisture_load, difference);
}

std::string RatioText(double ratio) {
  return std::isinf(ratio) ? (ratio > 0 ? "∞" : "-∞") : FormatNumber(ratio);
}

namespace {

// A figure of the supply state, or nothing when it would not be finite: then the state says which,
// and lends no flow to the design.
template <typename Compute>
std::optional<double> SupplyFigure(PointAnswer& answer, std::string_view figure, Compute compute) {
  const std::optional<double> value = FigureIfFinite(compute);
  if (!value)
    Say(answer, messages::FigureOutOfRange(figure));
  return value;
}

// The supply air flow and the figures that follow from it, once the supply state is complete.
void SupplyFlowFigures(double heat_load, double moisture_load, const PointAnswer& room,
                       PointAnswer& answer, SupplyFigures& figures) {
  const double room_d = FieldValue(room, AirField::MoistureContent);
  const double supply_d = FieldValue(answer, AirField::MoistureContent);
  std::optional<double> flow;
  try {
    flow = SupplyAirFlow(heat_load, moisture_load, FieldValue(room, AirField::Enthalpy),
                         FieldValue(answer, AirField::Enthalpy), room_d, supply_d);
  } catch (const NumericFault&) {
    Say(answer, messages::FigureOutOfRange(kSupplyFlowFigure));
    return;
  }
  if (!flow) {
    Say(answer, messages::kNoEnthalpyDifference);
    return;
  }
  if (!(*flow > 0)) {
    Say(answer, messages::kSupplyFlowNotPositive);
    return;
  }
  figures.flow = flow;
  figures.moisture_difference = Sub(room_d, supply_d);
  figures.moisture_per_flow =
      SupplyFigure(answer, kMoisturePerFlowFigure, [&] { return Div(moisture_load, *flow); });
  if (answer.volume) {
    figures.volume_flow =
        SupplyFigure(answer, kVolumeFlowFigure, [&] { return Mul(*flow, *answer.volume); });
    if (figures.volume_flow) {
      figures.volume_flow_per_hour = SupplyFigure(answer, kVolumeFlowPerHourFigure, [&] {
        return Mul(*figures.volume_flow, kSecondsPerHour);
      });
    }
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
  const std::optional<double> flow = SupplyState(process, context, answer);
  if (flow && answer.complete)
    context.OfferSupplyFlow(*flow);
  return std::nullopt;
}

}  // namespace tarvel::process
