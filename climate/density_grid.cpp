#include "climate/density_grid.h"

#include <algorithm>
#include <cmath>

#include "physics/checked_arithmetic.h"

namespace tarvel::climate {
namespace {

// The cell of coordinate v along [low, high] cut into `cells`, or -1 outside.
int CellOf(double v, double low, double high, int cells) {
  if (!(v >= low && v <= high))
    return -1;
  const int cell = static_cast<int>(std::floor((v - low) / (high - low) * cells));
  return std::min(cell, cells - 1);
}

}  // namespace

DensityGrid CountDensity(const WeatherRecord& record, const HourFilter& filter,
                         chart::ChartLayout layout, const chart::PlaneBox& box, int columns,
                         int rows) {
  DensityGrid grid;
  grid.layout = layout;
  grid.box = box;
  const bool usable = columns > 0 && rows > 0 && box.x_max > box.x_min && box.y_max > box.y_min;
  grid.columns = usable ? columns : 0;
  grid.rows = usable ? rows : 0;
  grid.counts.assign(static_cast<std::size_t>(grid.columns) * grid.rows, 0);
  for (const WeatherHour& hour : record.hours) {
    if (!hour.Counts() || !filter.Selects(hour))
      continue;
    chart::PlanePoint point{};
    try {
      point = chart::ToPlane(
          layout, {hour.Value(AirField::DryBulb), hour.Value(AirField::MoistureContent)});
    } catch (const NumericFault&) {
      ++grid.outside;  // a state so far off that its place overflows
      continue;
    }
    const int column = usable ? CellOf(point.x, box.x_min, box.x_max, columns) : -1;
    const int row = usable ? CellOf(point.y, box.y_min, box.y_max, rows) : -1;
    if (column < 0 || row < 0) {
      ++grid.outside;
      continue;
    }
    std::int64_t& count = grid.counts[static_cast<std::size_t>(row) * columns + column];
    grid.most = std::max(grid.most, ++count);
  }
  return grid;
}

}  // namespace tarvel::climate
