#pragma once

#include <vector>

#include "process/design_answer.h"

namespace tarvel::process {

// A state at the end of a process line, as its fields give it.
struct LineEnd {
  double t;  // °C
  double d;  // g/kg
  double h;  // kJ/kg
};

// The states along the line from `from` towards `to` on which d and h change in proportion (a
// straight line on the 焓湿图, curved on the t–d chart): `segments` + 1 states at the fractions
// k·reach/segments of the way, k = 0 to segments (reach 1 ends at `to`, 2 goes as far again).
// Between the ends d = d₁ + (d₂ − d₁)·f and h = h₁ + (h₂ − h₁)·f, and t follows from them; the
// ends themselves are the states as given (their t from their fields).
std::vector<PathState> StraightOnEnthalpyChart(const LineEnd& from, const LineEnd& to, int segments,
                                               double reach = 1);

}  // namespace tarvel::process
