#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "climate/pmv.h"
#include "climate/weather_record.h"

namespace tarvel::climate {

// Lower and upper limits of one quantity, each optional and each included.
struct Limits {
  std::optional<double> lower;
  std::optional<double> upper;
  bool Holds(double value) const {
    return (!lower || value >= *lower) && (!upper || value <= *upper);
  }
  bool Any() const { return lower || upper; }
  bool operator==(const Limits&) const = default;
};

// A zone of the chart: limits on the dry bulb (℃), relative humidity (%), dew point (℃) and
// moisture content (g/kg), or on the PMV. An hour lies in it when its field values meet every
// limit; each zone is counted on its own, so that the hours of one may lie in another too.
struct Zone {
  std::string name;
  Limits dry_bulb;
  Limits rel_humidity;
  Limits dew_point;
  Limits moisture;
  // −x ≤ PMV ≤ x, with the mean radiant temperature equal to the dry bulb unless the settings
  // give one.
  std::optional<double> pmv_within;
  bool operator==(const Zone&) const = default;
};

// The built-in zones, in this order: the indoor design conditions of GB 50736-2012 Table 3.0.2
// for long stays (供冷 I级 24–26 ℃ and 40–60 %, 供冷 II级 26–28 ℃ and at most 70 %, 供热 I级
// 22–24 ℃ and at least 30 %, 供热 II级 18–22 ℃), the cold aisle of a data centre by
// GB 50174-2017 (18–27 ℃, dew point 5.5–15 ℃, at most 60 %), and the thermal comfort classes of
// GB 50736 §3.0.4 by PMV (I级 within ±0.5, II级 within ±1).
const std::vector<Zone>& BuiltInZones();

// The name of the user's own zone.
inline constexpr std::string_view kUserZoneName = "自定义区域";

// Whether an hour with a state lies in the zone, by its field values (by FieldIndex); `pmv` is
// the hour's (from its dry bulb and relative humidity) where the zone asks for one, nullopt when
// it has none.
bool InZone(const Zone& zone, const std::array<double, kFieldCount>& values,
            const std::optional<Pmv>& pmv);
inline bool InZone(const Zone& zone, const WeatherHour& hour, const std::optional<Pmv>& pmv) {
  return InZone(zone, hour.values, pmv);
}

}  // namespace tarvel::climate
