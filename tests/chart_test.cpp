// The chart's lines, solved back through the calculator: a point of a line, typed as its dry bulb
// and moisture content, must give the line's own value in the fields. And the chart stays whole
// for any pressure text.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <span>
#include <string>

#include "chart/chart_curves.h"
#include "chart/chart_pick.h"
#include "chart/chart_plane.h"
#include "chart/chart_pressure.h"
#include "chart/chart_range.h"
#include "chart/ratio_protractor.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"
#include "solver/calculate_command.h"

namespace tarvel::chart {
namespace {

// Every digit of x, so that the calculator reads back the very double.
std::string Exact(double x) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, x).ptr);
}

std::string Describe(const Curve& curve, StatePoint p, const char* pressure) {
  return "kind " + std::to_string(static_cast<int>(curve.kind)) + " value " +
         FormatNumber(curve.value) + " at t " + Exact(p.t) + " d " + Exact(p.d) + ", " + pressure +
         " kPa";
}

// Each point of each relative-humidity curve, isotherm and enthalpy line, typed as its dry bulb
// and moisture content, gives the line's value. The relative humidity is the first thing the
// command writes, from exactly these two numbers, so it must show the curve's value itself. The
// enthalpy is written last, from the moisture content that the command re-derives from the
// psychrometer and writes rounded to two decimals (d'): it may differ from the line's by the
// final rounding (0.005) plus (1.84·t + 2500)/1000 kJ/kg for each g/kg by which d' differs from
// the point's d, and d' itself must be the point's d to two decimals (within 0.01).
TEST(ChartCurves, PointsOfEachLineSolveBackToItsValue) {
  for (const char* pressure : {"101.325", "84.556", "70"}) {
    int checked = 0, saturated_ends = 0;
    for (const Curve& curve : ChartCurves(kDefaultRange, ParseNumber(pressure))) {
      if (curve.kind == CurveKind::Moisture)
        continue;
      for (const StatePoint& p : curve.points) {
        if (FormatNumber(p.d) == "0")
          continue;
        const std::string where = Describe(curve, p, pressure);
        for (const ChartLayout layout :
             {ChartLayout::EnthalpyMoisture, ChartLayout::TemperatureMoisture}) {
          const StatePoint back = FromPlane(layout, ToPlane(layout, p));
          EXPECT_NEAR(back.t, p.t, 1e-9) << where;
          EXPECT_EQ(back.d, p.d) << where;
        }
        MemoryPanel panel({Exact(p.t), "", "", "", Exact(p.d), ""}, pressure,
                          MemoryPanel::Recording::On);
        if (RunCalculate(panel) != CalculateOutcome::Completed) {
          // Saturated air only: see above.
          EXPECT_EQ(panel.Text(AirField::RelHumidity), "100") << where;
          ASSERT_EQ(panel.Messages().size(), 1u) << where;
          EXPECT_EQ(panel.Messages()[0].text, "超出区域范围") << where;
          ++saturated_ends;
          if (curve.kind != CurveKind::Saturation)
            continue;
        }
        ++checked;
        switch (curve.kind) {
          case CurveKind::Saturation:
          case CurveKind::RelHumidity:
            EXPECT_EQ(panel.Text(AirField::RelHumidity), FormatNumber(curve.value)) << where;
            break;
          case CurveKind::Isotherm:
            EXPECT_EQ(p.t, curve.value) << where;
            break;
          case CurveKind::Enthalpy: {
            const double written_d = ParseNumber(panel.Text(AirField::MoistureContent));
            const double h = ParseNumber(panel.Text(AirField::Enthalpy));
            EXPECT_NEAR(written_d, p.d, 0.01) << where;
            EXPECT_NEAR(h, curve.value,
                        0.005 + (1.84 * p.t + 2500) / 1000 * std::abs(written_d - p.d) + 1e-9)
                << where;
            break;
          }
          case CurveKind::Moisture:
            break;
        }
      }
    }
    EXPECT_GT(checked, 1000) << pressure;
    EXPECT_LT(saturated_ends, checked / 4) << pressure;
  }
}

