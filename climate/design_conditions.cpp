#include "climate/design_conditions.h"

#include "climate/rank_statistics.h"
#include "climate/record_means.h"
#include "climate/record_notes.h"
#include "panel/number_text.h"
#include "panel/rounded_text.h"

namespace tarvel::climate {
namespace {

// Hours and days a year that the design values may be exceeded by (or fall below), as GB 50736
// counts them.
constexpr int kSummerHours = 50;
constexpr int kSummerDays = 5;
constexpr int kWinterDays = 1;
constexpr int kHeatingDays = 5;
// The summer ventilation figures are those of the hottest month's 14:00 hours.
constexpr int kVentilationClockHour = 14;
constexpr int kPressureDecimals = 3;

std::optional<std::string> Written(const std::optional<double>& value) {
  return value ? std::optional<std::string>(FormatNumber(*value)) : std::nullopt;
}

std::optional<std::string> Pressure(const std::optional<double>& kpa) {
  return kpa ? std::optional<std::string>(FormatRounded(*kpa, kPressureDecimals)) : std::nullopt;
}

std::optional<double> MonthMean(const StateColumns& columns, std::optional<int> month,
                                AirField field, int clock_hour = -1) {
  if (!month)
    return std::nullopt;
  return MeanOver(columns, field, [&](std::size_t i) {
    return columns.months[i] == *month && (clock_hour < 0 || columns.clock_hours[i] == clock_hour);
  });
}

}  // namespace

std::optional<std::string> DesignConditions::Figure(std::string_view key) const {
  for (const ConditionFigure& figure : figures) {
    if (figure.key == key)
      return figure.text;
  }
  return std::nullopt;
}

DesignConditions DesignConditionsOf(const WeatherRecord& record) {
  return DesignConditionsOf(record, StateColumnsOf(record));
}

DesignConditions DesignConditionsOf(const WeatherRecord& record, const StateColumns& columns) {
  DesignConditions conditions;
  const int years = WholeYears(static_cast<std::int64_t>(record.hours.size()));
  conditions.years = years;
  const HottestAndColdest months = HottestAndColdestMonths(columns);
  conditions.hottest_month = months.hottest;
  conditions.coldest_month = months.coldest;
  const std::vector<double> daily = DailyMeanDryBulbs(record);
  const auto hour_rank = [&](int k) { return RankOfYearlyAllowance(k, years); };

  conditions.figures = {
      {"summer_dry_bulb", "夏季空调室外计算干球温度", "℃",
       Written(LargestAt(columns.Of(AirField::DryBulb), hour_rank(kSummerHours)))},
      {"summer_wet_bulb", "夏季空调室外计算湿球温度", "℃",
       Written(LargestAt(columns.Of(AirField::WetBulb), hour_rank(kSummerHours)))},
      {"summer_daily_mean", "夏季空调室外计算日平均温度", "℃",
       Written(LargestAt(daily, hour_rank(kSummerDays)))},
      {"summer_ventilation_dry_bulb", "夏季通风室外计算温度", "℃",
       Written(MonthMean(columns, months.hottest, AirField::DryBulb, kVentilationClockHour))},
      {"summer_ventilation_rel_humidity", "夏季通风室外计算相对湿度", "%",
       Written(MonthMean(columns, months.hottest, AirField::RelHumidity, kVentilationClockHour))},
      {"summer_pressure", "夏季大气压力", "kPa",
       Pressure(MonthMean(columns, months.hottest, AirField::Pressure))},
      {"winter_dry_bulb", "冬季空调室外计算温度", "℃",
       Written(SmallestAt(daily, hour_rank(kWinterDays)))},
      {"winter_rel_humidity", "冬季空调室外计算相对湿度", "%",
       Written(MonthMean(columns, months.coldest, AirField::RelHumidity))},
      {"heating_dry_bulb", "供暖室外计算温度", "℃",
       Written(SmallestAt(daily, hour_rank(kHeatingDays)))},
      {"winter_ventilation_dry_bulb", "冬季通风室外计算温度", "℃",
       Written(MonthMean(columns, months.coldest, AirField::DryBulb))},
      {"winter_pressure", "冬季大气压力", "kPa",
       Pressure(MonthMean(columns, months.coldest, AirField::Pressure))},
  };
  AddAnnualPercentiles(columns, conditions);
  return conditions;
}

}  // namespace tarvel::climate
