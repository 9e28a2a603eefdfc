#include "climate/comfort_zones.h"

#include <cmath>

namespace tarvel::climate {

const std::vector<Zone>& BuiltInZones() {
  static const std::vector<Zone> zones = [] {
    const auto between = [](double lower, double upper) { return Limits{lower, upper}; };
    std::vector<Zone> built;
    built.push_back({"GB 50736 供冷 I级", between(24, 26), between(40, 60), {}, {}, {}});
    built.push_back({"GB 50736 供冷 II级", between(26, 28), {std::nullopt, 70}, {}, {}, {}});
    built.push_back({"GB 50736 供热 I级", between(22, 24), {30, std::nullopt}, {}, {}, {}});
    built.push_back({"GB 50736 供热 II级", between(18, 22), {}, {}, {}, {}});
    built.push_back(
        {"GB 50174 数据中心", between(18, 27), {std::nullopt, 60}, between(5.5, 15), {}, {}});
    built.push_back({"PMV I级", {}, {}, {}, {}, 0.5});
    built.push_back({"PMV II级", {}, {}, {}, {}, 1});
    return built;
  }();
  return zones;
}

bool InZone(const Zone& zone, const std::array<double, kFieldCount>& values,
            const std::optional<Pmv>& pmv) {
  const auto value = [&](AirField field) { return values[FieldIndex(field)]; };
  if (!zone.dry_bulb.Holds(value(AirField::DryBulb)) ||
      !zone.rel_humidity.Holds(value(AirField::RelHumidity)) ||
      !zone.dew_point.Holds(value(AirField::DewPoint)) ||
      !zone.moisture.Holds(value(AirField::MoistureContent)))
    return false;
  return !zone.pmv_within || (pmv && std::fabs(pmv->pmv) <= *zone.pmv_within);
}

}  // namespace tarvel::climate
