// A CSV table of hourly records, as multi-year station data comes: a time column (时间 or time)
// and the columns tarvel-batch knows by the window's captions or their English names.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "climate/climate_error.h"
#include "climate/csv_records.h"
#include "climate/csv_time.h"
#include "climate/format_reading.h"
#include "climate/quoted_text.h"
#include "climate/table_inputs.h"
#include "climate/text_lines.h"
#include "tables/column_map.h"
#include "tables/table_error.h"

namespace tarvel::climate {
namespace {

bool IsTimeName(std::string_view name) {
  name = TrimBlanks(name);
  if (name == "时间")
    return true;
  if (name.size() != 4)
    return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if ((name[i] | 0x20) != "time"[i])
      return false;
  }
  return true;
}

bool IsKnownName(std::string_view name) {
  return IsTimeName(name) || tables::RoleOfName(name).has_value();
}

// Where the columns stand.
struct Layout {
  char separator = ',';
  std::size_t width = 0;  // the header's cells
  int time = -1;
  tables::ColumnMap columns;
  InputColumns inputs;
};

Layout ReadLayout(CsvRecords& records, char separator, const ReadingOptions& options) {
  Layout layout;
  layout.separator = separator;
  std::vector<std::string> names;
  records.Next(names);
  layout.width = names.size();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (IsTimeName(names[i]) && layout.time < 0)
      layout.time = static_cast<int>(i);
  }
  try {
    layout.columns = tables::MapColumns(names);
  } catch (const tables::TableError& e) {
    throw ClimateError(e.what());
  }
  if (layout.time < 0)
    throw ClimateError("表头中没有时间列（时间 或 time）");
  layout.inputs = InputColumnsOf(layout.columns, options);
  return layout;
}

std::string_view Cell(const std::vector<std::string>& cells, int column) {
  return column >= 0 && static_cast<std::size_t>(column) < cells.size() ? cells[column]
                                                                        : std::string_view();
}

void ReadRowInputs(const Layout& layout, const std::vector<std::string>& cells,
                   const ReadingOptions& options, WeatherHour& hour) {
  std::array<std::string_view, kFieldCount> row;
  for (int f = 0; f < kFieldCount; ++f)
    row[f] = Cell(cells, layout.columns.field_column[f]);
  TakeRowInputs(layout.inputs, row, options, hour);
}

}  // namespace

bool LooksLikeWeatherCsv(std::string_view text) {
  std::vector<std::string> names;
  CsvRecords records(text, DetectSeparator(text, IsKnownName));
  return records.Next(names) && std::any_of(names.begin(), names.end(), IsTimeName);
}

FormatReading ReadWeatherCsv(std::string_view text, const ReadingOptions& options) {
  FormatReading reading;
  reading.record.format = WeatherFormat::Csv;
  reading.first_hour = 0;
  if (!options.elevation.empty())
    reading.record.station.elevation = options.elevation;
  const char separator = DetectSeparator(text, IsKnownName);
  CsvRecords records(text, separator);
  const Layout layout = ReadLayout(records, separator, options);

  reading.record.hours.reserve(
      static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  std::vector<std::string> cells;
  while (records.Next(cells)) {
    if (cells.size() == 1 && TrimBlanks(cells[0]).empty() && !records.Unclosed())
      continue;  // an empty line
    WeatherHour hour;
    hour.line = records.Line();
    const auto unreadable = [&](std::string_view why) {
      hour.status = HourStatus::Unreadable;
      hour.message = UnreadableLine(hour.line, why);
      reading.record.hours.push_back(std::move(hour));
    };
    if (records.Unclosed()) {
      unreadable("引号没有闭合，一直到文件末尾");
      continue;
    }
    if (cells.size() > layout.width) {
      unreadable("有" + std::to_string(cells.size()) + "个单元格，表头只有" +
                 std::to_string(layout.width) + "列");
      continue;
    }
    int second = 0;
    const std::string_view time_text = Cell(cells, layout.time);
    if (const std::string problem = ReadCsvTime(time_text, hour.time, second); !problem.empty()) {
      unreadable("时间" + Quoted(time_text) + problem);
      continue;
    }
    hour.timed = true;
    if (hour.time.minute != 0 || second != 0) {
      ++reading.between_hours;
      continue;
    }
    if (hour.time.hour == 24)
      reading.first_hour = 1;
    ReadRowInputs(layout, cells, options, hour);
    reading.record.hours.push_back(std::move(hour));
  }
  return reading;
}

}  // namespace tarvel::climate
