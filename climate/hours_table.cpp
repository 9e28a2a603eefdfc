#include "climate/hours_table.h"

#include "climate/calendar.h"
#include "tables/column_map.h"
#include "tables/csv_cell.h"

namespace tarvel::climate {
namespace {

constexpr char kSeparator = ',';
constexpr std::string_view kTimeColumn = "时间";

}  // namespace

std::string HoursTableHeader() {
  using tables::HeaderLanguage;
  std::string header;
  tables::AppendCell(header, kTimeColumn, kSeparator);
  header.push_back(kSeparator);
  tables::AppendCell(header, tables::FieldColumnName(AirField::Pressure, HeaderLanguage::Chinese),
                     kSeparator);
  for (int i = 0; i < kParameterCount; ++i) {
    header.push_back(kSeparator);
    tables::AppendCell(header, tables::FieldColumnName(ParameterField(i), HeaderLanguage::Chinese),
                       kSeparator);
  }
  header.push_back(kSeparator);
  tables::AppendCell(header, tables::MessageColumnName(HeaderLanguage::Chinese), kSeparator);
  header.push_back('\n');
  return header;
}

void AppendHourRow(const WeatherHour& hour, std::string& out) {
  if (hour.timed)
    out.append(TimeText(hour.time));
  out.push_back(kSeparator);
  tables::AppendCell(out, hour.pressure, kSeparator);
  const bool calculated = hour.status == HourStatus::State || hour.status == HourStatus::Message;
  for (int i = 0; i < kParameterCount; ++i) {
    out.push_back(kSeparator);
    if (calculated)
      tables::AppendCell(out, hour.fields[i], kSeparator);
  }
  out.push_back(kSeparator);
  tables::AppendCell(out, hour.message, kSeparator);
  out.push_back('\n');
}

std::string HoursTable(const WeatherRecord& record) {
  std::string table = HoursTableHeader();
  for (const WeatherHour& hour : record.hours)
    AppendHourRow(hour, table);
  return table;
}

}  // namespace tarvel::climate
