#include "process/design_request_reading.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "panel/number_text.h"
#include "process/air_parameter.h"
#include "process/design_context.h"
#include "process/design_messages.h"

namespace tarvel::process {
namespace {

using nlohmann::json;

// Reads the text of the member `found` (of key `key`) into `out`; false, with the problem, when
// there is none or it is no text.
bool ReadText(const json& object, json::const_iterator found, std::string_view key,
              std::string& out, std::string& problem) {
  if (found == object.end()) {
    problem = messages::MissingValue(key);
    return false;
  }
  if (!found->is_string()) {
    problem = messages::ValueNotText(key);
    return false;
  }
  out = found->get_ref<const std::string&>();
  return true;
}
bool ReadText(const json& object, std::string_view key, std::string& out, std::string& problem) {
  return ReadText(object, object.find(key), key, out, problem);
}

// A parameter given as "<key>" (its text) or "<key>_of" (the name of an earlier state); nothing
// when neither is there. Both at once, or a value that is no text, is a problem.
std::optional<ParameterValue> ReadParameter(const json& object, AirField field,
                                            std::string& problem) {
  const std::string_view key = ParameterKey(field);
  const std::string_view of_key = CopiedParameterKey(field);
  const auto given = object.find(key);
  const auto copied = object.find(of_key);
  const bool direct = given != object.end();
  const bool of = copied != object.end();
  if (!direct && !of)
    return std::nullopt;
  if (direct && of) {
    problem = messages::OneOf(key, of_key);
    return std::nullopt;
  }
  ParameterValue value;
  value.field = field;
  std::string text;
  if (!ReadText(object, direct ? given : copied, direct ? key : of_key, text, problem))
    return std::nullopt;
  if (direct)
    value.text = std::move(text);
  else
    value.of = std::move(text);
  return value;
}

// The one parameter of `fields` that is given; a problem when none or several are.
std::optional<ParameterValue> ReadOneOf(const json& object, std::array<AirField, 2> fields,
                                        std::string& problem) {
  std::optional<ParameterValue> found;
  int count = 0;
  for (AirField field : fields) {
    std::optional<ParameterValue> value = ReadParameter(object, field, problem);
    if (!problem.empty())
      return std::nullopt;
    if (value) {
      found = std::move(value);
      ++count;
    }
  }
  if (count != 1) {
    problem = messages::OneOf(ParameterKey(fields[0]), ParameterKey(fields[1]));
    return std::nullopt;
  }
  return found;
}

// A parameter that must be given.
ParameterValue ReadRequired(const json& object, AirField field, std::string& problem) {
  std::optional<ParameterValue> value = ReadParameter(object, field, problem);
  if (!value && problem.empty())
    problem = messages::MissingValue(ParameterKey(field));
  return value.value_or(ParameterValue{});
}

Process ReadState(const json& body, std::string& problem) {
  StateProcess state;
  for (int i = 0; i < kParameterCount && problem.empty(); ++i) {
    std::optional<ParameterValue> value = ReadParameter(body, ParameterField(i), problem);
    if (value)
      state.parameters.push_back(std::move(*value));
  }
  return state;
}

Process ReadMix(const json& body, std::string& problem) {
  MixProcess mix;
  if (!body.is_array()) {
    problem = messages::NotAList("mix");
    return mix;
  }
  for (const json& stream : body) {
    if (!stream.is_object()) {
      problem = messages::kStreamNotObject;
      return mix;
    }
    MixStream read;
    if (!ReadText(stream, "point", read.point, problem) ||
        !ReadText(stream, "flow", read.flow, problem)) {
      return mix;
    }
    mix.streams.push_back(std::move(read));
  }
  return mix;
}

Process ReadHeat(const json& body, std::string& problem) {
  HeatProcess heat;
  if (!ReadText(body, "point", heat.point, problem))
    return heat;
  heat.dry_bulb = ReadParameter(body, AirField::DryBulb, problem);
  const bool power = body.contains("power");
  if (!problem.empty())
    return heat;
  if (heat.dry_bulb.has_value() == power) {
    problem = messages::OneOf("dry_bulb", "power");
    return heat;
  }
  if (power && !ReadText(body, "power", heat.power, problem))
    return heat;
  if (body.contains("flow")) {
    std::string flow;
    if (ReadText(body, "flow", flow, problem))
      heat.flow = std::move(flow);
  }
  return heat;
}

Process ReadCoil(const json& body, std::string& problem) {
  CoilProcess coil;
  if (!ReadText(body, "point", coil.point, problem))
    return coil;
  coil.rel_humidity = ReadRequired(body, AirField::RelHumidity, problem);
  if (problem.empty())
    coil.moisture = ReadRequired(body, AirField::MoistureContent, problem);
  return coil;
}

Process ReadHumidify(const json& body, Humidifier humidifier, std::string& problem) {
  HumidifyProcess humidify;
  humidify.humidifier = humidifier;
  if (!ReadText(body, "point", humidify.point, problem))
    return humidify;
  std::optional<ParameterValue> target =
      ReadOneOf(body, {AirField::RelHumidity, AirField::MoistureContent}, problem);
  if (target)
    humidify.target = std::move(*target);
  return humidify;
}

Process ReadSupply(const json& body, std::string& problem) {
  SupplyProcess supply;
  const std::pair<std::string_view, std::string*> texts[] = {
      {"room", &supply.room},
      {"heat_load", &supply.heat_load},
      {"moisture_load", &supply.moisture_load},
      {"difference", &supply.difference}};
  for (const auto& [key, text] : texts) {
    if (!ReadText(body, key, *text, problem))
      break;
  }
  return supply;
}

constexpr std::array<std::string_view, 7> kProcessKeys = {"state", "mix",   "heat",  "coil",
                                                          "spray", "steam", "supply"};

Process ReadProcess(std::string_view key, const json& body, std::string& problem) {
  if (key != "mix" && !body.is_object()) {
    problem = messages::NotAnObject(key);
    return StateProcess{};
  }
  if (key == "state")
    return ReadState(body, problem);
  if (key == "mix")
    return ReadMix(body, problem);
  if (key == "heat")
    return ReadHeat(body, problem);
  if (key == "coil")
    return ReadCoil(body, problem);
  if (key == "spray")
    return ReadHumidify(body, Humidifier::Spray, problem);
  if (key == "steam")
    return ReadHumidify(body, Humidifier::Steam, problem);
  return ReadSupply(body, problem);
}

DesignPoint ReadPoint(const json& point) {
  DesignPoint read;
  if (!point.is_object()) {
    read.problem = messages::kPointNotObject;
    return read;
  }
  const auto name = point.find("name");
  if (name == point.end() || !name->is_string()) {
    read.problem = messages::kNameNotText;
    return read;
  }
  read.name = name->get<std::string>();
  json::const_iterator process = point.end();
  for (auto member = point.begin(); member != point.end(); ++member) {
    if (std::find(kProcessKeys.begin(), kProcessKeys.end(), member.key()) == kProcessKeys.end())
      continue;
    if (process != point.end()) {
      read.problem = messages::kSeveralProcesses;
      return read;
    }
    process = member;
  }
  if (process == point.end()) {
    read.problem = messages::kNoProcess;
    return read;
  }
  read.process = ReadProcess(process.key(), process.value(), read.problem);
  return read;
}

}  // namespace

std::variant<Design, std::string> ReadDesignRequest(const json& request) {
  if (!request.is_object())
    return std::string("the request is not a JSON object");
  if (const auto command = request.find("command");
      command != request.end() && *command != "design") {
    return std::string("\"command\" must be \"design\"");
  }
  Design design;
  const auto pressure = request.find("pressure");
  if (pressure == request.end())
    return std::string("missing key \"pressure\"");
  if (!pressure->is_string())
    return std::string("\"pressure\" must be a string");
  design.pressure = pressure->get<std::string>();
  if (const auto flow = request.find("flow"); flow != request.end()) {
    const double value = flow->is_string() ? ParseNumber(flow->get<std::string>()) : 0;
    if (!IsPositiveFlow(value))
      return std::string("\"flow\" must be a string that reads as a positive number (kg/s)");
    design.flow = flow->get<std::string>();
  }
  const auto points = request.find("points");
  if (points == request.end())
    return std::string("missing key \"points\"");
  if (!points->is_array())
    return std::string("\"points\" must be an array");
  design.points.reserve(points->size());
  for (const json& point : *points)
    design.points.push_back(ReadPoint(point));
  return design;
}

}  // namespace tarvel::process
