// The outdoor design conditions on records whose values are worked out by hand: each rank at its
// edge (⌊k·N⌋ and ⌊k·N⌋+1 values above), ties, whole days only, the hottest and coldest months,
// the 14:00 hours, the pressures, the annual percentiles with their coincident means, and the
// outdoor states the calculate command completes from them.
#include <gtest/gtest.h>

#include "climate/design_conditions.h"
#include "climate/outdoor_states.h"
#include "climate/rank_statistics.h"
#include "weather_texts.h"

namespace tarvel::climate {
namespace {

using testing_support::AddDays;
using testing_support::StateHour;
using testing_support::StateValues;

// `hot` hours at 40 ℃ among `hours` hours at 10 ℃ (July), wet bulbs alike at 30 and 5.
WeatherRecord HotHours(int hours, int hot) {
  WeatherRecord record;
  for (int i = 0; i < hours; ++i) {
    StateValues v;
    v.day = 1 + i / 24 % 28;
    v.hour = 1 + i % 24;
    v.t = i < hot ? 40 : 10;
    v.tw = i < hot ? 30 : 5;
    record.hours.push_back(StateHour(v));
  }
  return record;
}

TEST(ClimateConditions, FiftyHoursAYearIsTheRankAfterFiftyTimesTheYears) {
  const struct {
    int hours, hot;
    std::string expected;
  } cases[] = {
      {100, 50, "10"},    {100, 51, "40"},  // N = 1: the 51st largest
      {8760, 50, "10"},   {8760, 51, "40"},
      {17520, 100, "10"}, {17520, 101, "40"},  // N = 2: the 101st largest
      {50, 50, ""},                            // fewer than 51 hours: no value
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.hot) + " hot of " + std::to_string(c.hours) + " hours");
    const DesignConditions conditions = DesignConditionsOf(HotHours(c.hours, c.hot));
    EXPECT_EQ(conditions.Figure("summer_dry_bulb").value_or(""), c.expected);
    EXPECT_EQ(conditions.Figure("summer_wet_bulb").value_or(""), c.expected.empty()   ? ""
                                                                 : c.expected == "40" ? "30"
                                                                                      : "5");
  }
}

TEST(ClimateConditions, RanksCountTiedValuesOneByOne) {
  EXPECT_EQ(RankOfYearlyAllowance(50, 1), 51u);
  EXPECT_EQ(RankOfYearlyAllowance(5, 30), 151u);
  EXPECT_EQ(RankOfPercent(4, 250), 2u) << "0.4 % of 250 hours is exactly 1";
  EXPECT_EQ(RankOfPercent(4, 249), 1u);
  EXPECT_EQ(RankOfPercent(10, 8760), 88u);
  EXPECT_EQ(RankOfPercent(4, 8760), 36u);
  const std::vector<double> values = {30, 20, 30, 20, 20, 10};
  const std::optional<double> expected[] = {30, 30, 20, 20, 20, 10, std::nullopt};
  for (std::size_t rank = 1; rank <= 7; ++rank) {
    EXPECT_EQ(LargestAt(values, rank), expected[rank - 1]) << "rank " << rank;
    EXPECT_EQ(SmallestAt(values, rank), rank <= 6 ? expected[6 - rank] : std::nullopt)
        << "rank " << rank << " from below";
  }
  EXPECT_EQ(LargestAt(values, 0), std::nullopt);
}

TEST(ClimateConditions, DailyMeansTakeWholeDaysOnlyAndAreWrittenWithTwoDecimals) {
  WeatherRecord record;
  // Ten whole July days with means 1 to 10, then a day of 23 hours and a day with a missing hour,
  // both far hotter, which take no part. Summer: the 6th largest mean (5 days a year); winter:
  // the 2nd smallest (1 day); heating: the 6th smallest (5 days).
  for (int day = 1; day <= 10; ++day)
    AddDays(record, 1, day, 7, day);
  AddDays(record, 1, 50, 7, 11);
  record.hours.pop_back();
  AddDays(record, 1, 60, 7, 12);
  record.hours[record.hours.size() - 5].status = HourStatus::Missing;
  DesignConditions conditions = DesignConditionsOf(record);
  EXPECT_EQ(conditions.Figure("summer_daily_mean"), "5");
  EXPECT_EQ(conditions.Figure("winter_dry_bulb"), "2");
  EXPECT_EQ(conditions.Figure("heating_dry_bulb"), "6");

  // A day whose mean is 3/24 = 0.125 exactly: written 0.12, ties to even.
  WeatherRecord eighth;
  AddDays(eighth, 6, 1, 1);
  for (int hour = 0; hour < 21; ++hour)
    eighth.hours[hour].values[FieldIndex(AirField::DryBulb)] = 0;
  EXPECT_EQ(DesignConditionsOf(eighth).Figure("summer_daily_mean"), "0.12");
  EXPECT_EQ(DesignConditionsOf(eighth).Figure("winter_dry_bulb"), "1");
}

