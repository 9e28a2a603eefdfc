#include "process/supply_line.h"

#include <cmath>

#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "process/process_constants.h"

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

}  // namespace tarvel::process
