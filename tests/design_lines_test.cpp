// The lines of a design on the chart (chart/design_lines.h): every process from the state it
// starts from to the state it leaves, straight on the 焓湿图, in two states where it keeps the
// moisture content or the dry bulb; each supply state's ε line from the room through it and as
// far again.

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <variant>
#include <vector>

#include "chart/design_lines.h"
#include "chart/process_lines.h"
#include "physics/moist_air.h"
#include "process/design_outcome.h"

namespace tarvel {
namespace {

using chart::StatePoint;
using nlohmann::json;
using process::DesignAnswer;
using process::PointAnswer;

DesignAnswer Answered(const std::string& request) {
  process::DesignOutcome outcome = process::AnswerDesign(request);
  EXPECT_TRUE(std::holds_alternative<DesignAnswer>(outcome)) << request;
  return std::get<DesignAnswer>(outcome);
}

StatePoint StateOf(const PointAnswer& point) {
  return {process::FieldValue(point, AirField::DryBulb),
          process::FieldValue(point, AirField::MoistureContent)};
}

// Every state k of the line, k·reach/(n − 1) of the way from the state `a` to the state `b`,
// has d and h (as its t and d give it) that far between theirs: the line is straight on the
// 焓湿图, whose plane is linear in d and h.
void ExpectStraightOnEnthalpyChart(const std::vector<StatePoint>& line, const PointAnswer& a,
                                   const PointAnswer& b, double reach, const std::string& what) {
  const double d_a = process::FieldValue(a, AirField::MoistureContent);
  const double d_b = process::FieldValue(b, AirField::MoistureContent);
  const double h_a = process::FieldValue(a, AirField::Enthalpy);
  const double h_b = process::FieldValue(b, AirField::Enthalpy);
  for (std::size_t k = 1; k + 1 < line.size(); ++k) {
    const double f = reach * static_cast<double>(k) / static_cast<double>(line.size() - 1);
    if (f == 1)
      continue;  // `b` itself
    EXPECT_NEAR(line[k].d, d_a + (d_b - d_a) * f, 1e-12 * (1 + std::fabs(d_b)))
        << what << ", state " << k;
    const double h = h_a + (h_b - h_a) * f;
    EXPECT_NEAR(EnthalpyFromMoisture(line[k].t, line[k].d), h, 1e-12 * (1 + std::fabs(h)))
        << what << ", state " << k;
  }
}

// The two examples, cooling and heating by a heat flow at a flow of their own, steam and a
// coil that leaves as it came.
const char* const kDesigns[] = {
    R"({"pressure":"101.325","points":[{"name":"N","state":{"dry_bulb":"23","rel_humidity":"60"}},
      {"name":"W","state":{"dry_bulb":"34.8","wet_bulb":"26.7"}},
      {"name":"O","supply":{"room":"N","heat_load":"12","moisture_load":"1.2","difference":"6"}},
      {"name":"C","mix":[{"point":"W","flow":"0.2"},{"point":"N","flow":"0.8"}]},
      {"name":"L","coil":{"point":"C","rel_humidity":"95","moisture_of":"O"}},
      {"name":"R","heat":{"point":"L","dry_bulb_of":"O"}}]})",
    R"({"pressure":"101.325","points":[{"name":"N","state":{"dry_bulb":"20","rel_humidity":"50"}},
      {"name":"W","state":{"dry_bulb":"-12","rel_humidity":"45"}},
      {"name":"O","supply":{"room":"N","heat_load":"-9","moisture_load":"1","difference":"-8"}},
      {"name":"C","mix":[{"point":"W","flow":"0.3"},{"point":"N","flow":"0.7"}]},
      {"name":"H","heat":{"point":"C","dry_bulb":"12.5"}},
      {"name":"L","spray":{"point":"H","moisture_of":"O"}},
      {"name":"R","heat":{"point":"L","dry_bulb_of":"O"}}]})",
    R"({"pressure":"84.6","points":[{"name":"N","state":{"dry_bulb":"30","rel_humidity":"40"}},
      {"name":"K","heat":{"point":"N","power":"-6","flow":"2"}},
      {"name":"S","steam":{"point":"K","rel_humidity":"60"}},
      {"name":"E","supply":{"room":"S","heat_load":"5","moisture_load":"0","difference":"4"}},
      {"name":"C","coil":{"point":"S","rel_humidity":"60","moisture_of":"S"}}]})",
};

