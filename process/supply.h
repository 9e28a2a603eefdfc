#pragma once

#include <optional>
#include <string>

namespace tarvel::process {

// The supply state on the room's heat-moisture ratio line (热湿比线). Units: t °C, d g/kg,
// h kJ/kg, heat load Q kW, moisture load W g/s, flows kg/s of dry air. Every operation is a
// checked one, rounded before the next, in the order written.

// t_O = t_room − Δt
double SupplyDryBulb(double room_t, double difference);

// ε = Q / (W / 1000), kJ/kg. W must not be zero (then the line is one of constant moisture
// content, ε infinite).
double HeatMoistureRatio(double heat_load, double moisture_load);

// The moisture content of the point of the ε line through the room at the dry bulb t_O. On the
// line h − h_room = ε·(d − d_room)/1000, and at t_O the enthalpy h = (a·d)/1000 + b is linear in
// d, so with
//   a = (1.84 × t_O) + 2500,   b = 1.005 × t_O
//   d_O = ((1000 × (h_room − b)) − (ε × d_room)) / (a − ε)
// Nothing when a − ε is zero: the line is parallel to the isotherm and never meets it.
std::optional<double> SupplyMoisture(double t_o, double room_d, double room_h, double ratio);

// The supply air flow that takes the loads: G = Q / (h_room − h_O), or when Q is zero (the line of
// constant enthalpy, where the enthalpy difference is only rounding) G = W / (d_room − d_O).
// Nothing when that difference is zero.
std::optional<double> SupplyAirFlow(double heat_load, double moisture_load, double room_h,
                                    double supply_h, double room_d, double supply_d);

// A heat-moisture ratio as its label shows it: as the calculator writes a number, or "∞" / "-∞"
// when the room's moisture load is zero.
std::string RatioText(double ratio);

}  // namespace tarvel::process
