#include "process/design_answer_writing.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>

#include "panel/field_names.h"
#include "panel/number_text.h"

namespace tarvel::process {
namespace {

// The members keep the order in which they are written.
using Json = nlohmann::ordered_json;

void NumberIfKnown(Json& object, const char* key, const std::optional<double>& value) {
  if (value)
    object[key] = *value;
}

// A line as the states along it, each [t, d].
Json Path(const std::vector<PathState>& path) {
  Json states = Json::array();
  for (const PathState& state : path)
    states.push_back({state.t, state.d});
  return states;
}

// ε as a number, or the text "∞" / "-∞" on the line of constant moisture content; and as the
// calculator writes a number (two decimals), for a label.
void Ratio(Json& figures, double ratio) {
  if (std::isinf(ratio))
    figures["ratio"] = RatioText(ratio);
  else
    figures["ratio"] = ratio;
  figures["ratio_text"] = RatioText(ratio);
}

Json Figures(const SupplyFigures& supply) {
  Json figures = Json::object();
  Ratio(figures, supply.ratio);
  NumberIfKnown(figures, "flow", supply.flow);
  NumberIfKnown(figures, "moisture_difference", supply.moisture_difference);
  NumberIfKnown(figures, "moisture_per_flow", supply.moisture_per_flow);
  NumberIfKnown(figures, "volume_flow", supply.volume_flow);
  NumberIfKnown(figures, "volume_flow_per_hour", supply.volume_flow_per_hour);
  if (!supply.ratio_line.empty())
    figures["ratio_line"] = Path(supply.ratio_line);
  return figures;
}

Json Point(const PointAnswer& point) {
  Json inputs = Json::object();
  for (const auto& [field, text] : point.inputs)
    inputs[KeyOf(field)] = text;
  // In the form of the calculate command's answer.
  Json messages = Json::array();
  for (const MemoryPanel::Message& message : point.messages) {
    messages.push_back(
        {{"icon", IconName(message.icon)}, {"text", message.text}, {"title", message.title}});
  }
  Json object = {{"name", point.name},
                 {"inputs", std::move(inputs)},
                 {"fields", point.fields},
                 {"messages", std::move(messages)}};
  NumberIfKnown(object, "volume", point.volume);
  NumberIfKnown(object, "density", point.density);
  if (point.supply)
    object["figures"] = Figures(*point.supply);
  return object;
}

Json Step(const StepAnswer& step) {
  Json object = {{"process", NamesOf(step.kind).key}};
  if (step.kind == ProcessKind::Mix) {
    object["to"] = step.to;
    NumberIfKnown(object, "flow", step.flow);
    Json streams = Json::array();
    for (const StreamFlow& stream : step.streams) {
      Json one = {{"from", stream.from}};
      NumberIfKnown(one, "flow", stream.flow);
      one["path"] = Path(stream.path);
      streams.push_back(std::move(one));
    }
    object["streams"] = std::move(streams);
    return object;
  }
  object["from"] = step.from;
  object["to"] = step.to;
  object["enthalpy_change"] = step.enthalpy_change;
  object["moisture_change"] = step.moisture_change;
  NumberIfKnown(object, "flow", step.flow);
  NumberIfKnown(object, "heat", step.heat);
  NumberIfKnown(object, "moisture", step.moisture);
  object["path"] = Path(step.path);
  return object;
}

// One line; a byte that is not part of valid UTF-8 (a name may hold any bytes) becomes U+FFFD.
std::string Line(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

std::string RatioText(double ratio) {
  return std::isinf(ratio) ? (ratio > 0 ? "∞" : "-∞") : FormatNumber(ratio);
}

std::string WriteDesignAnswer(const DesignAnswer& answer) {
  Json points = Json::array();
  for (const PointAnswer& point : answer.points)
    points.push_back(Point(point));
  Json object = {{"points", std::move(points)}};
  NumberIfKnown(object, "flow", answer.flow);
  Json steps = Json::array();
  for (const StepAnswer& step : answer.steps)
    steps.push_back(Step(step));
  object["steps"] = std::move(steps);
  return Line(object);
}

std::string ErrorLine(std::string_view what) {
  return Line(Json{{"error", what}});
}

}  // namespace tarvel::process
