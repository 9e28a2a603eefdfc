#pragma once

#include <cstdint>
#include <string_view>

#include "climate/weather_reading.h"
#include "climate/weather_record.h"

namespace tarvel::climate {

// What the reader of one format hands on to the checks of the record as a whole.
struct FormatReading {
  WeatherRecord record;
  std::int64_t between_hours = 0;  // lines taken between whole hours, skipped
  int first_hour = 1;              // how the file counts a day's hours: 1 to 24, or 0 to 23
};

// An EPW file: 8 lines of header, then a line an hour. `text` starts at its LOCATION line.
FormatReading ReadEpw(std::string_view text, const ReadingOptions& options);

// A CSV table of hours with a time column. Throws ClimateError when its first line is no such
// header.
FormatReading ReadWeatherCsv(std::string_view text, const ReadingOptions& options);

// Whether the first line of `text` names a time column (时间 or time), with some separator: a
// table of hours, whose other columns ReadWeatherCsv looks for.
bool LooksLikeWeatherCsv(std::string_view text);

}  // namespace tarvel::climate
