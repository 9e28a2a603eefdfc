#pragma once

#include <vector>

#include "chart/chart_range.h"
#include "climate/comfort_zones.h"
#include "climate/pmv.h"

namespace tarvel::climate {

// The outline of a zone on the chart at a pressure in kPa, in physical units: a closed polygon
// of states (t °C, d g/kg), its first point not repeated, for a front end to draw on either
// layout (chart::ToPlane). A zone of limits runs along its upper edge from the lowest dry bulb to
// the highest, then back along its lower edge: its relative humidities are the property model's
// curves, its dew points and moisture contents lines of constant d, and it is cut off at the
// saturation curve; a limit the zone leaves open is the range's edge. A PMV zone
// (PmvZoneOutline) runs up the warm edge PMV = +x and down the cool one PMV = −x, and is cut off
// at the saturation curve too. Empty when nothing of the zone lies under the saturation curve
// within the range.
std::vector<chart::StatePoint> ZoneOutline(const Zone& zone, double pressure_kpa,
                                           const chart::ChartRange& range,
                                           const PmvSettings& settings);

// The outline of the states whose PMV lies within ±within with `settings`, each state's vapour
// pressure that of its moisture content at the pressure (PvFromMoisture), from the range's lowest
// moisture content up to where the warm edge meets the saturation curve.
std::vector<chart::StatePoint> PmvZoneOutline(double within, double pressure_kpa,
                                              const chart::ChartRange& range,
                                              const PmvSettings& settings);

}  // namespace tarvel::climate
