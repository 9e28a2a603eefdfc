#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "climate/comfort_zones.h"
#include "climate/design_conditions.h"
#include "climate/hour_filter.h"
#include "climate/outdoor_states.h"
#include "climate/pmv.h"
#include "climate/weather_record.h"
#include "climate/zone_counts.h"

namespace tarvel::climate {

// What the user asks of a record besides its design conditions.
struct ClimateOptions {
  HourFilter filter;              // the hours drawn and counted in the zones
  PmvSettings pmv;                // for the PMV zones
  std::optional<Zone> user_zone;  // counted after the built-in zones
};

// The built-in zones, then the user's.
std::vector<Zone> ZonesOf(const ClimateOptions& options);

// How many of a record's hours came to what.
struct HourTally {
  std::int64_t state = 0;       // completed: they take part
  std::int64_t message = 0;     // the command ended with a message
  std::int64_t missing = 0;     // a value missing in the file
  std::int64_t unreadable = 0;  // lines that could not be read
  std::int64_t NotTakingPart() const { return message + missing + unreadable; }
};
HourTally TallyHours(const WeatherRecord& record);

// The commonest messages of the hours with `status`, most frequent first (the earlier first met
// on a tie), at most `most` of them, each with its count.
std::vector<std::pair<std::string, std::int64_t>> CommonMessages(const WeatherRecord& record,
                                                                 HourStatus status,
                                                                 std::size_t most);

// Everything the climate answer tells of a record whose hours are calculated.
struct ClimateReport {
  Station station;
  int years = 1;                // N
  std::int64_t hours = 0;       // the hours of the record (lines on the hour and unreadable lines)
  std::int64_t missing = 0;     // the hours that take no part in the statistics
  DesignConditions conditions;  // of the whole record
  OutdoorStates outdoor;
  HourFilter filter;
  PmvSettings pmv;
  std::vector<Zone> zones;  // ZonesOf(options)
  ZoneCounts counts;        // of the hours the filter selects
};

ClimateReport MakeClimateReport(const WeatherRecord& record, const ClimateOptions& options);

}  // namespace tarvel::climate
