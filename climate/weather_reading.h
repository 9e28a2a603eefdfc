#pragma once

#include <string>
#include <string_view>

#include "climate/weather_record.h"

namespace tarvel::climate {

// What the user gives beside the file.
struct ReadingOptions {
  // The pressure field's text (kPa) for every hour whose file gives none (an EPW 999999, an empty
  // cell, a CSV without a pressure column); empty for none, when such an hour is missing.
  std::string fallback_pressure;
  // The station's elevation in metres as the user gives it, for a file that names none (CSV).
  std::string elevation;
};

// Reads a weather file from its bytes: an EPW file (its first line begins with LOCATION) or a CSV
// table with a time column (时间 or time) and the calculator's column names. Every hour gets the
// texts the window is typed, or is marked missing or unreadable with the reason; no calculation
// runs yet (CalculateHours). The record's notes say what was skipped and what the record lacks.
// Throws ClimateError for bytes that are neither, or that hold no hour.
WeatherRecord ReadWeather(std::string_view bytes, const ReadingOptions& options);

// The line beginning the message of a line that cannot be read: "第12行无法读取（…）".
std::string UnreadableLine(std::int64_t line, std::string_view why);

}  // namespace tarvel::climate
