#pragma once

#include <vector>

#include "chart/chart_range.h"

namespace tarvel::chart {

// A state at an end of a process line, as its fields give it: t °C, d g/kg, h kJ/kg.
struct LineEnd {
  double t;
  double d;
  double h;
};

// How many straight pieces a line that is straight on the 焓湿图 but curved on the t–d chart is
// drawn with. The curve is slight: a spray from 25 ℃ and 10 g/kg to 14 g/kg leaves its chord by
// 0.018 ℃ at the middle, and four pieces follow it to about 0.001 ℃.
inline constexpr int kCurvedLineSegments = 4;
// How far the heat-moisture ratio line of a supply state is drawn: from the room through the
// supply state and as far again beyond it (in units of the room-to-supply distance).
inline constexpr double kRatioLineReach = 2;

// The states along the line from `from` towards `to` on which d and h change in proportion (a
// straight line on the 焓湿图, curved on the t–d chart): `segments` + 1 states at the fractions
// k·reach/segments of the way, k = 0 to segments (reach 1 ends at `to`, 2 goes as far again).
// Between the ends d = d₁ + (d₂ − d₁)·f and h = h₁ + (h₂ − h₁)·f, and t = DryBulbFromEnthalpy(h,
// d); the ends themselves are the states as given (their t from their fields).
std::vector<StatePoint> StraightOnEnthalpyChart(const LineEnd& from, const LineEnd& to,
                                                int segments, double reach = 1);

// How a process's line lies on the two charts.
enum class LineShape {
  // The process keeps the moisture content (heating and cooling) or the dry bulb (steam): a
  // straight line on both charts, drawn through its two ends.
  StraightOnBoth,
  // Mixing, coils, sprays: straight on the 焓湿图 only, drawn in kCurvedLineSegments pieces.
  StraightOnEnthalpyChart,
};

// The line of a process from the state it starts from to the state it leaves.
std::vector<StatePoint> ProcessLine(const LineEnd& from, const LineEnd& to, LineShape shape);

// The heat-moisture ratio line of a supply state: from the room's state through the supply state
// and as far again (kRatioLineReach), in kCurvedLineSegments pieces.
std::vector<StatePoint> RatioLine(const LineEnd& room, const LineEnd& supply);

}  // namespace tarvel::chart
