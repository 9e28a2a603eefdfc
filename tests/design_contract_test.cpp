// The exactness contract of designs (design_contract.h) on thousands of random designs, some of
// them broken on purpose, and a design of a thousand points answered whole; and the contract
// itself, which must reject every answer that breaks one of its promises.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "design_contract.h"
#include "golden_lines.h"
#include "panel/number_text.h"
#include "tables/design_line.h"

namespace tarvel {
namespace {

using nlohmann::json;

// "P" and the number (built by appending: GCC 12 warns, wrongly, about "P" + std::to_string(k)).
std::string PointName(int k) {
  std::string name = "P";
  name += std::to_string(k);
  return name;
}

// Random designs from a fixed seed: a room, the outdoor air, the supply state from random loads
// (of either sign, sometimes zero), a mix of fresh and return air, then random processes from
// random earlier states, so that coils that heat, sprays that dry and states above saturation
// come up too.
class RandomDesigns {
 public:
  explicit RandomDesigns(std::uint32_t seed) : random_(seed) {}

  json Next() {
    json points = json::array();
    points.push_back(State("N", {{"dry_bulb", Text(16, 30)}, {"rel_humidity", Text(30, 75)}}));
    const double t = Uniform(-25, 40);
    points.push_back(
        State("W", {{"dry_bulb", FormatNumber(t)},
                    Pick(2) ? json::array({"wet_bulb", FormatNumber(t - Uniform(0, 9))})
                            : json::array({"rel_humidity", Text(15, 98)})}));
    const double q = Pick(8) ? 0 : Uniform(-30, 40);
    points.push_back(
        {{"name", "O"},
         {"supply",
          {{"room", "N"},
           {"heat_load", FormatNumber(q)},
           {"moisture_load", Pick(6) ? "0" : Text(0, 4)},
           {"difference", FormatNumber((q < 0) != Pick(10) ? -Uniform(2, 12) : Uniform(2, 12))}}}});
    const double fresh = Uniform(0.05, 0.9);
    points.push_back(Mix("C", {{"W", fresh}, {"N", 1 - fresh}}));
    const int more = 3 + static_cast<int>(Uniform(0, 5));
    for (int k = 0; k < more; ++k)
      points.push_back(RandomProcess(PointName(k), points));
    json design{{"command", "design"}, {"pressure", Pressure()}, {"points", points}};
    if (Pick(3))
      design["flow"] = Text(0.2, 5);
    return design;
  }

 private:
  double Uniform(double a, double b) { return a + (b - a) * (random_() / 4294967296.0); }
  bool Pick(int one_in) { return random_() % one_in == 0; }
  std::string Text(double a, double b) { return FormatNumber(Uniform(a, b)); }
  std::string Pressure() {
    const char* pressures[] = {"101.325", "97.2", "84.6", "101.3", "110"};
    return pressures[random_() % 5];
  }
  std::string Earlier(const json& points) {
    return points[random_() % points.size()]["name"].get<std::string>();
  }

  static json State(const std::string& name, const json& parameters) {
    return {{"name", name}, {"state", parameters}};
  }
  json Mix(const std::string& name, const std::vector<std::pair<std::string, double>>& streams) {
    json mix = json::array();
    for (const auto& [point, flow] : streams)
      mix.push_back({{"point", point}, {"flow", FormatNumber(flow)}});
    return {{"name", name}, {"mix", mix}};
  }

  json RandomProcess(const std::string& name, const json& points) {
    const std::string from = Earlier(points);
    switch (random_() % 6) {
      case 0:
        return {
            {"name", name},
            {"coil",
             {{"point", from}, {"rel_humidity", Text(85, 98)}, {"moisture_of", Earlier(points)}}}};
      case 1:
        return {{"name", name}, {"heat", {{"point", from}, {"dry_bulb_of", Earlier(points)}}}};
      case 2: {
        json heat{{"point", from}, {"power", Text(-20, 30)}};
        if (Pick(2))
          heat["flow"] = Text(0.1, 3);
        return {{"name", name}, {"heat", heat}};
      }
      case 3:
        return {{"name", name},
                {Pick(2) ? "spray" : "steam",
                 Pick(2) ? json{{"point", from}, {"rel_humidity", Text(20, 98)}}
                         : json{{"point", from}, {"moisture_of", Earlier(points)}}}};
      case 4:
        return Mix(name, {{from, Uniform(0.1, 2)}, {Earlier(points), Uniform(0.1, 2)}});
      default:
        return State(name, {{"dry_bulb_of", from}, {"rel_humidity", Text(10, 100)}});
    }
  }

