#include "climate/climate_report.h"

#include <algorithm>
#include <map>

namespace tarvel::climate {

std::vector<Zone> ZonesOf(const ClimateOptions& options) {
  std::vector<Zone> zones = BuiltInZones();
  if (options.user_zone)
    zones.push_back(*options.user_zone);
  return zones;
}

HourTally TallyHours(const WeatherRecord& record) {
  HourTally tally;
  for (const WeatherHour& hour : record.hours) {
    switch (hour.status) {
      case HourStatus::State:
        ++tally.state;
        break;
      case HourStatus::Message:
        ++tally.message;
        break;
      case HourStatus::Missing:
      case HourStatus::Ready:  // not calculated: takes no part either
        ++tally.missing;
        break;
      case HourStatus::Unreadable:
        ++tally.unreadable;
        break;
    }
  }
  return tally;
}

std::vector<std::pair<std::string, std::int64_t>> CommonMessages(const WeatherRecord& record,
                                                                 HourStatus status,
                                                                 std::size_t most) {
  std::map<std::string_view, std::pair<std::size_t, std::int64_t>> seen;  // first met, count
  for (const WeatherHour& hour : record.hours) {
    if (hour.status != status)
      continue;
    auto [entry, added] = seen.try_emplace(hour.message, seen.size(), 0);
    ++entry->second.second;
  }
  std::vector<std::pair<std::string_view, std::pair<std::size_t, std::int64_t>>> order(seen.begin(),
                                                                                       seen.end());
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return a.second.second != b.second.second ? a.second.second > b.second.second
                                              : a.second.first < b.second.first;
  });
  std::vector<std::pair<std::string, std::int64_t>> common;
  for (std::size_t i = 0; i < order.size() && i < most; ++i)
    common.emplace_back(std::string(order[i].first), order[i].second.second);
  return common;
}

ClimateReport MakeClimateReport(const WeatherRecord& record, const ClimateOptions& options) {
  ClimateReport report;
  report.station = record.station;
  const StateColumns columns = StateColumnsOf(record);
  report.conditions = DesignConditionsOf(record, columns);
  report.years = report.conditions.years;
  report.hours = static_cast<std::int64_t>(record.hours.size());
  report.missing = TallyHours(record).NotTakingPart();
  report.outdoor = OutdoorStatesOf(report.conditions);
  report.filter = options.filter;
  report.pmv = options.pmv;
  report.zones = ZonesOf(options);
  report.counts = CountZones(columns, options.filter, report.zones, options.pmv);
  return report;
}

}  // namespace tarvel::climate
