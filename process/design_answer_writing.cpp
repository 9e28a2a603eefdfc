#include "process/design_answer_writing.h"

#include <cmath>
#include <optional>

#include "panel/number_text.h"
#include "process/air_parameter.h"
#include "process/json_writer.h"

namespace tarvel::process {
namespace {

void NumberIfKnown(JsonWriter& json, std::string_view key, const std::optional<double>& value) {
  if (!value)
    return;
  json.Key(key);
  json.Number(*value);
}

// A line as the states along it, each [t, d].
void Path(JsonWriter& json, std::string_view key, const std::vector<PathState>& path) {
  json.Key(key);
  json.BeginArray();
  for (const PathState& state : path) {
    json.BeginArray();
    json.Number(state.t);
    json.Number(state.d);
    json.EndArray();
  }
  json.EndArray();
}

// ε as a number, or the text "∞" / "-∞" on the line of constant moisture content; and as the
// calculator writes a number (two decimals), for a label.
void Ratio(JsonWriter& json, double ratio) {
  json.Key("ratio");
  if (std::isinf(ratio))
    json.String(ratio > 0 ? "∞" : "-∞");
  else
    json.Number(ratio);
  json.Key("ratio_text");
  json.String(RatioText(ratio));
}

void Figures(JsonWriter& json, const SupplyFigures& figures) {
  json.Key("figures");
  json.BeginObject();
  Ratio(json, figures.ratio);
  NumberIfKnown(json, "flow", figures.flow);
  NumberIfKnown(json, "moisture_difference", figures.moisture_difference);
  NumberIfKnown(json, "moisture_per_flow", figures.moisture_per_flow);
  NumberIfKnown(json, "volume_flow", figures.volume_flow);
  NumberIfKnown(json, "volume_flow_per_hour", figures.volume_flow_per_hour);
  if (!figures.ratio_line.empty()) {
    Path(json, "ratio_line", figures.ratio_line);
  }
  json.EndObject();
}

void Point(JsonWriter& json, const PointAnswer& point) {
  json.BeginObject();
  json.Key("name");
  json.String(point.name);
  json.Key("inputs");
  json.BeginObject();
  for (const auto& [field, text] : point.inputs) {
    json.Key(ParameterKey(field));
    json.String(text);
  }
  json.EndObject();
  json.Key("fields");
  json.BeginArray();
  for (const std::string& text : point.fields)
    json.String(text);
  json.EndArray();
  // In the form of the calculate command's answer.
  json.Key("messages");
  json.BeginArray();
  for (const MemoryPanel::Message& message : point.messages) {
    json.BeginObject();
    json.Key("icon");
    json.String(IconName(message.icon));
    json.Key("text");
    json.String(message.text);
    json.Key("title");
    json.String(message.title);
    json.EndObject();
  }
  json.EndArray();
  NumberIfKnown(json, "volume", point.volume);
  NumberIfKnown(json, "density", point.density);
  if (point.supply)
    Figures(json, *point.supply);
  json.EndObject();
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

void Step(JsonWriter& json, const StepAnswer& step) {
  json.BeginObject();
  json.Key("process");
  json.String(StepName(step.kind));
  if (step.kind == StepKind::Mix) {
    json.Key("to");
    json.String(step.to);
    NumberIfKnown(json, "flow", step.flow);
    json.Key("streams");
    json.BeginArray();
    for (const StreamFlow& stream : step.streams) {
      json.BeginObject();
      json.Key("from");
      json.String(stream.from);
      NumberIfKnown(json, "flow", stream.flow);
      Path(json, "path", stream.path);
      json.EndObject();
    }
    json.EndArray();
  } else {
    json.Key("from");
    json.String(step.from);
    json.Key("to");
    json.String(step.to);
    NumberIfKnown(json, "enthalpy_change", step.enthalpy_change);
    NumberIfKnown(json, "moisture_change", step.moisture_change);
    NumberIfKnown(json, "flow", step.flow);
    NumberIfKnown(json, "heat", step.heat);
    NumberIfKnown(json, "moisture", step.moisture);
    Path(json, "path", step.path);
  }
  json.EndObject();
}

}  // namespace

std::string RatioText(double ratio) {
  return std::isinf(ratio) ? (ratio > 0 ? "∞" : "-∞") : FormatNumber(ratio);
}

std::string WriteDesignAnswer(const DesignAnswer& answer) {
  JsonWriter json;
  json.BeginObject();
  json.Key("points");
  json.BeginArray();
  for (const PointAnswer& point : answer.points)
    Point(json, point);
  json.EndArray();
  NumberIfKnown(json, "flow", answer.flow);
  json.Key("steps");
  json.BeginArray();
  for (const StepAnswer& step : answer.steps)
    Step(json, step);
  json.EndArray();
  json.EndObject();
  return json.Take();
}

std::string ErrorLine(std::string_view what) {
  JsonWriter json;
  json.BeginObject();
  json.Key("error");
  json.String(what);
  json.EndObject();
  return json.Take();
}

}  // namespace tarvel::process
