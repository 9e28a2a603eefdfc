#pragma once

#include <cstdint>
#include <vector>

#include "chart/chart_plane.h"
#include "climate/hour_filter.h"
#include "climate/weather_record.h"

namespace tarvel::climate {

// The hours of a record counted in the cells of a grid over the chart's plane, for a front end to
// colour by count: the box of the plane cut into `columns` across and `rows` up, the cell of an
// hour found from its state (dry bulb and moisture content values) placed on the layout's plane.
struct DensityGrid {
  chart::ChartLayout layout = chart::ChartLayout::EnthalpyMoisture;
  chart::PlaneBox box{};
  int columns = 0;
  int rows = 0;
  // counts[row * columns + column]; row 0 at the bottom (y_min), column 0 at the left (x_min).
  // A state on an inner edge of cells falls in the cell above or to its right; one on the box's
  // right or top edge in the last cell.
  std::vector<std::int64_t> counts;
  std::int64_t outside = 0;  // hours with a state that the filter selects but the box does not hold
  std::int64_t most = 0;     // the largest count of a cell
};

// A grid of cells of a round size over a box of the plane, for a density that reads in the
// plane's units ("1 ℃ × 0.5 g/kg a cell"): along each axis the smallest of 1, 2 and 5 times a
// power of ten that cuts the box into at most `most` cells, and the box widened to whole cells
// that begin at multiples of that size.
struct RoundGrid {
  chart::PlaneBox box{};
  double width = 0;   // of a cell, in the units across
  double height = 0;  // of a cell, in the units up
  int columns = 0;
  int rows = 0;
};

// The round grid over `box` with at most `most_columns` across and `most_rows` up (each at least
// 1); no cell when the box is empty or not finite.
RoundGrid RoundCells(const chart::PlaneBox& box, int most_columns, int most_rows);

// Counts the hours with a state that the filter selects. `columns` and `rows` at least 1 and the
// box not empty, or the grid has no cell and every hour is outside.
DensityGrid CountDensity(const WeatherRecord& record, const HourFilter& filter,
                         chart::ChartLayout layout, const chart::PlaneBox& box, int columns,
                         int rows);

}  // namespace tarvel::climate
