#pragma once

#include <vector>

#include "chart/chart_range.h"

namespace tarvel::chart {

enum class CurveKind {
  Saturation = 0,   // φ = 100 %, over ice below 0 °C
  RelHumidity = 1,  // value: φ in %
  Isotherm = 2,     // value: t in °C
  Enthalpy = 3,     // value: h in kJ/kg
  Moisture = 4,     // the grid of constant moisture content; value: d in g/kg
};

// One line of the chart as a polyline of states, in order along it, all inside the range and none
// above the saturation curve. The lines of constant t and of constant d are straight on both
// layouts and come as their two ends; the others are sampled densely enough to be drawn straight
// between points.
struct Curve {
  CurveKind kind;
  double value;
  bool labelled;  // whether the chart writes the value beside the line
  std::vector<StatePoint> points;
};

// Every line of the chart for the range at the pressure in kPa: the saturation curve, the
// relative humidities 10 % to 90 %, the isotherms, the lines of constant enthalpy and the moisture
// grid, computed with the property model's own relations (Pb, MoistureFromRelHumidity,
// MoistureFromEnthalpy). A line that lies wholly outside the range is left out. The saturation
// curve keeps Pb's steps at 0 °C and 30 °C: it has a point on each side of each, the one on the
// left at the largest double below the bound.
std::vector<Curve> ChartCurves(const ChartRange& range, double pressure_kpa);

}  // namespace tarvel::chart
