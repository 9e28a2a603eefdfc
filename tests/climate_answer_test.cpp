// From the hours to the answer: every hour is the calculate command's own answer to its texts,
// the table of hours is tarvel-batch's table, and the JSON answer has exactly its keys.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "climate/climate_json.h"
#include "climate/hour_calculation.h"
#include "climate/hours_table.h"
#include "climate/weather_reading.h"
#include "climate/zone_text.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "solver/calculate_command.h"
#include "tables/joined_messages.h"
#include "weather_texts.h"

namespace tarvel::climate {
namespace {

using testing_support::EpwHeader;
using testing_support::EpwLine;

// A day whose hours are ordinary, but for one whose dew point lies above its dry bulb (the
// command ends with a message), one missing and one unreadable.
std::string DayFile() {
  std::string text = EpwHeader();
  for (int hour = 1; hour <= 24; ++hour) {
    const std::string t = std::to_string(10 + hour) + ".5";
    const std::string dew = hour == 5 ? "30.0" : std::to_string(hour % 7) + ".3";
    const std::string rh = hour == 6 ? "55" : "60";
    text += hour == 7 ? "2001,7,1,7,0,x\n"
                      : EpwLine(2001, 7, 1, hour, t, hour == 6 ? "99.9" : dew, rh,
                                hour == 8 ? "999999" : "100325");
  }
  return text;
}

TEST(ClimateAnswer, EveryHourIsTheCommandsAnswerToItsTextsOnAnyBlocks) {
  WeatherRecord whole = ReadWeather(DayFile(), {});
  WeatherRecord pieces = whole;
  CalculateHours(whole.hours);
  std::span<WeatherHour> hours(pieces.hours);
  CalculateHours(hours.subspan(0, 5));
  CalculateHours(hours.subspan(5, 1));
  CalculateHours(hours.subspan(6));
  ASSERT_EQ(whole.hours.size(), 24u);
  for (std::size_t i = 0; i < whole.hours.size(); ++i) {
    const WeatherHour& hour = whole.hours[i];
    SCOPED_TRACE("hour " + std::to_string(i + 1));
    EXPECT_EQ(hour.fields, pieces.hours[i].fields);
    EXPECT_EQ(hour.message, pieces.hours[i].message);
    if (hour.status != HourStatus::State && hour.status != HourStatus::Message)
      continue;
    MemoryPanel panel{MemoryPanel::Recording::Messages};
    panel.SetText(AirField::Pressure, hour.pressure);
    panel.SetText(AirField::DryBulb, hour.dry_bulb_input);
    panel.SetText(hour.humidity, hour.humidity_input);
    const bool completed = RunCalculate(panel) == CalculateOutcome::Completed;
    std::string messages;
    tables::JoinMessages(panel.Messages(), messages);
    for (int f = 0; f < kParameterCount; ++f)
      EXPECT_EQ(hour.fields[f], panel.Text(ParameterField(f)));
    EXPECT_EQ(hour.message, messages);
    EXPECT_EQ(hour.status, completed ? HourStatus::State : HourStatus::Message);
    if (hour.status == HourStatus::State) {
      EXPECT_EQ(hour.Value(AirField::Enthalpy), ParseNumber(hour.fields[5]));
      EXPECT_EQ(hour.Value(AirField::Pressure), 100.325);
    }
  }
  EXPECT_EQ(whole.hours[4].status, HourStatus::Message);
  EXPECT_EQ(whole.hours[4].message, "超出区域范围");
  EXPECT_EQ(whole.hours[5].humidity, AirField::RelHumidity);
  EXPECT_EQ(whole.hours[6].status, HourStatus::Unreadable);
  EXPECT_EQ(whole.hours[7].status, HourStatus::Missing);
}

TEST(ClimateAnswer, TheTableOfHoursIsTarvelBatchsTable) {
  WeatherRecord record = ReadWeather(DayFile(), {});
  CalculateHours(record.hours);
  const std::string table = HoursTable(record);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < table.size();) {
    const std::size_t end = table.find('\n', start);
    lines.push_back(table.substr(start, end - start));
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 25u);
  EXPECT_EQ(lines[0], "时间,当地大气压力,干球温度,湿球温度,相对湿度,露点温度,含湿量,湿空气焓,提示");
  const WeatherHour& first = record.hours[0];
  std::string expected = "2001-07-01 01:00,100.325";
  for (const std::string& field : first.fields)
    expected += "," + field;
  EXPECT_EQ(lines[1], expected + ",");
  EXPECT_EQ(lines[5].substr(0, 28), "2001-07-01 05:00,100.325,15.");
  EXPECT_TRUE(lines[5].ends_with(",超出区域范围"));
  EXPECT_EQ(lines[7], ",,,,,,,,第15行无法读取（只有6项，读不到第 10 项大气压力）");
  EXPECT_EQ(lines[8], "2001-07-01 08:00,,,,,,,,当地大气压力缺测（999999）");
  EXPECT_EQ(lines[24].substr(0, 16), "2001-07-01 24:00");
}

TEST(ClimateAnswer, TheJsonAnswerHasExactlyItsKeys) {
  WeatherRecord record = ReadWeather(DayFile(), {});
  CalculateHours(record.hours);
  const nlohmann::ordered_json answer =
      nlohmann::ordered_json::parse(ClimateJson(record, ClimateOptions{}));
  const auto keys = [](const nlohmann::ordered_json& object) {
    std::vector<std::string> names;
    for (const auto& item : object.items())
      names.push_back(item.key());
    return names;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(keys(answer),
            (Names{"station", "years", "hours", "missing", "conditions", "outdoor", "zones"}));
  EXPECT_EQ(keys(answer["station"]),
            (Names{"name", "country", "latitude", "longitude", "elevation"}));
  EXPECT_EQ(answer["station"]["name"], "Testville");
  EXPECT_EQ(answer["station"]["elevation"], "4.5");
  EXPECT_EQ(answer["years"], 1);
  EXPECT_EQ(answer["hours"], 24);
  EXPECT_EQ(answer["missing"], 3);
  EXPECT_EQ(keys(answer["conditions"]),
            (Names{"summer_dry_bulb", "summer_wet_bulb", "summer_daily_mean",
                   "summer_ventilation_dry_bulb", "summer_ventilation_rel_humidity",
                   "summer_pressure", "winter_dry_bulb", "winter_rel_humidity", "heating_dry_bulb",
                   "winter_ventilation_dry_bulb", "winter_pressure", "cooling", "evaporation",
                   "dehumidification", "heating"}));
  EXPECT_TRUE(answer["conditions"]["summer_dry_bulb"].is_null()) << "21 hours give no 51st";
  EXPECT_TRUE(answer["conditions"]["summer_daily_mean"].is_null()) << "no whole day";
  EXPECT_EQ(answer["conditions"]["summer_ventilation_dry_bulb"], "24.5");
  EXPECT_EQ(answer["conditions"]["summer_pressure"], "100.325");
  EXPECT_EQ(keys(answer["conditions"]["cooling"][0]), (Names{"percent", "dry_bulb", "wet_bulb"}));
  EXPECT_EQ(answer["conditions"]["cooling"][0]["dry_bulb"], "34.5") << "the hottest of 21";
  EXPECT_EQ(keys(answer["conditions"]["dehumidification"][2]),
            (Names{"percent", "dew_point", "moisture", "dry_bulb"}));
  EXPECT_EQ(answer["conditions"]["heating"][1]["percent"], "99");
  EXPECT_EQ(keys(answer["outdoor"]), (Names{"summer", "winter"}));
  EXPECT_TRUE(answer["outdoor"]["summer"].is_null());
  EXPECT_TRUE(answer["outdoor"]["winter"].is_null());
  ASSERT_EQ(answer["zones"].size(), 7u);
  EXPECT_EQ(keys(answer["zones"][0]), (Names{"name", "hours", "share"}));
  EXPECT_EQ(answer["zones"][0]["name"], "GB 50736 供冷 I级");
  EXPECT_EQ(answer["zones"][0]["hours"], 0);
  EXPECT_EQ(answer["zones"][0]["share"], "0");

  ClimateOptions options;
  options.user_zone = ParseZone("dry_bulb=..40");
  const auto with_zone = nlohmann::ordered_json::parse(ClimateJson(record, options));
  EXPECT_EQ(with_zone["zones"][7]["name"], "自定义区域");
  EXPECT_EQ(with_zone["zones"][7]["hours"], 21);
  EXPECT_EQ(with_zone["zones"][7]["share"], "100");
}

TEST(ClimateAnswer, OutdoorStatesAreWrittenAsDesignPoints) {
  ClimateReport report;
  report.conditions.figures = {{"summer_dry_bulb", "", "", "34.8"},
                               {"summer_wet_bulb", "", "", "26.7"},
                               {"summer_pressure", "", "", "101.325"}};
  report.outdoor = OutdoorStatesOf(report.conditions);
  const auto answer = nlohmann::ordered_json::parse(ClimateJson(report));
  const auto& summer = answer["outdoor"]["summer"];
  EXPECT_EQ(summer["pressure"], "101.325");
  EXPECT_EQ(summer["name"], "W");
  EXPECT_EQ(summer["inputs"], (nlohmann::ordered_json{{"dry_bulb", "34.8"}, {"wet_bulb", "26.7"}}));
  EXPECT_EQ(summer["fields"],
            (nlohmann::ordered_json{"34.8", "26.7", "52.92", "23.76", "18.6", "82.66"}));
  EXPECT_EQ(summer["messages"], nlohmann::ordered_json::array());
  EXPECT_EQ(summer["volume"], 0.8983426986321911) << "as the design example's W";
  EXPECT_TRUE(answer["outdoor"]["winter"].is_null());
}

}  // namespace
}  // namespace tarvel::climate
