// EPW, the hourly weather format of most of the world's weather data and of the Chinese standard
// weather data: 8 lines of header (LOCATION first, DATA PERIODS last), then one line an hour:
// year, month, day, hour 1 to 24 (the hour ending then), minute, source flags, dry bulb ℃, dew
// point ℃, relative humidity %, station pressure Pa, and more that the calculator does not need.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "climate/calendar.h"
#include "climate/climate_error.h"
#include "climate/format_reading.h"
#include "climate/hour_inputs.h"
#include "climate/pressure_text.h"
#include "climate/quoted_text.h"
#include "climate/text_lines.h"
#include "tables/column_map.h"

namespace tarvel::climate {
namespace {

constexpr int kHeaderLines = 8;
// The fields of a data line up to the station pressure, the last one read.
constexpr std::size_t kFieldsRead = 10;
enum Field {
  kYear,
  kMonth,
  kDay,
  kHour,
  kMinute,
  kFlags,
  kDryBulb,
  kDewPoint,
  kRelHumidity,
  kPressure
};

std::vector<std::string_view> SplitCommas(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = line.find(',');
    fields.push_back(line.substr(0, comma));
    if (comma == std::string_view::npos)
      return fields;
    line.remove_prefix(comma + 1);
  }
}

// The fields of a data line up to the pressure, the last read, and how many the line has.
struct DataFields {
  std::array<std::string_view, kFieldsRead> read;
  std::size_t count = 0;
};

DataFields SplitDataLine(std::string_view line) {
  DataFields fields;
  for (;;) {
    const std::size_t comma = line.find(',');
    if (fields.count < kFieldsRead)
      fields.read[fields.count] = line.substr(0, comma);
    ++fields.count;
    if (comma == std::string_view::npos)
      return fields;
    line.remove_prefix(comma + 1);
    if (fields.count >= kFieldsRead) {
      fields.count += static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
      return fields;
    }
  }
}

bool StartsWithWord(std::string_view line, std::string_view word) {
  if (line.size() < word.size())
    return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = line[i] >= 'a' && line[i] <= 'z' ? char(line[i] - 'a' + 'A') : line[i];
    if (c != word[i])
      return false;
  }
  return true;
}

std::optional<std::string> Named(const std::vector<std::string_view>& fields, std::size_t i) {
  if (i >= fields.size() || TrimBlanks(fields[i]).empty())
    return std::nullopt;
  return std::string(TrimBlanks(fields[i]));
}

// LOCATION, city, state or province, country, source, WMO number, latitude, longitude, time
// zone, elevation.
Station StationOf(std::string_view location) {
  const std::vector<std::string_view> fields = SplitCommas(location);
  return {Named(fields, 1), Named(fields, 3), Named(fields, 6), Named(fields, 7), Named(fields, 9)};
}

void ReadHeader(TextLines& lines, FormatReading& reading) {
  std::string_view line;
  for (int i = 1; i <= kHeaderLines; ++i) {
    if (!lines.Next(line)) {
      throw ClimateError("EPW 文件在第" + std::to_string(i - 1) +
                         "行就结束了，文件头应有 8 行（文件被截断了？）");
    }
    if (i == 1)
      reading.record.station = StationOf(line);
    if (i == kHeaderLines && !StartsWithWord(line, "DATA PERIODS")) {
      throw ClimateError("EPW 文件头的第 8 行应是 DATA PERIODS，却是" + Quoted(line));
    }
  }
}

// Why the line is not an hour, or empty; on success `time` holds its date and hour.
std::string ReadTime(const std::array<std::string_view, kFieldsRead>& fields, HourTime& time) {
  static constexpr std::array<std::string_view, 5> kNames = {"年", "月", "日", "小时", "分钟"};
  std::array<int, 5> numbers{};
  for (int i = kYear; i <= kMinute; ++i) {
    numbers[i] = ReadCount(fields[i]);
    if (numbers[i] < 0) {
      return std::string(kNames[i]) + Quoted(fields[i]) + "不是整数";
    }
  }
  time = {numbers[kYear], numbers[kMonth], numbers[kDay], numbers[kHour], numbers[kMinute]};
  if (time.minute > 60)
    return "分钟 " + std::to_string(time.minute) + " 不在 0 到 60 之间";
  return CalendarProblem(time, 1, 24);
}

void ReadHour(const std::array<std::string_view, kFieldsRead>& fields,
              const ReadingOptions& options, WeatherHour& hour) {
  PressureInput pressure{
      {}, ValueProblem({AirField::Pressure, fields[kPressure], epw_missing::kPressurePa})};
  if (pressure.problem.empty()) {
    // The pressure is moved from Pa to kPa as text, which an exponent would not survive: a number
    // such as "1.01325e5" is told rather than guessed.
    if (std::optional<std::string> kpa = KilopascalText(fields[kPressure])) {
      pressure.text = std::move(*kpa);
    } else {
      pressure.problem = std::string(tables::FieldColumnName(AirField::Pressure,
                                                             tables::HeaderLanguage::Chinese)) +
                         Quoted(fields[kPressure]) + "须写作不带指数的帕数";
    }
  }
  const std::array<GivenValue, 2> humidities = {
      GivenValue{AirField::DewPoint, fields[kDewPoint], epw_missing::kDewPoint},
      GivenValue{AirField::RelHumidity, fields[kRelHumidity], epw_missing::kRelHumidity}};
  TakeInputs(PressureOrFallback(std::move(pressure), options.fallback_pressure),
             {AirField::DryBulb, fields[kDryBulb], epw_missing::kDryBulb}, humidities, hour);
}

}  // namespace

std::string UnreadableLine(std::int64_t line, std::string_view why) {
  return "第" + std::to_string(line) + "行无法读取（" + std::string(why) + "）";
}

FormatReading ReadEpw(std::string_view text, const ReadingOptions& options) {
  FormatReading reading;
  reading.record.format = WeatherFormat::Epw;
  reading.first_hour = 1;
  TextLines lines(text);
  ReadHeader(lines, reading);

  std::vector<WeatherHour>& hours = reading.record.hours;
  hours.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  std::size_t usual_fields = 0;  // the fields of the first data line
  std::string_view line;
  while (lines.Next(line)) {
    if (TrimBlanks(line).empty())
      continue;
    const DataFields fields = SplitDataLine(line);
    if (usual_fields == 0)
      usual_fields = fields.count;
    WeatherHour hour;
    hour.line = lines.Number();
    const auto unreadable = [&](std::string_view why) {
      hour.status = HourStatus::Unreadable;
      hour.message = UnreadableLine(hour.line, why);
      hours.push_back(std::move(hour));
    };
    if (!lines.Ended() && fields.count < usual_fields) {
      unreadable("文件在这一行中途结束，被截断了");
      continue;
    }
    if (fields.count < kFieldsRead) {
      unreadable("只有" + std::to_string(fields.count) + "项，读不到第 10 项大气压力");
      continue;
    }
    if (const std::string problem = ReadTime(fields.read, hour.time); !problem.empty()) {
      unreadable(problem);
      continue;
    }
    hour.timed = true;
    if (hour.time.minute != 0 && hour.time.minute != 60) {
      ++reading.between_hours;
      continue;
    }
    ReadHour(fields.read, options, hour);
    hours.push_back(std::move(hour));
  }
  return reading;
}

}  // namespace tarvel::climate
