#pragma once

#include <vector>

#include "chart/chart_range.h"
#include "process/design_answer.h"

namespace tarvel::chart {

// The lines of a design on the chart, as states (t, d) that the layouts place: each process from
// the state it starts from to the state it leaves, and each supply state's heat-moisture ratio
// line from the room's state through it. A design's answer holds the states and figures; its lines
// are drawn from them here, for the answer's `path` and `ratio_line` and for the page's chart.
struct DesignLines {
  // By step of the answer: its line, or a mix's lines, one from each stream's state.
  std::vector<std::vector<std::vector<StatePoint>>> steps;
  // By point of the answer: a supply state's ε line; none for any other point.
  std::vector<std::vector<StatePoint>> ratio_lines;
};

// Every line of the design, each from its states' fields. A line whose states cannot be computed
// (a numeric fault along it) is left without states.
DesignLines LinesOfDesign(const process::DesignAnswer& answer);

}  // namespace tarvel::chart