// Pb steps up by about 0.396 Pa just below 0 °C (ice above water); the saturation curve keeps
// that step between two points at the same place.
TEST(ChartCurves, SaturationStepsAtZeroAsPbDoes) {
  const double below = std::nextafter(0.0, -1.0);
  for (const double pressure : {101.325, 84.556, 70.0}) {
    for (const Curve& curve : ChartCurves(kDefaultRange, pressure)) {
      if (curve.kind != CurveKind::Saturation)
        continue;
      const auto& points = curve.points;
      int steps = 0;
      for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        if (points[i].t == below && points[i + 1].t == 0) {
          ++steps;
          EXPECT_EQ(points[i].d, MoistureFromPv(Pb(below), pressure));
          EXPECT_EQ(points[i + 1].d, MoistureFromPv(Pb(0), pressure));
          EXPECT_GT(points[i].d, points[i + 1].d);
        }
      }
      EXPECT_EQ(steps, 1) << pressure;
    }
  }
}

// Any pressure text gives a chart for a readable pressure or for 101.325 kPa, and the chart is
// whole: finite points inside the range, none above saturation, isotherms and enthalpy lines.
TEST(ChartCurves, AnyPressureTextGivesAWholeChart) {
  const struct {
    const char* text;
    double kpa;  // the pressure drawn for
  } cases[] = {
      {"", 101.325},      {"abc", 101.325},   {"-101.325", 101.325}, {"0", 101.325},
      {"0.5", 101.325},   {"1e400", 101.325}, {"1e-400", 101.325},   {"20000", 101.325},
      {"84.556", 84.556}, {" 70 kPa", 70},    {"&H10", 16},          {"1", 1},
      {"2.5", 2.5},       {"10000", 10000},   {"1E3", 1000},
  };
  const ChartRange grown = RangeHolding({150, 500});
  for (const auto& c : cases) {
    const ChartPressure pressure = ChartPressureOf(c.text);
    EXPECT_EQ(pressure.kpa, c.kpa) << c.text;
    EXPECT_EQ(pressure.text, pressure.from_field ? c.text : "101.325") << c.text;
    EXPECT_EQ(ParseNumber(PressureCaption(pressure.kpa)), pressure.kpa) << c.text;
    for (const ChartRange& range : {kDefaultRange, grown}) {
      int isotherms = 0, enthalpy_lines = 0;
      for (const Curve& curve : ChartCurves(range, pressure.kpa)) {
        isotherms += curve.kind == CurveKind::Isotherm;
        enthalpy_lines += curve.kind == CurveKind::Enthalpy;
        ASSERT_GE(curve.points.size(), 2u) << c.text;
        for (const StatePoint& p : curve.points) {
          const std::string where = Describe(curve, p, c.text);
          ASSERT_TRUE(p.t >= range.t_min && p.t <= range.t_max) << where;
          ASSERT_TRUE(p.d >= range.d_min && p.d <= range.d_max) << where;
          const double ps = Pb(p.t);
          if (ps < pressure.kpa * 1000) {
            ASSERT_LE(p.d, MoistureFromPv(ps, pressure.kpa) * (1 + 1e-12)) << where;
          }
        }
      }
      EXPECT_GE(isotherms, 10) << c.text;
      // At 10 MPa saturated air holds little vapour, and the lines end early on the left.
      EXPECT_GE(enthalpy_lines, 5) << c.text;
    }
  }
}

TEST(ChartPressure, CaptionIsTheShortestDecimal) {
  EXPECT_EQ(PressureCaption(84.556), "84.556");
  EXPECT_EQ(PressureCaption(101.325), "101.325");
  EXPECT_EQ(PressureCaption(10000), "10000");
  EXPECT_EQ(PressureCaption(1), "1");
  EXPECT_EQ(PressureCaption(2.5e-3), "0.0025");
  EXPECT_EQ(PressureCaption(1.0 / 3), "0.3333333333333333");
}

