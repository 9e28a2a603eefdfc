#include "process/design_answer_writing.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "panel/number_text.h"
#include "process/air_parameter.h"

namespace tarvel::process {
namespace {

using Json = nlohmann::ordered_json;

void PutIfKnown(Json& object, const char* key, const std::optional<double>& value) {
  if (value)
    object[key] = *value;
}

Json PathJson(const std::vector<PathState>& path) {
  Json points = Json::array();
  for (const PathState& state : path)
    points.push_back(Json::array({state.t, state.d}));
  return points;
}

// ε as a number, or "∞" / "-∞" on the line of constant moisture content; and as the calculator
// writes a number (two decimals), for a label.
Json RatioJson(double ratio) {
  if (std::isinf(ratio))
    return ratio > 0 ? "∞" : "-∞";
  return ratio;
}
std::string RatioText(double ratio) {
  if (std::isinf(ratio))
    return ratio > 0 ? "∞" : "-∞";
  return FormatNumber(ratio);
}

Json FiguresJson(const SupplyFigures& figures) {
  Json json{{"ratio", RatioJson(figures.ratio)}, {"ratio_text", RatioText(figures.ratio)}};
  PutIfKnown(json, "flow", figures.flow);
  PutIfKnown(json, "moisture_difference", figures.moisture_difference);
  PutIfKnown(json, "moisture_per_flow", figures.moisture_per_flow);
  PutIfKnown(json, "volume_flow", figures.volume_flow);
  PutIfKnown(json, "volume_flow_per_hour", figures.volume_flow_per_hour);
  if (!figures.ratio_line.empty())
    json["ratio_line"] = PathJson(figures.ratio_line);
  return json;
}

Json PointJson(const PointAnswer& point) {
  Json inputs = Json::object();
  for (const auto& [field, text] : point.inputs)
    inputs[std::string(ParameterKey(field))] = text;
  Json messages = Json::array();
  for (const MemoryPanel::Message& m : point.messages)
    messages.push_back({{"text", m.text}, {"icon", IconName(m.icon)}, {"title", m.title}});
  Json json{{"name", point.name},
            {"inputs", std::move(inputs)},
            {"fields", Json(point.fields)},
            {"messages", std::move(messages)}};
  PutIfKnown(json, "volume", point.volume);
  PutIfKnown(json, "density", point.density);
  if (point.supply)
    json["figures"] = FiguresJson(*point.supply);
  return json;
}

const char* StepName(StepKind kind) {
  switch (kind) {
    case StepKind::Mix:
      return "mix";
    case StepKind::Heat:
      return "heat";
    case StepKind::Coil:
      return "coil";
    case StepKind::Spray:
      return "spray";
    case StepKind::Steam:
      return "steam";
  }
  return "";
}

Json StepJson(const StepAnswer& step) {
  Json json{{"process", StepName(step.kind)}};
  if (step.kind == StepKind::Mix) {
    json["to"] = step.to;
    PutIfKnown(json, "flow", step.flow);
    Json streams = Json::array();
    for (const StreamFlow& stream : step.streams) {
      Json s{{"from", stream.from}};
      PutIfKnown(s, "flow", stream.flow);
      s["path"] = PathJson(stream.path);
      streams.push_back(std::move(s));
    }
    json["streams"] = std::move(streams);
    return json;
  }
  json["from"] = step.from;
  json["to"] = step.to;
  json["enthalpy_change"] = step.enthalpy_change;
  json["moisture_change"] = step.moisture_change;
  PutIfKnown(json, "flow", step.flow);
  PutIfKnown(json, "heat", step.heat);
  PutIfKnown(json, "moisture", step.moisture);
  json["path"] = PathJson(step.path);
  return json;
}

}  // namespace

std::string WriteDesignAnswer(const DesignAnswer& answer) {
  Json points = Json::array();
  for (const PointAnswer& point : answer.points)
    points.push_back(PointJson(point));
  Json json{{"points", std::move(points)}};
  PutIfKnown(json, "flow", answer.flow);
  Json steps = Json::array();
  for (const StepAnswer& step : answer.steps)
    steps.push_back(StepJson(step));
  json["steps"] = std::move(steps);
  // Every text comes from valid JSON or from the core, but a replacement character is safer
  // than a throw.
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace tarvel::process
