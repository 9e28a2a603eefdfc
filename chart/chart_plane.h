#pragma once

#include "chart/chart_range.h"

namespace tarvel::chart {

// The two ways of laying out the chart's plane, both in physical units.
enum class ChartLayout {
  // The 焓湿图 of Chinese textbooks: moisture content d (g/kg) across, and up the enthalpy less
  // its latent part, h − 2.5·d (kJ/kg). Lines of constant enthalpy are straight and fall to the
  // right; isotherms are straight and nearly level.
  EnthalpyMoisture = 0,
  // English-language charts: dry bulb t (°C) across, moisture content d (g/kg) up.
  TemperatureMoisture = 1,
};

// A point of the layout's plane: x across, y up, in the units above.
struct PlanePoint {
  double x;
  double y;
};

struct PlaneBox {
  double x_min, x_max, y_min, y_max;
};

PlanePoint ToPlane(ChartLayout layout, StatePoint state);
// The state at a point of the plane; the inverse of ToPlane.
StatePoint FromPlane(ChartLayout layout, PlanePoint point);
// The direction on the 焓湿图's plane (ChartLayout::EnthalpyMoisture) of a line of constant
// heat-moisture ratio ε = Δh/(Δd/1000) in kJ/kg: (1, ε/1000 − 2.5) per g/kg of moisture, the
// way the moisture content grows; straight up for ε = +∞ and straight down for −∞. Such a line is
// straight on that plane, whose vertical axis is linear in h and d.
PlanePoint RatioDirection(double ratio);
// The smallest box of the plane that holds the whole range.
PlaneBox PlaneBoxOf(ChartLayout layout, const ChartRange& range);

}  // namespace tarvel::chart