TEST(ChartRange, GrowsToHoldAStateAsFarAsItsLimit) {
  const struct {
    StatePoint state;
    ChartRange range;
    StatePoint marker;
  } cases[] = {
      {{20, 7.26}, kDefaultRange, {20, 7.26}},    {{-20, 0}, kDefaultRange, {-20, 0}},
      {{150, 10}, {-20, 160, 0, 30}, {150, 10}},  {{20, 500}, {-20, 50, 0, 510}, {20, 500}},
      {{-33, 0.1}, {-40, 50, 0, 30}, {-33, 0.1}}, {{500, 2000}, {-20, 200, 0, 1000}, {200, 1000}},
      {{-150, -3}, {-100, 50, 0, 30}, {-100, 0}},
  };
  for (const auto& c : cases) {
    const ChartRange range = RangeHolding(c.state);
    EXPECT_EQ(range, c.range) << c.state.t << ", " << c.state.d;
    const StatePoint marker = MarkerPlace(range, c.state);
    EXPECT_EQ(marker.t, c.marker.t);
    EXPECT_EQ(marker.d, c.marker.d);
  }
  // A design's states: each edge as far as the farthest state asks.
  const StatePoint design[] = {{-33, 0.1}, {20, 7.26}, {150, 10}, {20, 500}};
  EXPECT_EQ(RangeHolding(std::span<const StatePoint>(design)), (ChartRange{-40, 160, 0, 510}));
  EXPECT_EQ(RangeHolding(std::span<const StatePoint>()), kDefaultRange);
}

// A pick types the two decimals of the pointer's state and gets what the calculator makes of
// them; above saturation it picks nothing.
TEST(ChartPick, TypesTwoDecimalsAndPicksNothingAboveSaturation) {
  const ChartPressure standard = ChartPressureOf("");
  const auto picked = PickState({20.004, 7.2561}, standard);
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(picked->dry_bulb, "20");
  EXPECT_EQ(picked->moisture, "7.26");
  MemoryPanel panel({"20", "", "", "", "7.26", ""}, "101.325");
  ASSERT_EQ(RunCalculate(panel), CalculateOutcome::Completed);
  ASSERT_TRUE(picked->parameters.has_value());
  for (int i = 0; i < kParameterCount; ++i)
    EXPECT_EQ((*picked->parameters)[i], panel.Text(ParameterField(i))) << i;

  // 14.69 g/kg is saturated air at 20 °C and 101.325 kPa.
  EXPECT_TRUE(PickState({20, 14.6}, standard).has_value());
  EXPECT_FALSE(PickState({20, 14.8}, standard).has_value());
  EXPECT_FALSE(PickState({20, -1}, standard).has_value());
  EXPECT_FALSE(PickState({std::numeric_limits<double>::quiet_NaN(), 5}, standard).has_value());
  // The field's own pressure text is what the state is calculated with.
  const auto high = PickState({20, 14.8}, ChartPressureOf("70"));
  ASSERT_TRUE(high.has_value());
  EXPECT_TRUE(high->parameters.has_value());
}

// Each ray of the protractor runs, on the drawing, the way a line of its heat-moisture ratio runs
// between two states of the plane (h_B = h_A + ε·(d_B − d_A)/1000), and all are equally long there.
TEST(RatioProtractor, RaysRunAlongTheLinesOfTheirRatio) {
  const PlanePoint centre{12, 30};
  const double rx = 2, ry = 7;  // plane units per drawn ray length, across and up
  for (const ProtractorRay& ray : RatioProtractor(centre, rx, ry)) {
    SCOPED_TRACE(ray.ratio);
    const double x = (ray.end.x - centre.x) / rx, y = (ray.end.y - centre.y) / ry;
    EXPECT_NEAR(x * x + y * y, 1, 1e-12);
    const StatePoint a{20, 8};
    const double h = EnthalpyFromMoisture(a.t, a.d);
    const StatePoint b = std::isinf(ray.ratio)
                             ? StatePoint{ray.ratio > 0 ? 30.0 : 10.0, a.d}
                             : StatePoint{DryBulbFromEnthalpy(h + ray.ratio / 1000, 9), 9};
    const PlanePoint pa = ToPlane(ChartLayout::EnthalpyMoisture, a);
    const PlanePoint pb = ToPlane(ChartLayout::EnthalpyMoisture, b);
    const double lx = (pb.x - pa.x) / rx, ly = (pb.y - pa.y) / ry;
    const double length = std::sqrt(lx * lx + ly * ly);
    EXPECT_NEAR(x * ly / length - y * lx / length, 0, 1e-9);  // parallel
    EXPECT_GT(x * lx + y * ly, 0);                            // the same way
  }
}

}  // namespace
}  // namespace tarvel::chart
