#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "panel/air_field.h"

namespace tarvel::climate {

// When an hour's values were taken, as the file writes it. An EPW line gives the hour that ends
// then, 1 to 24; a CSV time gives the clock, 0:00 to 24:00. Either way the hour belongs to the day
// written beside it, so a day has the hours 1 to 24 (EPW, or a CSV that writes 24:00) or 0 to 23.
struct HourTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;   // 0 to 24, as written
  int minute = 0;
  // The hour on the clock, 0 to 23: 24:00 is midnight. The filters by hour of the day use it.
  int ClockHour() const { return hour % 24; }
};

// What became of one hour of the file.
enum class HourStatus : std::uint8_t {
  Ready,       // read, its calculation not yet run
  State,       // the calculate command completed the state: the hour takes part
  Message,     // the command ended with a message: the hour keeps it and takes no part
  Missing,     // the file lacks a value the hour needs: no command ran
  Unreadable,  // the line could not be read
};

// One hour of a weather file: the texts typed into the window's fields, the six texts the
// calculate command left in them, and the numbers the statistics take from those texts.
struct WeatherHour {
  std::int64_t line = 0;  // the line of the file it comes from, counted from 1
  bool timed = false;     // whether `time` could be read (an unreadable line may have none)
  HourTime time;
  std::string pressure;                    // the pressure field's text, kPa
  AirField humidity = AirField::DewPoint;  // the field typed beside the dry bulb
  std::string dry_bulb_input;
  std::string humidity_input;
  std::array<std::string, kParameterCount> fields;  // as the command left them (State, Message)
  std::string message;  // the command's messages joined, or why the hour is missing or unreadable
  HourStatus status = HourStatus::Ready;
  // ReadNumber of the six fields and of the pressure, by FieldIndex (State only).
  std::array<double, kFieldCount> values{};

  bool Counts() const { return status == HourStatus::State; }
  double Value(AirField field) const { return values[FieldIndex(field)]; }
};

// The station as the file names it, each text as written; unknown parts are empty.
struct Station {
  std::optional<std::string> name;
  std::optional<std::string> country;
  std::optional<std::string> latitude;   // degrees, north positive
  std::optional<std::string> longitude;  // degrees, east positive
  std::optional<std::string> elevation;  // metres
};

enum class WeatherFormat { Epw, Csv };

// A weather file read: its station, its hours in file order and what the reader has to say about
// the record as a whole (sub-hourly lines skipped, leap days, a partial year, gaps), in Chinese.
struct WeatherRecord {
  WeatherFormat format = WeatherFormat::Epw;
  Station station;
  std::vector<WeatherHour> hours;
  std::vector<std::string> notes;
};

}  // namespace tarvel::climate
