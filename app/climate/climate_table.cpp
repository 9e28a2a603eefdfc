#include "app/climate/climate_table.h"

#include <vector>

#include "app/climate/text_columns.h"
#include "climate/zone_text.h"
#include "panel/number_text.h"
#include "tables/column_map.h"

namespace tarvel::climate_app {
namespace {

using climate::ClimateReport;
using Rows = std::vector<std::vector<std::string>>;

// How many of the commonest reasons of each kind the table names.
constexpr std::size_t kReasonsShown = 3;
constexpr std::string_view kUnknown = "—";

std::string WithUnit(const std::optional<std::string>& text, std::string_view unit) {
  return text ? *text + " " + std::string(unit) : std::string(kUnknown);
}

std::string StationLines(const climate::Station& station) {
  std::string line = "气象站：" + station.name.value_or("（文件未给出）");
  if (station.country)
    line += "，" + *station.country;
  std::vector<std::string> place;
  if (station.latitude)
    place.push_back("纬度 " + *station.latitude);
  if (station.longitude)
    place.push_back("经度 " + *station.longitude);
  if (station.elevation)
    place.push_back("海拔 " + *station.elevation + " m");
  for (std::size_t i = 0; i < place.size(); ++i)
    line += (i == 0 ? "（" : "，") + place[i] + (i + 1 == place.size() ? "）" : "");
  return line + "\n";
}

std::string RecordLines(const ClimateReport& report, const climate::WeatherRecord& record) {
  std::string text = "记录：" + std::to_string(report.years) + " 年，" +
                     std::to_string(report.hours) + " 小时；不参加统计 " +
                     std::to_string(report.missing) + " 小时\n";
  for (const std::string& note : record.notes)
    text += "说明：" + note + "\n";
  const climate::HourTally tally = climate::TallyHours(record);
  const struct {
    climate::HourStatus status;
    std::int64_t count;
    std::string_view what;
  } kinds[] = {{climate::HourStatus::Missing, tally.missing, "缺测"},
               {climate::HourStatus::Message, tally.message, "计算有提示"},
               {climate::HourStatus::Unreadable, tally.unreadable, "无法读取"}};
  for (const auto& kind : kinds) {
    if (kind.count == 0)
      continue;
    text += "说明：" + std::string(kind.what) + " " + std::to_string(kind.count) +
            " 小时，不参加统计：";
    const auto common = climate::CommonMessages(record, kind.status, kReasonsShown);
    for (std::size_t i = 0; i < common.size(); ++i) {
      text += (i == 0 ? "" : "；") + common[i].first;
      if (common[i].second > 1)
        text += "（" + std::to_string(common[i].second) + " 小时）";
    }
    text += common.size() < static_cast<std::size_t>(kind.count) ? "……\n" : "\n";
  }
  return text;
}

std::string ConditionLines(const ClimateReport& report) {
  const climate::DesignConditions& conditions = report.conditions;
  std::string text = "\n室外设计计算参数（GB 50736-2012 第 4.1 节，全部记录）\n";
  Rows rows;
  for (const climate::ConditionFigure& figure : conditions.figures)
    rows.push_back({std::string(figure.name), WithUnit(figure.text, figure.unit)});
  text += ColumnsText(rows, 2);
  if (conditions.hottest_month && conditions.coldest_month) {
    text += "  最热月 " + std::to_string(*conditions.hottest_month) + " 月，最冷月 " +
            std::to_string(*conditions.coldest_month) + " 月\n";
  }
  text += "\n年百分位设计参数（全部记录，" + std::to_string(report.hours - report.missing) +
          " 个有状态的小时）\n";
  rows.clear();
  const struct {
    std::string_view name;
    const std::vector<climate::PercentileFigures>& rows;
  } groups[] = {{"供冷", conditions.cooling},
                {"蒸发", conditions.evaporation},
                {"除湿", conditions.dehumidification},
                {"供暖", conditions.heating}};
  for (const auto& group : groups) {
    for (const climate::PercentileFigures& percentile : group.rows) {
      std::vector<std::string> row = {std::string(group.name), percentile.percent + " %"};
      for (const climate::ConditionFigure& figure : percentile.figures)
        row.push_back(std::string(figure.name) + " " + WithUnit(figure.text, figure.unit));
      rows.push_back(std::move(row));
    }
  }
  return text + ColumnsText(rows, 2);
}

std::string OutdoorLines(const ClimateReport& report) {
  std::string text = "\n室外状态 W（由上列参数经计算命令求得）\n";
  Rows rows = {{"", "当地大气压力"}};
  for (int i = 0; i < kParameterCount; ++i) {
    rows[0].push_back(
        std::string(tables::FieldColumnName(ParameterField(i), tables::HeaderLanguage::Chinese)));
  }
  rows[0].push_back("提示");
  const struct {
    std::string_view name;
    const std::optional<climate::OutdoorState>& state;
  } seasons[] = {{"夏季", report.outdoor.summer}, {"冬季", report.outdoor.winter}};
  for (const auto& season : seasons) {
    std::vector<std::string> row = {std::string(season.name)};
    if (!season.state) {
      row.push_back("无法求得：所需的参数未知");
      rows.push_back(std::move(row));
      continue;
    }
    row.push_back(season.state->pressure);
    for (const std::string& field : season.state->point.fields)
      row.push_back(field.empty() ? std::string(kUnknown) : field);
    std::string messages;
    for (const auto& message : season.state->point.messages)
      messages += (messages.empty() ? "" : "；") + message.text;
    row.push_back(messages);
    rows.push_back(std::move(row));
  }
  return text + ColumnsText(rows, 2);
}

std::string ZoneLines(const ClimateReport& report) {
  std::string text = "\n舒适区（" + climate::FilterText(report.filter) + "，" +
                     std::to_string(report.counts.selected) + " 个有状态的小时；PMV 按 " +
                     FormatNumber(report.pmv.met) + " met、" + FormatNumber(report.pmv.clo) +
                     " clo、" + FormatNumber(report.pmv.air_speed) + " m/s）\n";
  Rows rows = {{"区域", "范围", "小时", "占比"}};
  for (std::size_t i = 0; i < report.zones.size(); ++i) {
    const climate::ZoneCount& count = report.counts.zones[i];
    rows.push_back({count.name, climate::ZoneLimitsText(report.zones[i]),
                    std::to_string(count.hours), WithUnit(count.share, "%")});
  }
  return text + ColumnsText(rows, 2);
}

}  // namespace

std::string ClimateTable(const ClimateReport& report, const climate::WeatherRecord& record) {
  return StationLines(report.station) + RecordLines(report, record) + ConditionLines(report) +
         OutdoorLines(report) + ZoneLines(report);
}

}  // namespace tarvel::climate_app
