#pragma once

#include <span>

namespace tarvel::chart {

// A state on the chart: dry bulb t in °C and moisture content d in g/kg dry air.
struct StatePoint {
  double t;
  double d;
};

// The part of the (t, d) plane that the chart shows.
struct ChartRange {
  double t_min;  // °C
  double t_max;  // °C
  double d_min;  // g/kg
  double d_max;  // g/kg
  bool operator==(const ChartRange&) const = default;
};

// −20 to 50 °C and 0 to 30 g/kg: the room air, the outdoor air and the coils of ordinary air
// conditioning.
inline constexpr ChartRange kDefaultRange{-20, 50, 0, 30};
// How far the chart grows to hold a state: beyond this it would show little but that one state.
inline constexpr ChartRange kRangeLimit{-100, 200, 0, 1000};

// The default range, grown in whole steps (10 °C, 10 g/kg) until it holds the state with a
// margin, as far as kRangeLimit.
ChartRange RangeHolding(StatePoint state);

// The smallest of those ranges that holds every one of the states (a design's): the default
// range grown as far as the farthest of them asks, each edge on its own.
ChartRange RangeHolding(std::span<const StatePoint> states);

// Where the marker of a state stands: the state itself when the range holds it, otherwise the
// nearest point of the range's edge.
StatePoint MarkerPlace(const ChartRange& range, StatePoint state);

}  // namespace tarvel::chart
