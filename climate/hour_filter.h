#pragma once

#include <string>
#include <string_view>

#include "climate/weather_record.h"

namespace tarvel::climate {

// A range of months or of clock hours with both ends included. A range whose first value is
// after its last wraps around the year or the day: months 11-2 are November to February, hours
// 22-6 are 22:00 to 6:00.
struct CyclicRange {
  int first = 0;
  int last = 0;
  bool Holds(int value) const {
    return first <= last ? value >= first && value <= last : value >= first || value <= last;
  }
  bool operator==(const CyclicRange&) const = default;
};

inline constexpr CyclicRange kEveryMonth{1, 12};
inline constexpr CyclicRange kEveryHour{0, 23};

// Which hours are drawn and counted in the zones: those of the months and the clock hours given
// (ClockHour: an EPW hour 24, or a CSV 24:00, is hour 0 of the clock). The design conditions
// always take the whole record.
struct HourFilter {
  CyclicRange months = kEveryMonth;
  CyclicRange hours = kEveryHour;
  bool Selects(const WeatherHour& hour) const {
    return hour.timed && months.Holds(hour.time.month) && hours.Holds(hour.time.ClockHour());
  }
  bool operator==(const HourFilter&) const = default;
};

// Reads a range of months: "6-8", "11-2" or one month "7", each 1 to 12. Throws ClimateError.
CyclicRange ParseMonthRange(std::string_view text);
// Reads a range of clock hours: "8-18", "22-6" or one hour "14", each 0 to 24 (24 is 0, so that
// "1-24", an EPW file's hours, is the whole day). Throws ClimateError.
CyclicRange ParseHourRange(std::string_view text);

// The filter as the report names it: "全年", "6-8 月", "8-18 时", "6-8 月，8-18 时".
std::string FilterText(const HourFilter& filter);

}  // namespace tarvel::climate
