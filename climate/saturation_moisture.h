#pragma once

#include <limits>

namespace tarvel::climate {

// Moisture contents on the chart at a pressure in kPa, by the property model's relations, for
// the outlines of the zones. Where the relation has no finite positive value (the saturation
// pressure reaches the air's), there is no limit: +∞.
inline constexpr double kNoMoistureLimit = std::numeric_limits<double>::infinity();

// The moisture content (g/kg) of air at dry bulb t (°C) and relative humidity phi (%):
// MoistureFromRelHumidity with the saturation pressure Pb(t).
double MoistureAtRelHumidity(double t, double phi, double pressure_kpa);

// The moisture content (g/kg) of air whose dew point is `dew_point` (°C): MoistureFromPv of
// Pb(dew_point).
double MoistureAtDewPoint(double dew_point, double pressure_kpa);

// The dew point (°C) of air of moisture content d (g/kg): where MoistureAtRelHumidity(t, 100)
// reaches d, by bisection between −100 and 200 °C to a hundredth of a millikelvin.
double DewPointOfMoisture(double d, double pressure_kpa);

}  // namespace tarvel::climate
