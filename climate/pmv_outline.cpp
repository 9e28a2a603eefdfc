#include <algorithm>
#include <optional>

#include "climate/saturation_moisture.h"
#include "climate/zone_outline.h"
#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"

namespace tarvel::climate {
namespace {

// The step in moisture content between the outline's points, g/kg, the dry bulbs searched for an
// edge, °C, and the bisection steps of each search.
constexpr double kStep = 0.25;
constexpr double kColdest = -50;
constexpr double kWarmest = 80;
constexpr int kSearchSteps = 50;

class PmvEdges {
 public:
  PmvEdges(double within, double pressure_kpa, const PmvSettings& settings)
      : within_(within), pressure_(pressure_kpa), settings_(settings) {}

  // The dry bulb at which the PMV of air of moisture content d is `target`; PMV grows with the
  // dry bulb. Nullopt when it is not reached between kColdest and kWarmest.
  std::optional<double> DryBulbAt(double d, double target) const {
    double pv = 0;
    try {
      pv = PvFromMoisture(d, pressure_);
    } catch (const NumericFault&) {
      return std::nullopt;
    }
    const auto below = [&](double t) {
      const std::optional<Pmv> pmv = PmvFromVapourPressure(t, pv, settings_);
      return pmv && pmv->pmv < target;
    };
    double low = kColdest;
    double high = kWarmest;
    if (!below(low) || below(high))
      return std::nullopt;
    for (int i = 0; i < kSearchSteps; ++i) {
      const double middle = (low + high) / 2;
      (below(middle) ? low : high) = middle;
    }
    return high;
  }
  std::optional<double> Warm(double d) const { return DryBulbAt(d, within_); }
  std::optional<double> Cool(double d) const { return DryBulbAt(d, -within_); }
  // Whether the warm edge at d lies on or under the saturation curve.
  bool Open(double d) const {
    const std::optional<double> warm = Warm(d);
    return warm && *warm >= DewPointOfMoisture(d, pressure_);
  }
  double Dew(double d) const { return DewPointOfMoisture(d, pressure_); }

 private:
  double within_;
  double pressure_;
  const PmvSettings& settings_;
};

}  // namespace

std::vector<chart::StatePoint> PmvZoneOutline(double within, double pressure_kpa,
                                              const chart::ChartRange& range,
                                              const PmvSettings& settings) {
  const PmvEdges edges(within, pressure_kpa, settings);
  std::vector<double> ds;
  const double first = std::max(range.d_min, 0.0);
  for (double d = first; d <= range.d_max; d = first + kStep * static_cast<double>(ds.size())) {
    if (!edges.Open(d)) {
      if (!ds.empty()) {
        double open = ds.back();
        double shut = d;
        for (int i = 0; i < kSearchSteps; ++i) {
          const double middle = (open + shut) / 2;
          (edges.Open(middle) ? open : shut) = middle;
        }
        ds.push_back(open);
      }
      break;
    }
    ds.push_back(d);
  }
  std::vector<chart::StatePoint> outline;
  for (const double d : ds)
    outline.push_back({*edges.Warm(d), d});
  for (auto d = ds.rbegin(); d != ds.rend(); ++d) {
    const std::optional<double> cool = edges.Cool(*d);
    outline.push_back({std::max(cool.value_or(kColdest), edges.Dew(*d)), *d});
  }
  return outline;
}

}  // namespace tarvel::climate