TEST(DesignLines, EachProcessRunsFromItsStateToTheStateItLeaves) {
  for (const char* request : kDesigns) {
    const DesignAnswer answer = Answered(request);
    const chart::DesignLines lines = chart::LinesOfDesign(answer);
    ASSERT_EQ(lines.steps.size(), answer.steps.size());
    for (std::size_t s = 0; s < answer.steps.size(); ++s) {
      const process::StepAnswer& step = answer.steps[s];
      const std::string what = "step to " + step.to;
      const StatePoint to = StateOf(answer.points[step.to_point]);
      std::vector<std::size_t> froms;
      for (const process::StreamFlow& stream : step.streams)
        froms.push_back(stream.point);
      if (step.kind != process::ProcessKind::Mix)
        froms.push_back(step.from_point);
      ASSERT_EQ(lines.steps[s].size(), froms.size()) << what;
      // Heating and cooling keep the moisture content, steam the dry bulb: straight on both
      // charts, drawn through the two ends alone.
      const bool straight =
          step.kind == process::ProcessKind::Heat || step.kind == process::ProcessKind::Steam;
      for (std::size_t k = 0; k < froms.size(); ++k) {
        const std::vector<StatePoint>& line = lines.steps[s][k];
        ASSERT_EQ(line.size(), straight ? 2u : chart::kCurvedLineSegments + 1u) << what;
        const StatePoint from = StateOf(answer.points[froms[k]]);
        EXPECT_TRUE(line.front().t == from.t && line.front().d == from.d) << what;
        EXPECT_TRUE(line.back().t == to.t && line.back().d == to.d) << what;
        if (!straight) {
          ExpectStraightOnEnthalpyChart(line, answer.points[froms[k]], answer.points[step.to_point],
                                        1, what);
        }
      }
    }
  }
}

TEST(DesignLines, EachSupplyStateHasItsRatioLineThroughTheRoomAndOn) {
  int supplies = 0;
  for (const char* request : kDesigns) {
    const DesignAnswer answer = Answered(request);
    const chart::DesignLines lines = chart::LinesOfDesign(answer);
    ASSERT_EQ(lines.ratio_lines.size(), answer.points.size());
    for (std::size_t p = 0; p < answer.points.size(); ++p) {
      const PointAnswer& point = answer.points[p];
      const std::vector<StatePoint>& line = lines.ratio_lines[p];
      if (!point.supply) {
        EXPECT_TRUE(line.empty()) << point.name;
        continue;
      }
      ++supplies;
      ASSERT_EQ(line.size(), chart::kCurvedLineSegments + 1u) << point.name;
      const PointAnswer& room_point = answer.points[*point.supply->ratio_line_from];
      const StatePoint room = StateOf(room_point);
      const StatePoint supply = StateOf(point);
      EXPECT_TRUE(line.front().t == room.t && line.front().d == room.d) << point.name;
      // The supply state at the middle, reached after half the pieces (kRatioLineReach = 2).
      const StatePoint middle = line[chart::kCurvedLineSegments / 2];
      EXPECT_TRUE(middle.t == supply.t && middle.d == supply.d) << point.name;
      EXPECT_NEAR(line.back().d - room.d, 2 * (supply.d - room.d), 1e-12) << point.name;
      ExpectStraightOnEnthalpyChart(line, room_point, point, chart::kRatioLineReach, point.name);
    }
  }
  EXPECT_EQ(supplies, 3);
}

}  // namespace
}  // namespace tarvel
