// Designs of air conditioning against hand-worked numbers: the two examples of the README and the
// web page (a summer design with primary return air, a winter design with preheat, spray and
// reheat), the textbook exercise the summer example recomputes, and each process on its own.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "design_contract.h"
#include "golden_lines.h"
#include "panel/number_text.h"
#include "tables/design_line.h"

namespace tarvel {
namespace {

using nlohmann::json;

json Answer(const std::string& request) {
  return json::parse(tables::DesignAnswerLine(request));
}

const json& Point(const json& answer, const std::string& name) {
  for (const json& point : answer["points"]) {
    if (point["name"] == name)
      return point;
  }
  static const json none;
  ADD_FAILURE() << "no point " << name;
  return none;
}

double Field(const json& answer, const std::string& name, int index) {
  return ParseNumber(Point(answer, name)["fields"][index].get<std::string>());
}

const json& Step(const json& answer, const std::string& to) {
  for (const json& step : answer["steps"]) {
    if (step["to"] == to)
      return step;
  }
  static const json none;
  ADD_FAILURE() << "no step to " << to;
  return none;
}

constexpr int kDryBulb = 0, kRelHumidity = 2, kMoisture = 4, kEnthalpy = 5;

// Indoor 23 °C / 60 %, outdoor 34.8 °C with a wet bulb of 26.7 °C, Q = 12 kW, W = 1.2 g/s,
// Δt = 6 °C, a fresh-air ratio of 0.2 and the coil's leaving state at 95 %. The book reads its
// answers off a chart: G ≈ 1.5 kg/s and a coil load of about 26 kW.
TEST(DesignExamples, SummerWithPrimaryReturnAirRecomputesTheTextbookExercise) {
  const json a = Answer(GoldenLine("design_examples", 0));
  // ε = 12/(1.2/1000) = 10000 kJ/kg; at t_O = 17 °C the line gives
  // d_O = (1000·(49.86 − 1.005·17) − 10000·10.52)/(1.84·17 + 2500 − 10000) = 9.697 g/kg.
  EXPECT_EQ(Point(a, "O")["inputs"], json({{"dry_bulb", "17"}, {"moisture", "9.7"}}));
  EXPECT_EQ(Point(a, "O")["figures"]["ratio"], 10000.0);
  // G = Q/(h_N − h_O) = 12/(49.86 − 41.64), and W/G = 0.822 g/kg against d_N − d_O = 0.82.
  const double flow = 12 / (49.86 - 41.64);
  EXPECT_EQ(a["flow"], flow);
  EXPECT_NEAR(Point(a, "O")["figures"]["moisture_per_flow"].get<double>(), 0.822, 1e-12);
  // The mix: d = 0.2·18.6 + 0.8·10.52 = 12.136, h = 0.2·82.66 + 0.8·49.86 = 56.42.
  EXPECT_EQ(Point(a, "C")["inputs"], json({{"moisture", "12.14"}, {"enthalpy", "56.42"}}));
  EXPECT_EQ(Step(a, "C")["streams"][0]["flow"], flow * 0.2 / 1.0);
  // The coil leaves at 95 % and d_O: 14.38 °C, 38.96 kJ/kg; its load G·(38.96 − 56.42), the
  // condensate G·(12.14 − 9.7); the reheat to 17 °C G·(41.64 − 38.96).
  EXPECT_EQ(Point(a, "L")["fields"], json({"14.38", "13.91", "95", "13.59", "9.7", "38.96"}));
  const json& coil = Step(a, "L");
  EXPECT_NEAR(coil["heat"].get<double>(), -25.4890510948905, 1e-12);
  EXPECT_NEAR(coil["moisture"].get<double>(), -3.56204379562044, 1e-12);
  EXPECT_NEAR(Step(a, "R")["heat"].get<double>(), 3.91240875912409, 1e-12);
  // Against the book: G 2.7 % below its 1.5 kg/s, the coil load 2.0 % below its 26 kW.
  EXPECT_NEAR(flow / 1.5 - 1, -0.027, 0.001);
  EXPECT_NEAR(-coil["heat"].get<double>() / 26 - 1, -0.020, 0.001);
}

// Room 20 °C / 50 %, outdoor −12 °C / 45 %, a heat loss of 9 kW, a moisture gain of 1 g/s and
// supply air 8 °C warmer than the room; 30 % fresh air, preheated to 12.5 °C, sprayed to the
// supply's moisture content and reheated to the supply's dry bulb.
TEST(DesignExamples, WinterWithPreheatSprayAndReheat) {
  const json a = Answer(GoldenLine("design_examples", 1));
  // ε = −9000; t_O = 28; d_O = (1000·(38.52 − 28.14) + 9000·7.26)/(2551.52 + 9000) = 6.555.
  EXPECT_EQ(Point(a, "O")["inputs"], json({{"dry_bulb", "28"}, {"moisture", "6.55"}}));
  const double flow = -9 / (38.52 - 44.85);
  EXPECT_EQ(a["flow"], flow);
  // The mix: d = 0.3·0.6 + 0.7·7.26 = 5.262, h = 0.3·(−10.57) + 0.7·38.52 = 23.793.
  EXPECT_EQ(Point(a, "C")["inputs"], json({{"moisture", "5.26"}, {"enthalpy", "23.79"}}));
  // The spray keeps the preheated air's enthalpy and ends at 90.25 %, close to saturation.
  EXPECT_EQ(Point(a, "L")["inputs"], json({{"moisture", "6.55"}, {"enthalpy", "25.83"}}));
  EXPECT_EQ(Field(a, "L", kRelHumidity), 90.25);
  // Preheat G·(25.83 − 23.78) kW, spray water G·(6.55 − 5.26) g/s, reheat G·(44.85 − 25.82) kW.
  EXPECT_NEAR(Step(a, "H")["heat"].get<double>(), flow * 2.05, 1e-12);
  EXPECT_NEAR(Step(a, "L")["moisture"].get<double>(), flow * 1.29, 1e-12);
  EXPECT_NEAR(Step(a, "R")["heat"].get<double>(), flow * 19.03, 1e-12);
  EXPECT_EQ(Point(a, "R")["fields"], Point(a, "O")["fields"]);
}

// Each process's inputs, worked by hand from the earlier states' fields.
TEST(DesignProcesses, InputsAreTheFormulasOfTheEarlierFields) {
  const json heating =
      Answer(GoldenLine("design_processes", 0));  // N: 10.52 g/kg, 49.86 kJ/kg; the design's G = 2
  EXPECT_EQ(Point(heating, "H")["inputs"]["enthalpy"], "54.86");  // 49.86 + 10/2
  EXPECT_EQ(Point(heating, "K")["inputs"]["enthalpy"], "46.86");  // 49.86 − 6/2
  EXPECT_EQ(Point(heating, "P")["inputs"]["enthalpy"], "55.86");  // 49.86 + 3/0.5
  EXPECT_EQ(Point(heating, "T")["inputs"], json({{"dry_bulb", "30"}, {"moisture", "10.52"}}));
  EXPECT_EQ(Step(heating, "K")["heat"], 2 * (46.87 - 49.86));  // the states as shown

  const json humidifying =
      Answer(GoldenLine("design_processes", 1));  // A: 22 °C, 4.91 g/kg, 34.58 kJ/kg
  EXPECT_EQ(Point(humidifying, "S1")["inputs"], json({{"dry_bulb", "22"}, {"rel_humidity", "50"}}));
  EXPECT_EQ(Point(humidifying, "E1")["inputs"],
            json({{"rel_humidity", "60"}, {"enthalpy", "34.58"}}));
  EXPECT_EQ(Point(humidifying, "E2")["inputs"],
            json({{"moisture", "8.22"}, {"enthalpy", "34.58"}}));
  EXPECT_EQ(Point(humidifying, "B")["inputs"], json({{"dry_bulb", "22"}, {"moisture", "12"}}));
  EXPECT_EQ(Point(humidifying, "L")["inputs"],
            json({{"rel_humidity", "50"}, {"moisture", "4.91"}}));

  // At 97.2 kPa, weights 1, 2 and 0.5: d = (11.05 + 2·5.63 + 0.5·9.63)/3.5 = 7.75,
  // h = (58.38 + 2·30 + 0.5·42.89)/3.5 = 39.95.
  const json mixing = Answer(GoldenLine("design_processes", 2));
  EXPECT_EQ(Point(mixing, "M")["inputs"], json({{"moisture", "7.75"}, {"enthalpy", "39.95"}}));
  EXPECT_FALSE(mixing.contains("flow"));

  // W = 0: ε infinite, the supply keeps the room's moisture content; Q = 0: ε = 0, the flow from
  // the moisture balance G = W/(d_N − d_O); a heat loss in winter: ε = −5/0.0004 = −12500.
  const json supplies = Answer(GoldenLine("design_processes", 3));
  EXPECT_EQ(Point(supplies, "O1")["figures"]["ratio"], "∞");
  EXPECT_EQ(Point(supplies, "O1")["inputs"], json({{"dry_bulb", "18"}, {"moisture", "11.57"}}));
  EXPECT_EQ(Point(supplies, "O2")["figures"]["ratio"], 0.0);
  EXPECT_EQ(Point(supplies, "O2")["figures"]["flow"],
            0.5 / (11.57 - Field(supplies, "O2", kMoisture)));
  EXPECT_EQ(Point(supplies, "O3")["figures"]["ratio"], -12500.0);
  EXPECT_EQ(Field(supplies, "O3", kDryBulb), 36);
  EXPECT_EQ(supplies["flow"], 8 / (55.61 - Field(supplies, "O1", kEnthalpy)));
}

// Every request of the golden design files that is JSON, the refused ones included; at least as
// many as the files held when this was written, so that a file emptied or lost fails.
TEST(DesignContract, HoldsForEveryGoldenDesign) {
  const std::pair<const char*, std::size_t> files[] = {
      {"design_examples", 2}, {"design_processes", 4}, {"design_bad_input", 18}};
  for (const auto& [name, least] : files) {
    std::size_t checked = 0;
    for (const std::string& line : GoldenLines(name)) {
      const json request = json::parse(line, nullptr, false);
      if (request.is_discarded())
        continue;
      ++checked;
      EXPECT_EQ(testing_support::DesignContractFailures(request, Answer(line)),
                std::vector<std::string>())
          << name << ": " << line;
    }
    EXPECT_GE(checked, least) << name;
  }
}

}  // namespace
}  // namespace tarvel
