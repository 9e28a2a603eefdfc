#include "chart/chart_range.h"

#include <algorithm>
#include <cmath>

namespace tarvel::chart {
namespace {

constexpr double kTemperatureStep = 10;  // °C
constexpr double kMoistureStep = 10;     // g/kg
// How far inside the grown range a state stands from its edge.
constexpr double kTemperatureMargin = 5;  // °C
constexpr double kMoistureMargin = 2;     // g/kg

}  // namespace

ChartRange RangeHolding(StatePoint state) {
  ChartRange range = kDefaultRange;
  // Comparisons are false for NaN, so such a state leaves the range as it is.
  if (state.t < range.t_min) {
    const double grown = std::floor((state.t - kTemperatureMargin) / kTemperatureStep);
    range.t_min = std::max(kRangeLimit.t_min, grown * kTemperatureStep);
  }
  if (state.t > range.t_max) {
    const double grown = std::ceil((state.t + kTemperatureMargin) / kTemperatureStep);
    range.t_max = std::min(kRangeLimit.t_max, grown * kTemperatureStep);
  }
  if (state.d > range.d_max) {
    const double grown = std::ceil((state.d + kMoistureMargin) / kMoistureStep);
    range.d_max = std::min(kRangeLimit.d_max, grown * kMoistureStep);
  }
  return range;
}

ChartRange RangeHolding(std::span<const StatePoint> states) {
  ChartRange range = kDefaultRange;
  for (const StatePoint& state : states) {
    const ChartRange holding = RangeHolding(state);
    range.t_min = std::min(range.t_min, holding.t_min);
    range.t_max = std::max(range.t_max, holding.t_max);
    range.d_max = std::max(range.d_max, holding.d_max);
  }
  return range;
}

StatePoint MarkerPlace(const ChartRange& range, StatePoint state) {
  const auto inside = [](double x, double lo, double hi) {
    return std::isnan(x) ? lo : std::clamp(x, lo, hi);
  };
  return {inside(state.t, range.t_min, range.t_max), inside(state.d, range.d_min, range.d_max)};
}

}  // namespace tarvel::chart
