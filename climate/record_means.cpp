#include "climate/record_means.h"

#include <array>

#include "climate/rank_statistics.h"

namespace tarvel::climate {

std::vector<double> DailyMeanDryBulbs(const WeatherRecord& record) {
  constexpr int kHoursADay = 24;
  std::vector<double> means;
  const std::vector<WeatherHour>& hours = record.hours;
  for (std::size_t first = 0; first < hours.size();) {
    // The run of hours with the date of hours[first]; a line without a time ends it.
    std::size_t end = first + 1;
    const HourTime& day = hours[first].time;
    if (hours[first].timed) {
      while (end < hours.size() && hours[end].timed && hours[end].time.year == day.year &&
             hours[end].time.month == day.month && hours[end].time.day == day.day)
        ++end;
    }
    bool whole = end - first == kHoursADay;
    FileOrderMean mean;
    for (std::size_t i = first; i < end && whole; ++i) {
      whole = hours[i].Counts();
      mean.Add(hours[i].Value(AirField::DryBulb));
    }
    if (whole)
      means.push_back(*mean.Mean());
    first = end;
  }
  return means;
}

HottestAndColdest HottestAndColdestMonths(const StateColumns& columns) {
  std::array<FileOrderMean, 12> months;
  const std::vector<double>& dry_bulbs = columns.Of(AirField::DryBulb);
  for (std::size_t i = 0; i < columns.Size(); ++i)
    months[columns.months[i] - 1].Add(dry_bulbs[i]);
  HottestAndColdest found;
  std::optional<double> highest;
  std::optional<double> lowest;
  for (int month = 1; month <= 12; ++month) {
    const std::optional<double> mean = months[month - 1].Mean();
    if (!mean)
      continue;
    if (!highest || *mean > *highest) {
      highest = mean;
      found.hottest = month;
    }
    if (!lowest || *mean < *lowest) {
      lowest = mean;
      found.coldest = month;
    }
  }
  return found;
}

StateColumns StateColumnsOf(const WeatherRecord& record) {
  StateColumns columns;
  columns.months.reserve(record.hours.size());
  columns.clock_hours.reserve(record.hours.size());
  for (std::vector<double>& values : columns.values)
    values.reserve(record.hours.size());
  for (const WeatherHour& hour : record.hours) {
    if (!hour.Counts())
      continue;
    columns.months.push_back(static_cast<std::uint8_t>(hour.time.month));
    columns.clock_hours.push_back(static_cast<std::uint8_t>(hour.time.ClockHour()));
    for (int f = 0; f < kFieldCount; ++f)
      columns.values[f].push_back(hour.values[f]);
  }
  return columns;
}

}  // namespace tarvel::climate
