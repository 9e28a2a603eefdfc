#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "climate/comfort_zones.h"
#include "climate/hour_filter.h"
#include "climate/pmv.h"
#include "climate/record_means.h"
#include "climate/weather_record.h"

namespace tarvel::climate {

struct ZoneCount {
  std::string name;
  std::int64_t hours = 0;  // the hours with a state that the filter selects and the zone holds
  // Their share of the hours with a state that the filter selects, in %, written as the window
  // writes a number: (hours × 100) / selected, rounded to two decimals. Nullopt without any.
  std::optional<std::string> share;
};

struct ZoneCounts {
  std::int64_t selected = 0;  // the hours with a state that the filter selects
  std::vector<ZoneCount> zones;
};

// Counts the hours of each zone among those the filter selects; the PMV of an hour is that of its
// dry bulb and relative humidity values with `settings`.
ZoneCounts CountZones(const WeatherRecord& record, const HourFilter& filter,
                      std::span<const Zone> zones, const PmvSettings& settings);

// The same over the record's hours with a state, column by column (StateColumnsOf).
ZoneCounts CountZones(const StateColumns& columns, const HourFilter& filter,
                      std::span<const Zone> zones, const PmvSettings& settings);

}  // namespace tarvel::climate
