// Zones and filters: which hours lie in each zone (bounds included), the user's zone as typed,
// months and hours with wrap-around, the counts and shares, the outlines on the chart and the
// density of hours per cell.
#include <gtest/gtest.h>

#include <cmath>

#include "climate/climate_error.h"
#include "climate/density_grid.h"
#include "climate/saturation_moisture.h"
#include "climate/zone_counts.h"
#include "climate/zone_outline.h"
#include "climate/zone_text.h"
#include "physics/moist_air.h"
#include "weather_texts.h"

namespace tarvel::climate {
namespace {

using testing_support::StateHour;

WeatherHour Air(double t, double phi, double td = 10, double d = 7, int month = 7, int hour = 14) {
  return StateHour({.month = month, .hour = hour, .t = t, .phi = phi, .td = td, .d = d});
}

TEST(ClimateZones, BuiltInZonesHoldTheirBoundsIncluded) {
  const std::vector<Zone>& zones = BuiltInZones();
  ASSERT_EQ(zones.size(), 7u);
  const std::string names[] = {"GB 50736 供冷 I级", "GB 50736 供冷 II级",
                               "GB 50736 供热 I级", "GB 50736 供热 II级",
                               "GB 50174 数据中心", "PMV I级",
                               "PMV II级"};
  for (std::size_t i = 0; i < 7; ++i)
    EXPECT_EQ(zones[i].name, names[i]);
  const struct {
    double t, phi, td;
    std::string inside;  // one mark per built-in zone but the PMV ones: 1 inside, 0 not
  } cases[] = {
      {24, 40, 10, "10101"},    {26, 60, 10, "11001"},    {26, 70, 10, "01000"},
      {28, 70, 10, "01000"},    {28.01, 50, 10, "00000"}, {25, 39.99, 10, "00001"},
      {22, 30, 10, "00111"},    {22, 29.99, 10, "00011"}, {18, 95, 10, "00010"},
      {17.99, 50, 10, "00000"}, {18, 60, 5.5, "00011"},   {27, 60, 15, "01001"},
      {27, 60.01, 15, "01000"}, {20, 50, 5.49, "00010"},  {20, 50, 15.01, "00010"},
  };
  for (const auto& c : cases) {
    const WeatherHour hour = Air(c.t, c.phi, c.td);
    std::string inside;
    for (std::size_t i = 0; i < 5; ++i)
      inside += InZone(zones[i], hour, std::nullopt) ? '1' : '0';
    EXPECT_EQ(inside, c.inside) << c.t << " ℃, " << c.phi << " %, dew point " << c.td << " ℃";
  }
  EXPECT_TRUE(InZone(zones[5], Air(25, 50), Pmv{0.5, 10}));
  EXPECT_FALSE(InZone(zones[5], Air(25, 50), Pmv{-0.51, 10}));
  EXPECT_TRUE(InZone(zones[6], Air(25, 50), Pmv{-1, 26}));
  EXPECT_FALSE(InZone(zones[6], Air(25, 50), std::nullopt)) << "no PMV, not in a PMV zone";
}

TEST(ClimateZones, TheUsersZoneIsReadFromItsText) {
  const Zone zone =
      ParseZone(" dry_bulb = 20..26 ;rel_humidity=..60,露点温度=-5.5.., moisture=1..2");
  EXPECT_EQ(zone.name, "自定义区域");
  EXPECT_EQ(zone.dry_bulb, (Limits{20, 26}));
  EXPECT_EQ(zone.rel_humidity, (Limits{std::nullopt, 60}));
  EXPECT_EQ(zone.dew_point, (Limits{-5.5, std::nullopt}));
  EXPECT_EQ(zone.moisture, (Limits{1, 2}));
  EXPECT_EQ(ZoneLimitsText(zone),
            "干球温度 20~26 ℃，相对湿度 ≤60 %，露点温度 ≥-5.5 ℃，含湿量 1~2 g/kg");
  EXPECT_EQ(ParseZone("moisture_content=..12").moisture, (Limits{std::nullopt, 12}));
  const struct {
    std::string text, why;
  } refused[] = {
      {"", "没有给出任何界限"},
      {"dry_bulb=20", "不是“名称=下限..上限”"},
      {"enthalpy=20..30", "不是可限定的参数"},
      {"dry_bulb=26..20", "干球温度的下限大于上限"},
      {"dry_bulb=..", "干球温度没有上限也没有下限"},
      {"dry_bulb=a..20", "“a”不是数"},
      {"dry_bulb=20..,干球温度=..26", "给了两次干球温度"},
  };
  for (const auto& c : refused) {
    try {
      ParseZone(c.text);
      ADD_FAILURE() << "\"" << c.text << "\" was taken";
    } catch (const ClimateError& e) {
      EXPECT_NE(std::string(e.what()).find(c.why), std::string::npos) << e.what();
    }
  }
}

TEST(ClimateZones, MonthsAndHoursWrapAroundTheYearAndTheDay) {
  const struct {
    std::string months, hours;
    std::string selected;  // of the hours below: Jan 0:00, Feb 6:00, Jun 8:00, Aug 18:00, Nov 23:00
  } cases[] = {
      {"1-12", "0-23", "11111"}, {"6-8", "0-23", "00110"},  {"11-2", "0-23", "11001"},
      {"7", "0-23", "00000"},    {"1-12", "8-18", "00110"}, {"1-12", "22-6", "11001"},
      {"1-12", "24", "10000"},   {"1-12", "1-24", "11111"}, {"1-12", "0-24", "11111"},
      {"3-2", "0-23", "11111"},
  };
  const std::pair<int, int> hours[] = {{1, 24}, {2, 6}, {6, 8}, {8, 18}, {11, 23}};
  for (const auto& c : cases) {
    const HourFilter filter{ParseMonthRange(c.months), ParseHourRange(c.hours)};
    std::string selected;
    for (const auto& [month, hour] : hours)
      selected += filter.Selects(Air(20, 50, 10, 7, month, hour)) ? '1' : '0';
    EXPECT_EQ(selected, c.selected) << "--month " << c.months << " --hour " << c.hours;
  }
  EXPECT_EQ(FilterText({}), "全年");
  EXPECT_EQ(FilterText({ParseMonthRange("11-2"), ParseHourRange("8-18")}), "11-2 月，8-18 时");
  for (const std::string bad : {"0", "13", "6-", "-8", "a", "6-8-9", ""})
    EXPECT_THROW(ParseMonthRange(bad), ClimateError) << bad;
  for (const std::string bad : {"25", "8-25", "x", ""})
    EXPECT_THROW(ParseHourRange(bad), ClimateError) << bad;
}

TEST(ClimateZones, CountsAndSharesOfTheSelectedHours) {
  WeatherRecord record;
  for (const double t : {25.0, 25.0, 25.0, 30.0, 30.0, 30.0})
    record.hours.push_back(Air(t, 50));
  record.hours.push_back(Air(25, 50, 10, 7, 1));  // January: filtered out below
  record.hours.push_back(Air(25, 50));
  record.hours.back().status = HourStatus::Message;  // takes no part
  const Zone warm = ParseZone("dry_bulb=24..26");
  const std::vector<Zone> zones = {warm, ParseZone("dry_bulb=29..")};
  const ZoneCounts all = CountZones(record, {}, zones, {});
  EXPECT_EQ(all.selected, 7);
  EXPECT_EQ(all.zones[0].hours, 4);
  EXPECT_EQ(all.zones[0].share, "57.14") << "400/7";
  const ZoneCounts july = CountZones(record, {ParseMonthRange("7"), kEveryHour}, zones, {});
  EXPECT_EQ(july.selected, 6);
  EXPECT_EQ(july.zones[0].hours, 3);
  EXPECT_EQ(july.zones[0].share, "50");
  EXPECT_EQ(july.zones[1].share, "50");
  const ZoneCounts none = CountZones(record, {ParseMonthRange("3"), kEveryHour}, zones, {});
  EXPECT_EQ(none.selected, 0);
  EXPECT_EQ(none.zones[0].share, std::nullopt);
}

TEST(ClimateZones, OutlinesKeepToTheirLimitsAndUnderSaturation) {
  const double pressure = 101.325;
  const chart::ChartRange range = chart::kDefaultRange;
  for (const Zone& zone : BuiltInZones()) {
    SCOPED_TRACE(zone.name);
    const std::vector<chart::StatePoint> outline = ZoneOutline(zone, pressure, range, {});
    ASSERT_GE(outline.size(), 4u);
    for (const chart::StatePoint& p : outline) {
      EXPECT_LE(p.d, MoistureAtRelHumidity(p.t, 100, pressure) + 1e-9) << p.t << ", " << p.d;
      EXPECT_GE(p.d, 0);
      if (zone.dry_bulb.Any()) {
        EXPECT_TRUE(zone.dry_bulb.Holds(p.t)) << p.t;
      }
      if (zone.rel_humidity.upper) {
        EXPECT_LE(p.d, MoistureAtRelHumidity(p.t, *zone.rel_humidity.upper, pressure) + 1e-9);
      }
      if (zone.rel_humidity.lower) {
        EXPECT_GE(p.d, MoistureAtRelHumidity(p.t, *zone.rel_humidity.lower, pressure) - 1e-9);
      }
      if (zone.pmv_within) {
        // On the warm or cool edge, or on the saturation curve.
        const std::optional<Pmv> pmv =
            PmvFromVapourPressure(p.t, PvFromMoisture(p.d, pressure), {});
        ASSERT_TRUE(pmv);
        const bool on_edge = std::fabs(std::fabs(pmv->pmv) - *zone.pmv_within) < 1e-6;
        const bool on_saturation =
            std::fabs(p.d - MoistureAtRelHumidity(p.t, 100, pressure)) < 1e-3;
        EXPECT_TRUE(on_edge || on_saturation) << p.t << " ℃, " << p.d << " g/kg: " << pmv->pmv;
      }
    }
  }
  const std::vector<chart::StatePoint> cooling =
      ZoneOutline(BuiltInZones()[0], pressure, range, {});
  EXPECT_EQ(cooling.front().t, 24);
  EXPECT_EQ(cooling.front().d, MoistureAtRelHumidity(24, 60, pressure)) << "upper left corner";
  EXPECT_EQ(cooling.back().t, 24);
  EXPECT_EQ(cooling.back().d, MoistureAtRelHumidity(24, 40, pressure)) << "lower left corner";
  // Above its dew point limit of 15 ℃ the data centre's zone is cut off by that moisture content.
  const double dew15 = MoistureAtDewPoint(15, pressure);
  for (const chart::StatePoint& p : ZoneOutline(BuiltInZones()[4], pressure, range, {}))
    EXPECT_LE(p.d, dew15);
  EXPECT_TRUE(ZoneOutline(ParseZone("dry_bulb=60..70"), pressure, range, {}).empty())
      << "beyond the range";
  EXPECT_TRUE(ZoneOutline(ParseZone("dry_bulb=0..5,moisture=20.."), pressure, range, {}).empty())
      << "above saturation";
}

TEST(ClimateZones, DensityCountsEachSelectedHourInItsCell) {
  WeatherRecord record;
  const auto add = [&](double t, double d, int month = 7) {
    record.hours.push_back(Air(t, 50, 10, d, month));
  };
  add(0, 0);        // the lower left corner: cell (0, 0)
  add(9.99, 4.99);  // still cell (0, 0)
  add(10, 5);       // an inner edge: the cell above and to the right, (1, 1)
  add(40, 20);      // the upper right corner: the last cell, (3, 3)
  add(40.01, 10);   // outside
  add(20, 10, 1);   // January: filtered out
  const DensityGrid grid =
      CountDensity(record, {ParseMonthRange("7"), kEveryHour},
                   chart::ChartLayout::TemperatureMoisture, {0, 40, 0, 20}, 4, 4);
  EXPECT_EQ(grid.counts,
            (std::vector<std::int64_t>{2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(grid.outside, 1);
  EXPECT_EQ(grid.most, 2);
  const DensityGrid empty =
      CountDensity(record, {}, chart::ChartLayout::EnthalpyMoisture, {0, 0, 0, 1}, 4, 4);
  EXPECT_TRUE(empty.counts.empty());
  EXPECT_EQ(empty.outside, 6);
}

}  // namespace
}  // namespace tarvel::climate