TEST(ClimateConditions, HottestAndColdestMonthsGiveTheVentilationFiguresAndPressures) {
  WeatherRecord record;
  const auto add = [&](int month, int hour, double t, double phi, double pressure) {
    record.hours.push_back(
        StateHour({.month = month, .hour = hour, .t = t, .phi = phi, .pressure = pressure}));
  };
  add(1, 14, -5, 70, 102.5);  // January: mean −4, the coldest
  add(1, 3, -3, 66, 102.25);
  add(7, 14, 33, 50, 99.5);  // July: mean 30.5, the hottest
  add(7, 14, 34, 60, 100.25);
  add(7, 24, 25, 90, 100);   // hour 24 is 0:00, not 14:00
  add(8, 14, 30.5, 40, 90);  // August: mean 30.5 too, later on the tie
  add(4, 14, 15, 50, 95);
  const DesignConditions conditions = DesignConditionsOf(record);
  EXPECT_EQ(conditions.hottest_month, 7);
  EXPECT_EQ(conditions.coldest_month, 1);
  EXPECT_EQ(conditions.Figure("summer_ventilation_dry_bulb"), "33.5");
  EXPECT_EQ(conditions.Figure("summer_ventilation_rel_humidity"), "55");
  EXPECT_EQ(conditions.Figure("summer_pressure"), "99.917") << "(99.5 + 100.25 + 100) / 3";
  EXPECT_EQ(conditions.Figure("winter_ventilation_dry_bulb"), "-4");
  EXPECT_EQ(conditions.Figure("winter_rel_humidity"), "68");
  EXPECT_EQ(conditions.Figure("winter_pressure"), "102.375");
  EXPECT_EQ(conditions.Figure("winter_dry_bulb"), std::nullopt) << "no whole day";
}

TEST(ClimateConditions, AnnualPercentilesRankTheHoursAndAverageTheirCompanions) {
  // 251 hours with a state: ranks ⌊0.4·251/100⌋+1 = 2, ⌊1·251/100⌋+1 = 3, ⌊2·251/100⌋+1 = 6.
  // 249 of them at 10.1 to 34.9 ℃, all different, and the two hottest sharing a dry bulb of
  // 40 ℃ with different wet bulbs. A third at 40 ℃ ended with a message and takes no part.
  WeatherRecord record;
  for (int i = 1; i < 250; ++i) {
    StateValues v;
    v.t = (100 + i) / 10.0;
    v.tw = 5;
    v.td = 0;
    v.d = 4;
    record.hours.push_back(StateHour(v));
  }
  for (const double wet_bulb : {20.0, 21.0, 35.0}) {
    StateValues v;
    v.t = 40;
    v.tw = wet_bulb;
    v.td = 18;
    v.d = wet_bulb == 20 ? 12 : 13;
    record.hours.push_back(StateHour(v));
  }
  record.hours.back().status = HourStatus::Message;
  const DesignConditions conditions = DesignConditionsOf(record);
  ASSERT_EQ(conditions.cooling.size(), 3u);
  const auto figure = [](const PercentileFigures& row, std::string_view key) {
    for (const ConditionFigure& f : row.figures) {
      if (f.key == key)
        return f.text.value_or("none");
    }
    return std::string("no key");
  };
  EXPECT_EQ(conditions.cooling[0].percent, "0.4");
  EXPECT_EQ(figure(conditions.cooling[0], "dry_bulb"), "40");
  EXPECT_EQ(figure(conditions.cooling[0], "wet_bulb"), "20.5") << "the mean of both at 40";
  EXPECT_EQ(figure(conditions.cooling[1], "dry_bulb"), "34.9") << "rank 3";
  EXPECT_EQ(figure(conditions.cooling[1], "wet_bulb"), "5");
  EXPECT_EQ(figure(conditions.cooling[2], "dry_bulb"), "34.6") << "rank 6";
  EXPECT_EQ(figure(conditions.evaporation[0], "wet_bulb"), "20");
  EXPECT_EQ(figure(conditions.evaporation[0], "dry_bulb"), "40");
  EXPECT_EQ(figure(conditions.dehumidification[0], "dew_point"), "18");
  EXPECT_EQ(figure(conditions.dehumidification[0], "moisture"), "12.5");
  EXPECT_EQ(figure(conditions.dehumidification[0], "dry_bulb"), "40");
  EXPECT_EQ(figure(conditions.dehumidification[2], "dew_point"), "0");
  EXPECT_EQ(figure(conditions.dehumidification[2], "moisture"), "4");
  EXPECT_EQ(conditions.heating[0].percent, "99.6");
  EXPECT_EQ(figure(conditions.heating[0], "dry_bulb"), "10.2") << "2nd smallest";
  EXPECT_EQ(conditions.heating[1].percent, "99");
  EXPECT_EQ(figure(conditions.heating[1], "dry_bulb"), "10.3") << "3rd smallest";
}

TEST(ClimateConditions, OutdoorStatesAreCompletedFromTheConditionTexts) {
  DesignConditions conditions;
  conditions.figures = {
      {"summer_dry_bulb", "", "", "34.8"},    {"summer_wet_bulb", "", "", "26.7"},
      {"summer_pressure", "", "", "101.325"}, {"winter_dry_bulb", "", "", "20"},
      {"winter_rel_humidity", "", "", "50"},  {"winter_pressure", "", "", "101.325"}};
  const OutdoorStates states = OutdoorStatesOf(conditions);
  ASSERT_TRUE(states.summer && states.winter);
  EXPECT_EQ(states.summer->pressure, "101.325");
  EXPECT_EQ(states.summer->point.name, "W");
  EXPECT_EQ(states.summer->point.inputs,
            (std::vector<std::pair<AirField, std::string>>{{AirField::DryBulb, "34.8"},
                                                           {AirField::WetBulb, "26.7"}}));
  EXPECT_EQ(states.summer->point.fields,
            (std::array<std::string, 6>{"34.8", "26.7", "52.92", "23.76", "18.6", "82.66"}));
  EXPECT_EQ(states.winter->point.fields,
            (std::array<std::string, 6>{"20", "13.9", "50", "9.28", "7.26", "38.52"}));
  conditions.figures[1].text.reset();
  EXPECT_FALSE(OutdoorStatesOf(conditions).summer) << "no wet bulb, no summer state";
}

}  // namespace
}  // namespace tarvel::climate