  std::mt19937 random_;
};

TEST(DesignContract, HoldsForThousandsOfRandomDesigns) {
  RandomDesigns designs(20240617);
  int points = 0, complete = 0;
  for (int i = 0; i < 2000; ++i) {
    const json request = designs.Next();
    const json answer = json::parse(tables::DesignAnswerLine(request.dump()));
    const std::vector<std::string> failures =
        testing_support::DesignContractFailures(request, answer);
    ASSERT_EQ(failures, std::vector<std::string>()) << request.dump();
    for (const json& point : answer["points"]) {
      ++points;
      complete += point["messages"].empty();
    }
  }
  // Most states are complete; the others exercise the messages.
  EXPECT_GT(complete, points / 2);
  EXPECT_LT(complete, points);
}

// Heat, spray, mix with the first state, and a coil back to its moisture content, in a cycle.
TEST(DesignRequest, AThousandPointsAreAnsweredWhole) {
  json points =
      json::array({{{"name", "P0"}, {"state", {{"dry_bulb", "20"}, {"rel_humidity", "50"}}}}});
  for (int i = 1; i < 1000; ++i) {
    const std::string from = PointName(i - 1);
    json point{{"name", PointName(i)}};
    switch (i % 4) {
      case 1:
        point["heat"] = {{"point", from}, {"dry_bulb", "30"}};
        break;
      case 2:
        point["spray"] = {{"point", from}, {"rel_humidity", "60"}};
        break;
      case 3:
        point["mix"] = {{{"point", from}, {"flow", "1"}}, {{"point", "P0"}, {"flow", "1"}}};
        break;
      default:
        point["coil"] = {{"point", from}, {"rel_humidity", "95"}, {"moisture_of", "P0"}};
    }
    points.push_back(point);
  }
  const json request{
      {"command", "design"}, {"pressure", "101.325"}, {"flow", "1"}, {"points", points}};
  const json answer = json::parse(tables::DesignAnswerLine(request.dump()));
  ASSERT_EQ(answer["points"].size(), 1000u);
  for (const json& point : answer["points"])
    EXPECT_EQ(point["messages"], json::array()) << point["name"];
  EXPECT_EQ(answer["steps"].size(), 999u);
  EXPECT_EQ(testing_support::DesignContractFailures(request, answer), std::vector<std::string>());
}

// The summer example's answer, each time broken in one way: the contract must say so.
TEST(DesignContract, RejectsEveryBrokenAnswer) {
  const json request = json::parse(GoldenLine("design_examples", 0));
  const json answer = json::parse(tables::DesignAnswerLine(request.dump()));
  ASSERT_EQ(testing_support::DesignContractFailures(request, answer), std::vector<std::string>());
  const auto ulp = [](json& value) { value = std::nextafter(value.get<double>(), INFINITY); };
  const std::pair<const char*, std::function<void(json&)>> breaks[] = {
      {"an error instead of the design",
       [](json& a) {
         a = {{"error", "no"}};
       }},
      {"a state's volume one unit off", [&](json& a) { ulp(a["points"][0]["volume"]); }},
      {"a state's density left out", [](json& a) { a["points"][1].erase("density"); }},
      {"the coil and the reheat out of order",
       [](json& a) { std::swap(a["steps"][1], a["steps"][2]); }},
      {"the coil told as a heating", [](json& a) { a["steps"][1]["process"] = "heat"; }},
      {"the reheat's heat left out without a word", [](json& a) { a["steps"][2].erase("heat"); }},
      {"the supply flow one unit off", [&](json& a) { ulp(a["points"][2]["figures"]["flow"]); }},
      {"W/G one unit off", [&](json& a) { ulp(a["points"][2]["figures"]["moisture_per_flow"]); }},
      {"the volume flow per hour one unit off",
       [&](json& a) { ulp(a["points"][2]["figures"]["volume_flow_per_hour"]); }},
      {"ε one unit off", [&](json& a) { ulp(a["points"][2]["figures"]["ratio"]); }},
      {"the ε line not through the supply state",
       [](json& a) { a["points"][2]["figures"]["ratio_line"].erase(2); }},
      {"the design's flow one unit off", [&](json& a) { ulp(a["flow"]); }},
      {"the mix step left out", [](json& a) { a["steps"].erase(0); }},
      {"a mix stream's flow one unit off",
       [&](json& a) { ulp(a["steps"][0]["streams"][1]["flow"]); }},
      {"a mix stream from another state",
       [](json& a) { a["steps"][0]["streams"][0]["from"] = "N"; }},
      {"a mix path that ends elsewhere",
       [&](json& a) { ulp(a["steps"][0]["streams"][0]["path"][4][0]); }},
      {"the reheat left out", [](json& a) { a["steps"].erase(2); }},
      {"the coil's heat one unit off", [&](json& a) { ulp(a["steps"][1]["heat"]); }},
      {"the coil's flow left out", [](json& a) { a["steps"][1].erase("flow"); }},
      {"the reheat's path with a piece more",
       [](json& a) { a["steps"][2]["path"].push_back(a["steps"][2]["path"][1]); }},
  };
  for (const auto& [what, change] : breaks) {
    json broken = answer;
    change(broken);
    EXPECT_NE(testing_support::DesignContractFailures(request, broken), std::vector<std::string>())
        << what;
  }
  // And what is no design must not be answered with one.
  json refused = request;
  refused["flow"] = "0";
  EXPECT_NE(testing_support::DesignContractFailures(refused, answer), std::vector<std::string>());
  EXPECT_EQ(testing_support::DesignContractFailures(refused, {{"error", "flow"}}),
            std::vector<std::string>());
}

}  // namespace
}  // namespace tarvel
