// What a front end's form hands the climate layer and what its density's legend shows: the user's
// zone from the texts of its limits, the PMV settings from their texts, the bands of hours per
// cell, and the round grid of cells over the chart.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "climate/climate_error.h"
#include "climate/density_bands.h"
#include "climate/density_grid.h"
#include "climate/pmv_text.h"
#include "climate/zone_text.h"

namespace tarvel::climate {
namespace {

// The refusal of `read`, or "" when it was taken.
template <typename Read>
std::string Refusal(Read read) {
  try {
    read();
  } catch (const ClimateError& e) {
    return e.what();
  }
  return "";
}

TEST(ClimateForm, TheUsersZoneIsMadeFromTheTextsOfItsLimits) {
  const std::optional<Zone> zone =
      ZoneFromLimits({{{" 20", "26 "}, {"", "60"}, {"-5.5", ""}, {"1", "2"}}});
  ASSERT_TRUE(zone);
  EXPECT_EQ(zone->name, "自定义区域");
  EXPECT_EQ(*zone, ParseZone("dry_bulb=20..26,rel_humidity=..60,dew_point=-5.5..,moisture=1..2"))
      << "the same zone as tarvel-climate --zone reads";
  EXPECT_EQ(ZoneFromLimits({{{"", ""}, {" ", "\t"}, {"", ""}, {"", ""}}}), std::nullopt)
      << "no limit, no zone";
  EXPECT_EQ(ZoneFromLimits({{{"20", "20"}, {}, {}, {}}})->dry_bulb, (Limits{20, 20}));
  const struct {
    std::array<LimitTexts, 4> limits;
    std::string refusal;
  } refused[] = {
      {{{{"a", ""}, {}, {}, {}}}, "自定义区域：干球温度下限“a”不是数"},
      {{{{}, {"", "60%"}, {}, {}}}, "自定义区域：相对湿度上限“60%”不是数"},
      {{{{}, {}, {"1,5", ""}, {}}}, "自定义区域：露点温度下限“1,5”不是数"},
      {{{{}, {}, {}, {"3", "2"}}}, "自定义区域：含湿量的下限大于上限"},
      {{{{"<b>1</b>", ""}, {}, {}, {}}}, "自定义区域：干球温度下限“<b>1</b>”不是数"},
  };
  for (const auto& c : refused)
    EXPECT_EQ(Refusal([&] { ZoneFromLimits(c.limits); }), c.refusal);
  const std::string long_text(10'000'000, '9');
  const std::string refusal = Refusal([&] {
    ZoneFromLimits({{{long_text + "x", ""}, {}, {}, {}}});
  });
  EXPECT_LT(refusal.size(), 200u) << "a text of 10^7 characters is quoted cut short";
}

TEST(ClimateForm, PmvSettingsAreReadFromTheirTexts) {
  const PmvSettings settings = PmvSettingsOf(" 1.0", "0.61 ", "0");
  EXPECT_EQ(settings.met, 1.0);
  EXPECT_EQ(settings.clo, 0.61);
  EXPECT_EQ(settings.air_speed, 0);
  EXPECT_EQ(settings.radiant, std::nullopt) << "the mean radiant temperature is the dry bulb";
  EXPECT_EQ(PmvSettingsOf("1.2", "0", "0.1").clo, 0) << "no clothing";
  const struct {
    std::string met, clo, speed, refusal;
  } refused[] = {
      {"0", "0.5", "0.1", "代谢率“0”应是大于 0 的数"},
      {"", "0.5", "0.1", "代谢率“”应是大于 0 的数"},
      {"1.2", "-0.1", "0.1", "服装热阻“-0.1”应是不小于 0 的数"},
      {"1.2", "0.5", "nan", "风速“nan”应是不小于 0 的数"},
      {"1.2", "0.5", "1e400", "风速“1e400”应是不小于 0 的数"},
      {"1,2", "0.5", "0.1", "代谢率“1,2”应是大于 0 的数"},
      {"&H10", "0.5", "0.1", "代谢率“&H10”应是大于 0 的数"},
  };
  for (const auto& c : refused)
    EXPECT_EQ(Refusal([&] { PmvSettingsOf(c.met, c.clo, c.speed); }), c.refusal);
}

TEST(DensityLegend, BandsBeginAtRoundCountsAndEndAtTheFullestCell) {
  const struct {
    std::int64_t most;
    std::string bands;
  } cases[] = {
      {0, ""},
      {1, "1"},
      {2, "1 2"},
      {4, "1 2–4"},
      {5, "1 2–4 5"},
      {120, "1 2–4 5–9 10–19 20–49 50–99 100–120"},
      {499, "1 2–4 5–9 10–19 20–49 50–99 100–199 200–499"},  // eight bands of 1-2-5
      {500, "1–2 3–9 10–29 30–99 100–299 300–500"},          // 1-2-5 would need nine: 1-3
      {9999, "1–2 3–9 10–29 30–99 100–299 300–999 1000–2999 3000–9999"},
      {10000, "1–9 10–99 100–999 1000–9999 10000"},  // 1-3 would need nine: decades
      {262800, "1–9 10–99 100–999 1000–9999 10000–99999 100000–262800"},
  };
  for (const auto& c : cases) {
    const std::vector<DensityBand> bands = DensityBands(c.most);
    std::string texts;
    for (const DensityBand& band : bands) {
      if (!texts.empty())
        texts += ' ';
      texts += BandText(band);
    }
    EXPECT_EQ(texts, c.bands) << "the fullest cell holds " << c.most;
    EXPECT_LE(bands.size(), kMostBands);
    // Every count from 1 to the fullest lies in exactly the band that holds it.
    for (std::int64_t count = 1; count <= std::min<std::int64_t>(c.most, 20000); ++count) {
      const int band = BandOf(bands, count);
      ASSERT_GE(band, 0) << count;
      EXPECT_LE(bands[band].lowest, count);
      EXPECT_GE(bands[band].highest, count) << count << " of " << c.most;
    }
  }
  EXPECT_EQ(BandOf(DensityBands(10), 0), -1) << "an empty cell has no band";
}

TEST(DensityLegend, TheGridHasRoundCellsThatCoverTheBox) {
  const struct {
    chart::PlaneBox box;
    int most_columns, most_rows;
    double width, height;
    int columns, rows;
    chart::PlaneBox covered;
  } cases[] = {
      // The t–d chart's default range on a plot of about 600 × 450 pixels, cells of 6 pixels.
      {{-20, 50, 0, 30}, 100, 75, 1, 0.5, 70, 60, {-20, 50, 0, 30}},
      {{-20, 50, 0, 30}, 70, 60, 1, 0.5, 70, 60, {-20, 50, 0, 30}},
      {{-20, 50, 0, 30}, 69, 59, 2, 1, 35, 30, {-20, 50, 0, 30}},
      // Edges that are no multiple of the size are widened to the next multiples.
      {{-20.1, 52.3, -1.25, 57.9}, 40, 12, 2, 10, 38, 7, {-22, 54, -10, 60}},
      {{0.25, 0.75, 100, 1000}, 10, 1, 0.05, 1000, 10, 1, {0.25, 0.75, 0, 1000}},
  };
  for (const auto& c : cases) {
    const RoundGrid grid = RoundCells(c.box, c.most_columns, c.most_rows);
    SCOPED_TRACE(std::to_string(c.box.x_min) + " to " + std::to_string(c.box.x_max));
    EXPECT_EQ(grid.width, c.width);
    EXPECT_EQ(grid.height, c.height);
    EXPECT_EQ(grid.columns, c.columns);
    EXPECT_EQ(grid.rows, c.rows);
    EXPECT_EQ(grid.box.x_min, c.covered.x_min);
    EXPECT_EQ(grid.box.x_max, c.covered.x_max);
    EXPECT_EQ(grid.box.y_min, c.covered.y_min);
    EXPECT_EQ(grid.box.y_max, c.covered.y_max);
    EXPECT_LE(grid.columns, c.most_columns);
    EXPECT_LE(grid.rows, c.most_rows);
  }
  for (const chart::PlaneBox empty :
       {chart::PlaneBox{1, 1, 0, 1}, chart::PlaneBox{0, 1, 2, 1}, chart::PlaneBox{0, NAN, 0, 1},
        chart::PlaneBox{0, 1, 0, INFINITY}})
    EXPECT_EQ(RoundCells(empty, 10, 10).columns, 0);
  EXPECT_EQ(RoundCells({0, 1, 0, 1}, 0, 10).columns, 0) << "no cell across";
}

}  // namespace
}  // namespace tarvel::climate
