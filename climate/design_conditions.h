#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "climate/weather_record.h"

namespace tarvel::climate {

// One figure of the outdoor design conditions: its key in the JSON answer, its name and unit in
// the report, and its text as the window writes a number (nullopt where the record cannot give
// it: too few hours or days with a state).
struct ConditionFigure {
  std::string_view key;
  std::string_view name;
  std::string_view unit;
  std::optional<std::string> text;
};

// The figures of one annual percentile, its `percent` as a text ("0.4", "99.6").
struct PercentileFigures {
  std::string percent;
  std::vector<ConditionFigure> figures;
};

struct DesignConditions {
  int years = 1;  // N, the whole years of the record
  std::optional<int> hottest_month;
  std::optional<int> coldest_month;
  // The conditions of GB 50736-2012 §4.1 and the two pressures, in this order: summer_dry_bulb,
  // summer_wet_bulb, summer_daily_mean, summer_ventilation_dry_bulb,
  // summer_ventilation_rel_humidity, summer_pressure, winter_dry_bulb, winter_rel_humidity,
  // heating_dry_bulb, winter_ventilation_dry_bulb, winter_pressure.
  std::vector<ConditionFigure> figures;
  // The annual percentiles: cooling 0.4, 1 and 2 % (dry_bulb with its mean coincident wet_bulb),
  // evaporation 0.4, 1, 2 % (wet_bulb, dry_bulb), dehumidification 0.4, 1, 2 % (dew_point,
  // moisture, dry_bulb), heating 99.6 and 99 % (dry_bulb).
  std::vector<PercentileFigures> cooling;
  std::vector<PercentileFigures> evaporation;
  std::vector<PercentileFigures> dehumidification;
  std::vector<PercentileFigures> heating;

  // The text of the figure with that key (nullopt when it has none or there is no such key).
  std::optional<std::string> Figure(std::string_view key) const;
};

// The outdoor design conditions of the whole record, from the field values of its hours with a
// state (the statistics are stated in docs/climate.md):
// - "not exceeded by more than k hours a year on average" is the (⌊k·N⌋+1)-th largest value;
//   "below on at most k days" the (⌊k·N⌋+1)-th smallest daily mean (DailyMeanDryBulbs);
// - the hottest and the coldest month are the calendar months of the highest and the lowest mean
//   dry bulb; their means, the ventilation figures of the hottest month's 14:00 hours and the
//   pressures are means in file order;
// - the annual percentiles rank the H hours with a state: ⌊p·H/100⌋+1 from the top (or from
//   the bottom for heating), with the means of the other figures over the hours that have
//   exactly the ranked value.
// Temperatures and humidities are written as the window writes a number (two decimals), the
// pressures in kPa to three decimals.
DesignConditions DesignConditionsOf(const WeatherRecord& record);

struct StateColumns;
// The same with the record's hours with a state, column by column, already at hand.
DesignConditions DesignConditionsOf(const WeatherRecord& record, const StateColumns& columns);

// The annual percentiles alone, for DesignConditionsOf.
void AddAnnualPercentiles(const StateColumns& columns, DesignConditions& conditions);

}  // namespace tarvel::climate
