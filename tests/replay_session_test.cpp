// The replay tool's protocol: one JSON answer for every input line, whatever the line holds.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "process/lone_surrogates.h"
#include "app/replay_session.h"

namespace tarvel {
namespace {

using nlohmann::json;

json Answer(std::string_view line) {
  const std::string text = ReplayLine(line);
  EXPECT_EQ(text.find('\n'), std::string::npos) << "an answer is one line: " << text;
  return json::parse(text);
}

TEST(ReplaySession, CalculateAnswersWithFieldsMessagesAndFault) {
  const json a =
      Answer(R"({"fields":["20","","50","","",""],"pressure":"101.325","command":"calculate"})");
  EXPECT_EQ(a["fields"], json({"20", "13.9", "50", "9.28", "7.26", "38.52"}));
  EXPECT_EQ(a["pressure"], "101.325");
  EXPECT_EQ(a["messages"], json::array());
  EXPECT_EQ(a["fault"], false);
}

TEST(ReplaySession, NumericFaultIsFlaggedAndReported) {
  const json a =
      Answer(R"({"fields":["","20","","15","",""],"pressure":"0","command":"calculate"})");
  EXPECT_EQ(a["fault"], true);
  ASSERT_EQ(a["messages"].size(), 1u);
  EXPECT_EQ(a["messages"][0],
            json({{"text", "数值运算错误"}, {"icon", "Critical"}, {"title", "错误"}}));
  EXPECT_EQ(a["fields"], json({"", "20", "", "15", "", ""}));
}

TEST(ReplaySession, ClearEmptiesTheParametersAndKeepsThePressure) {
  const json a =
      Answer(R"({"fields":["1","2","3","4","5","6"],"pressure":"99","command":"clear"})");
  EXPECT_EQ(a["fields"], json({"", "", "", "", "", ""}));
  EXPECT_EQ(a["pressure"], "99");
  EXPECT_EQ(a["fault"], false);
}

TEST(ReplaySession, TextsOutsideAsciiPassThroughUnchanged) {
  const json a = Answer(
      R"({"fields":["25℃","","50％","","",""],"pressure":"101.325 kPa","command":"calculate"})");
  EXPECT_EQ(a["fields"][0], "25℃");
  EXPECT_EQ(a["fields"][2], "50％");
  EXPECT_EQ(a["pressure"], "101.325 kPa");
}

TEST(ReplaySession, MalformedLinesGetAnErrorAndNothingElse) {
  const char* const lines[] = {
      "",
      "not json",
      "{",
      "null",
      "[]",
      R"({"fields":["","","","","",""],"command":"calculate"})",
      R"({"fields":"20","pressure":"1","command":"calculate"})",
      R"({"fields":["","","","","","",""],"pressure":"1","command":"calculate"})",
      R"({"fields":["","","","","",null],"pressure":"1","command":"calculate"})",
      R"({"fields":["","","","","",""],"pressure":"1","command":"CALCULATE"})",
      "{\"fields\":[\"\xff\",\"\",\"\",\"\",\"\",\"\"],\"pressure\":\"1\",\"command\":\"clear\"}",
      "\x00\x01\x02",
  };
  for (const char* line : lines) {
    const json a = Answer(line);
    ASSERT_TRUE(a.is_object()) << line;
    EXPECT_EQ(a.size(), 1u) << line;
    EXPECT_TRUE(a.contains("error") && a["error"].is_string()) << line;
  }
  // A NUL byte ends no line: the request before it is not answered as if the rest were not there.
  using namespace std::string_view_literals;
  const json a = Answer(
      "{\"fields\":[\"20\",\"\",\"50\",\"\",\"\",\"\"],\"pressure\":\"1\",\"command\":\"calculate\"}\0x"sv);
  EXPECT_EQ(a, json({{"error", "not valid JSON: a NUL byte (a text writes it as \\u0000)"}}));
}

// A lone surrogate, which the window holds in a field as a JavaScript or Python string can and
// which their JSON writers escape, is read as the window hands it on: "?".
TEST(ReplaySession, LoneSurrogatesAreReadAsQuestionMarks) {
  const std::pair<const char*, std::optional<std::string>> texts[] = {
      {R"(["A\ud800"])", R"(["A?"])"},
      {R"(["\udc00x", "\uDBFF"])", R"(["?x", "?"])"},
      {R"(["\ud800\ud800\udc00"])", R"(["?\ud800\udc00"])"},
      {R"(["\ud800\u0041"])", R"(["?\u0041"])"},
      {R"({"\ud800": "\"\udfff"})", R"({"?": "\"?"})"},
      {R"(["unterminated\ud800)", R"(["unterminated?)"},
      {R"(["\ud83d\ude00 a pair"])", std::nullopt},
      {R"(["\\ud800 a backslash, then text"])", std::nullopt},
      {R"([\ud800] outside a string)", std::nullopt},
      {R"(["\ud80", "\u00e9", "\n"])", std::nullopt},
      {"no escape at all", std::nullopt},
  };
  for (const auto& [text, expected] : texts)
    EXPECT_EQ(process::LoneSurrogatesAsQuestionMarks(text), expected) << text;

  const json a = Answer(
      R"({"fields":["2\ud8000","","50","","",""],"pressure":"101.325\udc00","command":"calculate"})");
  const json b =
      Answer(R"({"fields":["2?0","","50","","",""],"pressure":"101.325?","command":"calculate"})");
  EXPECT_EQ(a, b);
  const json design =
      Answer(R"({"command":"design","pressure":"101.325","points":[{"name":"N\ud800",)"
             R"("state":{"dry_bulb":"20","rel_humidity":"50"}},{"name":"H","heat":{"point":"N?",)"
             R"("dry_bulb":"30"}}]})");
  EXPECT_EQ(design["points"][0]["name"], "N?");
  EXPECT_EQ(design["steps"].size(), 1u);
}

}  // namespace
}  // namespace tarvel
