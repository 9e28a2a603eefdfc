#include "chart/chart_plane.h"

#include <algorithm>
#include <cmath>

#include "physics/moist_air.h"

namespace tarvel::chart {
namespace {

// The latent part of the enthalpy per g/kg of moisture that the 焓湿图's vertical axis leaves out.
constexpr double kLatentPerGram = kVaporisationEnthalpy / kGramsPerKilogram;  // kJ/kg per g/kg

double SensiblePart(StatePoint state) {
  return EnthalpyFromMoisture(state.t, state.d) - kLatentPerGram * state.d;
}

// The dry bulb whose enthalpy less its latent part is `y` at the moisture content d: that part
// rises with t for every d the chart shows, so plain bisection finds it, through the enthalpy
// relation itself, to the last bits.
double DryBulbOfSensiblePart(double y, double d) {
  double lo = 2 * kRangeLimit.t_min;
  double hi = 2 * kRangeLimit.t_max;
  for (int step = 0; step < 200; ++step) {
    const double mid = (lo + hi) / 2;
    if (mid == lo || mid == hi)
      break;
    (SensiblePart({mid, d}) < y ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

}  // namespace

PlanePoint ToPlane(ChartLayout layout, StatePoint state) {
  if (layout == ChartLayout::TemperatureMoisture)
    return {state.t, state.d};
  return {state.d, SensiblePart(state)};
}

StatePoint FromPlane(ChartLayout layout, PlanePoint point) {
  if (layout == ChartLayout::TemperatureMoisture)
    return {point.x, point.y};
  return {DryBulbOfSensiblePart(point.y, point.x), point.x};
}

PlanePoint RatioDirection(double ratio) {
  if (std::isinf(ratio))
    return {0, ratio > 0 ? 1.0 : -1.0};
  return {1, ratio / kGramsPerKilogram - kLatentPerGram};
}

PlaneBox PlaneBoxOf(ChartLayout layout, const ChartRange& range) {
  // Each coordinate is monotone in t and in d, so the corners of the range bound it.
  const PlanePoint corners[] = {
      ToPlane(layout, {range.t_min, range.d_min}), ToPlane(layout, {range.t_min, range.d_max}),
      ToPlane(layout, {range.t_max, range.d_min}), ToPlane(layout, {range.t_max, range.d_max})};
  PlaneBox box{corners[0].x, corners[0].x, corners[0].y, corners[0].y};
  for (const PlanePoint& c : corners) {
    box.x_min = std::min(box.x_min, c.x);
    box.x_max = std::max(box.x_max, c.x);
    box.y_min = std::min(box.y_min, c.y);
    box.y_max = std::max(box.y_max, c.y);
  }
  return box;
}

}  // namespace tarvel::chart
