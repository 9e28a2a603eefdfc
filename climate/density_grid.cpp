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

// Round cell sizes: 1, 2 and 5 times the powers of ten from 10^-6 to 10^12, each a product or a
// quotient of exact whole numbers.
constexpr int kLowestPower = -6;
constexpr int kHighestPower = 12;
constexpr int kRoundSteps[] = {1, 2, 5};

double PowerOfTen(int power) {
  double value = 1;
  for (int i = 0; i < (power < 0 ? -power : power); ++i)
    value *= 10;
  return value;
}

// `count` cells of the size `step` times 10^power, as a value of the axis.
double Edge(std::int64_t count, int step, int power) {
  const double whole = static_cast<double>(count * step);
  return power < 0 ? whole / PowerOfTen(power) : whole * PowerOfTen(power);
}

// The round cells along [low, high]: the first edge, the last edge, the size and the count.
struct Axis {
  double low = 0;
  double high = 0;
  double size = 0;
  int cells = 0;
};

Axis RoundAxis(double low, double high, int most) {
  if (!(std::isfinite(low) && std::isfinite(high) && low < high) || most < 1)
    return {};
  for (int power = kLowestPower; power <= kHighestPower; ++power) {
    for (const int step : kRoundSteps) {
      const double size = Edge(1, step, power);
      const double first = std::floor(low / size);
      const double last = std::ceil(high / size);
      if (last - first > most || !(std::fabs(first) < 1e15 && std::fabs(last) < 1e15))
        continue;
      const auto from = static_cast<std::int64_t>(first);
      const auto to = static_cast<std::int64_t>(last);
      return {Edge(from, step, power), Edge(to, step, power), size,
              std::max(1, static_cast<int>(to - from))};
    }
  }
  return {};
}

}  // namespace

RoundGrid RoundCells(const chart::PlaneBox& box, int most_columns, int most_rows) {
  const Axis across = RoundAxis(box.x_min, box.x_max, most_columns);
  const Axis up = RoundAxis(box.y_min, box.y_max, most_rows);
  if (across.cells == 0 || up.cells == 0)
    return {};
  return {{across.low, across.high, up.low, up.high}, across.size, up.size, across.cells, up.cells};
}

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
