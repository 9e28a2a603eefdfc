#include "tables/design_answer_writing.h"

#include <cmath>
#include <optional>

#include "chart/design_lines.h"
#include "panel/field_names.h"
#include "process/supply.h"
#include "tables/answer_json.h"

namespace tarvel::tables {
namespace {

using Json = AnswerJson;
using chart::StatePoint;
using process::PointAnswer;
using process::ProcessKind;
using process::StepAnswer;
using process::SupplyFigures;

void NumberIfKnown(Json& object, const char* key, const std::optional<double>& value) {
  if (value)
    object[key] = *value;
}

// The design's own messages about a step or about the request as a whole, where there are any.
void MessagesIfAny(Json& object, const std::vector<MemoryPanel::Message>& messages) {
  if (!messages.empty())
    object["messages"] = MessageList(messages);
}

// A line as the states along it, each [t, d]; left out when it could not be drawn.
void LineIfDrawn(Json& object, const char* key, const std::vector<StatePoint>& line) {
  if (line.empty())
    return;
  Json states = Json::array();
  for (const StatePoint& state : line)
    states.push_back({state.t, state.d});
  object[key] = std::move(states);
}

// ε as a number, or the text "∞" / "-∞" on the line of constant moisture content; and as the
// calculator writes a number (two decimals), for a label.
void Ratio(Json& figures, double ratio) {
  if (std::isinf(ratio))
    figures["ratio"] = process::RatioText(ratio);
  else
    figures["ratio"] = ratio;
  figures["ratio_text"] = process::RatioText(ratio);
}

Json Figures(const SupplyFigures& supply, const std::vector<StatePoint>& ratio_line) {
  Json figures = Json::object();
  Ratio(figures, supply.ratio);
  NumberIfKnown(figures, "flow", supply.flow);
  NumberIfKnown(figures, "moisture_difference", supply.moisture_difference);
  NumberIfKnown(figures, "moisture_per_flow", supply.moisture_per_flow);
  NumberIfKnown(figures, "volume_flow", supply.volume_flow);
  NumberIfKnown(figures, "volume_flow_per_hour", supply.volume_flow_per_hour);
  LineIfDrawn(figures, "ratio_line", ratio_line);
  return figures;
}

Json Point(const PointAnswer& point, const std::vector<StatePoint>& ratio_line) {
  Json inputs = Json::object();
  for (const auto& [field, text] : point.inputs)
    inputs[KeyOf(field)] = text;
  Json object = {{"name", point.name},
                 {"inputs", std::move(inputs)},
                 {"fields", point.fields},
                 {"messages", MessageList(point.messages)}};
  NumberIfKnown(object, "volume", point.volume);
  NumberIfKnown(object, "density", point.density);
  if (point.supply)
    object["figures"] = Figures(*point.supply, ratio_line);
  return object;
}

Json Step(const StepAnswer& step, const std::vector<std::vector<StatePoint>>& lines) {
  Json object = {{"process", process::NamesOf(step.kind).key}};
  if (step.kind == ProcessKind::Mix) {
    object["to"] = step.to;
    NumberIfKnown(object, "flow", step.flow);
    Json streams = Json::array();
    for (std::size_t k = 0; k < step.streams.size(); ++k) {
      Json one = {{"from", step.streams[k].from}};
      NumberIfKnown(one, "flow", step.streams[k].flow);
      LineIfDrawn(one, "path", lines[k]);
      streams.push_back(std::move(one));
    }
    object["streams"] = std::move(streams);
    MessagesIfAny(object, step.messages);
    return object;
  }
  object["from"] = step.from;
  object["to"] = step.to;
  object["enthalpy_change"] = step.enthalpy_change;
  object["moisture_change"] = step.moisture_change;
  NumberIfKnown(object, "flow", step.flow);
  NumberIfKnown(object, "heat", step.heat);
  NumberIfKnown(object, "moisture", step.moisture);
  LineIfDrawn(object, "path", lines[0]);
  MessagesIfAny(object, step.messages);
  return object;
}

}  // namespace

AnswerJson PointJson(const process::PointAnswer& point) {
  return Point(point, {});
}

std::string WriteDesignAnswer(const process::DesignAnswer& answer) {
  const chart::DesignLines lines = chart::LinesOfDesign(answer);
  Json points = Json::array();
  for (std::size_t p = 0; p < answer.points.size(); ++p)
    points.push_back(Point(answer.points[p], lines.ratio_lines[p]));
  Json object = {{"points", std::move(points)}};
  NumberIfKnown(object, "flow", answer.flow);
  MessagesIfAny(object, answer.messages);
  Json steps = Json::array();
  for (std::size_t s = 0; s < answer.steps.size(); ++s)
    steps.push_back(Step(answer.steps[s], lines.steps[s]));
  object["steps"] = std::move(steps);
  return AnswerLine(object);
}

}  // namespace tarvel::tables
