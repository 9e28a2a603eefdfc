#pragma once

// Small weather files and records for the tests of the climate layer, written out line by line
// so that each test shows the very texts it reads.

#include <string>
#include <string_view>
#include <vector>

#include "climate/weather_record.h"

namespace tarvel::testing_support {

// The 8 lines of an EPW header, LOCATION first.
inline std::string EpwHeader(
    std::string_view location = "LOCATION,Testville,TP,CHN,Test,999999,31.17,121.43,8.0,4.5") {
  return std::string(location) +
         "\nDESIGN CONDITIONS,0\nTYPICAL/EXTREME PERIODS,0\nGROUND TEMPERATURES,0\n"
         "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\nCOMMENTS 1,\nCOMMENTS 2,\n"
         "DATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\n";
}

// An EPW data line: the date, hour and minute, source flags, then dry bulb, dew point, relative
// humidity and station pressure as given, then the rest of the 35 fields.
inline std::string EpwLine(int year, int month, int day, int hour, std::string_view dry_bulb,
                           std::string_view dew_point, std::string_view rel_humidity,
                           std::string_view pressure_pa, int minute = 0) {
  return std::to_string(year) + "," + std::to_string(month) + "," + std::to_string(day) + "," +
         std::to_string(hour) + "," + std::to_string(minute) + ",?9?9?9?9E0?9?9?9," +
         std::string(dry_bulb) + "," + std::string(dew_point) + "," + std::string(rel_humidity) +
         "," + std::string(pressure_pa) +
         ",0,0,300,0,0,0,0,0,0,0,180,2.0,5,5,16.1,77777,9,999999999,0,0.1,0,88,0.0,0.0,0.0\n";
}

// A record of hours with a state and the given field values, for the statistics: each hour
// dated as given, its values by FieldIndex (t, tw, φ, td, d, h, then the pressure in kPa).
struct StateValues {
  int month = 7;
  int day = 1;
  int hour = 14;
  double t = 20, tw = 15, phi = 50, td = 10, d = 7, h = 40, pressure = 101.325;
};

inline climate::WeatherHour StateHour(const StateValues& v, int year = 2001) {
  climate::WeatherHour hour;
  hour.timed = true;
  hour.time = {year, v.month, v.day, v.hour, 0};
  hour.status = climate::HourStatus::State;
  hour.values = {v.t, v.tw, v.phi, v.td, v.d, v.h, v.pressure};
  return hour;
}

// `days` whole days of hours 1 to 24, each hour with dry bulb `t` (the other values as
// StateValues has them), from `first_day` of `month` on.
inline void AddDays(climate::WeatherRecord& record, int days, double t, int month = 7,
                    int first_day = 1) {
  for (int day = 0; day < days; ++day) {
    for (int hour = 1; hour <= 24; ++hour) {
      StateValues v;
      v.month = month;
      v.day = first_day + day;
      v.hour = hour;
      v.t = t;
      record.hours.push_back(StateHour(v));
    }
  }
}

}  // namespace tarvel::testing_support
