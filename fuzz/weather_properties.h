#pragma once

// What must hold of any weather record read from any bytes, whichever reader read them: every
// hour is read, missing or unreadable; its line numbers rise; an hour to be calculated has plain
// numbers to type; every message is text; and calculating some of its hours and answering the
// record gives a JSON object and a table of hours that read back.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "climate/calendar.h"
#include "climate/climate_error.h"
#include "climate/climate_json.h"
#include "climate/hour_calculation.h"
#include "climate/hours_table.h"
#include "climate/quoted_text.h"
#include "climate/text_lines.h"
#include "climate/weather_reading.h"
#include "fuzz/number_form.h"
#include "tables/plain_number.h"

namespace tarvel::fuzz {

// The hours a run calculates at most, so that a long input stays quick.
inline constexpr std::size_t kHoursCalculated = 48;

inline void CheckWeatherRecord(climate::WeatherRecord& record, std::string_view bytes) {
  using climate::HourStatus;
  Require(!record.hours.empty(), "a record read has hours");
  const std::int64_t lines = std::count(bytes.begin(), bytes.end(), '\n') + 1;
  std::int64_t last_line = 0;
  for (const climate::WeatherHour& hour : record.hours) {
    Require(hour.line > last_line && hour.line <= lines, "line numbers rise within the file");
    last_line = hour.line;
    Require(climate::IsUtf8(hour.message), "a message is UTF-8", hour.message);
    if (hour.timed) {
      Require(climate::CalendarProblem(hour.time, 0, 24).empty(),
              "a timed hour is on the calendar");
    }
    switch (hour.status) {
      case HourStatus::Ready:
        Require(hour.timed && hour.message.empty(), "a ready hour has a time and no message");
        Require(tables::IsPlainNumber(climate::TrimBlanks(hour.pressure)) &&
                    tables::IsPlainNumber(climate::TrimBlanks(hour.dry_bulb_input)) &&
                    tables::IsPlainNumber(climate::TrimBlanks(hour.humidity_input)),
                "a ready hour types plain numbers", hour.humidity_input);
        break;
      case HourStatus::Missing:
      case HourStatus::Unreadable:
        Require(!hour.message.empty(), "a missing or unreadable hour says why");
        break;
      default:
        Require(false, "a read hour is ready, missing or unreadable");
    }
  }
  for (const std::string& note : record.notes)
    Require(climate::IsUtf8(note), "a note is UTF-8", note);

  const std::size_t calculated = std::min(record.hours.size(), kHoursCalculated);
  record.hours.resize(calculated);
  climate::CalculateHours(record.hours);
  for (const climate::WeatherHour& hour : record.hours) {
    Require(hour.status != HourStatus::Ready, "every ready hour is calculated");
    if (hour.status == HourStatus::State) {
      Require(hour.fields[0] == hour.dry_bulb_input, "the dry bulb typed stays as typed");
      for (const std::string& field : hour.fields) {
        Require(field == hour.dry_bulb_input || field == hour.humidity_input ||
                    IsWrittenNumberForm(field),
                "every other field is written as the calculator writes", field);
      }
    }
  }
  const std::string json = climate::ClimateJson(record, {});
  const auto answer = nlohmann::json::parse(json, nullptr, false);
  Require(!answer.is_discarded() && answer.size() == 7, "the answer is a JSON object of 7 keys",
          json);
  const std::string table = climate::HoursTable(record);
  Require(static_cast<std::size_t>(std::count(table.begin(), table.end(), '\n')) == calculated + 1,
          "the table of hours has a line per hour");
}

// Reads `bytes` as a weather file: a refusal must be a line of UTF-8, a record must keep
// CheckWeatherRecord.
inline void ReadAndCheck(const std::string& bytes, const std::string& fallback_pressure) {
  climate::WeatherRecord record;
  try {
    record = climate::ReadWeather(bytes, {fallback_pressure, ""});
  } catch (const climate::ClimateError& e) {
    Require(climate::IsUtf8(e.what()), "a refusal is UTF-8", e.what());
    return;
  }
  CheckWeatherRecord(record, bytes);
}

}  // namespace tarvel::fuzz
