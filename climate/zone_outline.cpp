#include "climate/zone_outline.h"

#include <algorithm>
#include <cmath>

#include "climate/saturation_moisture.h"

namespace tarvel::climate {
namespace {

// The step in dry bulb between the outline's points along a curved edge, °C, and the bisection
// steps that find where an edge begins or ends.
constexpr double kStep = 0.25;
constexpr int kEdgeSteps = 50;

// The moisture contents of a zone's lower and upper edge at a dry bulb.
struct Edges {
  double lower;
  double upper;
  bool Open() const { return lower <= upper; }
};

class LimitZone {
 public:
  LimitZone(const Zone& zone, double pressure_kpa, const chart::ChartRange& range)
      : zone_(zone), pressure_(pressure_kpa), range_(range) {}

  Edges At(double t) const {
    double lower = std::max(range_.d_min, 0.0);
    double upper = std::min(range_.d_max, MoistureAtRelHumidity(t, 100, pressure_));
    if (zone_.rel_humidity.lower)
      lower = std::max(lower, MoistureAtRelHumidity(t, *zone_.rel_humidity.lower, pressure_));
    if (zone_.rel_humidity.upper)
      upper = std::min(upper, MoistureAtRelHumidity(t, *zone_.rel_humidity.upper, pressure_));
    if (zone_.dew_point.lower)
      lower = std::max(lower, MoistureAtDewPoint(*zone_.dew_point.lower, pressure_));
    if (zone_.dew_point.upper)
      upper = std::min(upper, MoistureAtDewPoint(*zone_.dew_point.upper, pressure_));
    if (zone_.moisture.lower)
      lower = std::max(lower, *zone_.moisture.lower);
    if (zone_.moisture.upper)
      upper = std::min(upper, *zone_.moisture.upper);
    return {lower, upper};
  }

  // Where between `open` (its edges open) and `shut` the zone begins or ends.
  double Boundary(double open, double shut) const {
    for (int i = 0; i < kEdgeSteps; ++i) {
      const double middle = (open + shut) / 2;
      (At(middle).Open() ? open : shut) = middle;
    }
    return open;
  }

 private:
  const Zone& zone_;
  double pressure_;
  const chart::ChartRange& range_;
};

}  // namespace

std::vector<chart::StatePoint> ZoneOutline(const Zone& zone, double pressure_kpa,
                                           const chart::ChartRange& range,
                                           const PmvSettings& settings) {
  if (zone.pmv_within)
    return PmvZoneOutline(*zone.pmv_within, pressure_kpa, range, settings);
  const double first = std::max(zone.dry_bulb.lower.value_or(range.t_min), range.t_min);
  const double last = std::min(zone.dry_bulb.upper.value_or(range.t_max), range.t_max);
  if (!(first <= last))
    return {};
  const LimitZone limits(zone, pressure_kpa, range);
  const int steps = std::max(1, static_cast<int>(std::ceil((last - first) / kStep)));
  std::vector<double> ts;
  for (int i = 0; i <= steps; ++i) {
    const double t = i == steps ? last : first + (last - first) * i / steps;
    const bool open = limits.At(t).Open();
    if (open && ts.empty() && i > 0)
      ts.push_back(limits.Boundary(t, first + (last - first) * (i - 1) / steps));
    if (open)
      ts.push_back(t);
    if (!open && !ts.empty()) {
      ts.push_back(limits.Boundary(ts.back(), t));
      break;
    }
  }
  std::vector<chart::StatePoint> outline;
  for (const double t : ts)
    outline.push_back({t, limits.At(t).upper});
  for (auto t = ts.rbegin(); t != ts.rend(); ++t)
    outline.push_back({*t, limits.At(*t).lower});
  return outline;
}

}  // namespace tarvel::climate
