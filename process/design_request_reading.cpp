#include "process/design_request_reading.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "panel/field_names.h"
#include "panel/number_text.h"
#include "process/air_parameter.h"
#include "process/design_context.h"
#include "process/design_messages.h"
#include "process/process_names.h"

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
  const std::string_view key = KeyOf(field);
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
    problem = messages::OneOf(KeyOf(fields[0]), KeyOf(fields[1]));
    return std::nullopt;
  }
  return found;
}

// A parameter that must be given.
ParameterValue ReadRequired(const json& object, AirField field, std::string& problem) {
  std::optional<ParameterValue> value = ReadParameter(object, field, problem);
  if (!value && problem.empty())
    problem = messages::MissingValue(KeyOf(field));
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
  for (const json& stream : body) {
    if (!stream.is_object()) {
      problem = messages::kStreamNotObject;
      return mix;
    }
    MixStream read;
    if (!ReadText(stream, "point", read.point, problem) ||
        !ReadText(stream, kFlowKey, read.flow, problem)) {
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
  if (body.contains(kFlowKey)) {
    std::string flow;
    if (ReadText(body, kFlowKey, flow, problem))
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

HumidifyProcess ReadHumidify(const json& body, Humidifier humidifier, std::string& problem) {
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

Process ReadSpray(const json& body, std::string& problem) {
  return ReadHumidify(body, Humidifier::Spray, problem);
}

Process ReadSteam(const json& body, std::string& problem) {
  return ReadHumidify(body, Humidifier::Steam, problem);
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

// Each process a point may have, read from its body: a list for a mix, an object for the others.
struct ProcessReader {
  ProcessKind kind;
  bool list;
  Process (*read)(const json& body, std::string& problem);
};
constexpr ProcessReader kReaders[] = {
    {ProcessKind::State, false, ReadState},   {ProcessKind::Mix, true, ReadMix},
    {ProcessKind::Heat, false, ReadHeat},     {ProcessKind::Coil, false, ReadCoil},
    {ProcessKind::Spray, false, ReadSpray},   {ProcessKind::Steam, false, ReadSteam},
    {ProcessKind::Supply, false, ReadSupply},
};

// The reader of the process named by a point's member, if the key is a process's.
const ProcessReader* ReaderOf(std::string_view key) {
  for (const ProcessReader& reader : kReaders) {
    if (NamesOf(reader.kind).key == key)
      return &reader;
  }
  return nullptr;
}

Process ReadProcess(const ProcessReader& reader, std::string_view key, const json& body,
                    std::string& problem) {
  if (reader.list && !body.is_array()) {
    problem = messages::NotAList(key);
    return StateProcess{};
  }
  if (!reader.list && !body.is_object()) {
    problem = messages::NotAnObject(key);
    return StateProcess{};
  }
  return reader.read(body, problem);
}

DesignPoint ReadPoint(const json& point) {
  DesignPoint read;
  if (!point.is_object()) {
    read.problem = messages::kPointNotObject;
    return read;
  }
  const auto name = point.find(kNameKey);
  if (name == point.end() || !name->is_string()) {
    read.problem = messages::kNameNotText;
    return read;
  }
  read.name = name->get<std::string>();
  json::const_iterator process = point.end();
  const ProcessReader* reader = nullptr;
  // A point holds its name and its process, nothing else: any other key is a process misnamed.
  for (auto member = point.begin(); member != point.end(); ++member) {
    if (member.key() == kNameKey)
      continue;
    const ProcessReader* found = ReaderOf(member.key());
    if (found == nullptr) {
      read.problem = messages::UnknownProcess(member.key());
      return read;
    }
    if (reader != nullptr) {
      read.problem = messages::kSeveralProcesses;
      return read;
    }
    process = member;
    reader = found;
  }
  if (reader == nullptr) {
    read.problem = messages::NoProcess();
    return read;
  }
  read.process = ReadProcess(*reader, process.key(), process.value(), read.problem);
  return read;
}

}  // namespace

std::variant<Design, std::string> ReadDesignRequest(const json& request) {
  if (!request.is_object())
    return std::string(messages::kRequestNotObject);
  if (const auto command = request.find(kCommandKey);
      command != request.end() && *command != kDesignCommand) {
    return messages::MustBe(kCommandKey, kDesignCommand);
  }
  Design design;
  const std::string_view pressure_key = KeyOf(AirField::Pressure);
  std::string problem;
  if (!ReadText(request, pressure_key, design.pressure, problem))
    return problem;
  if (const auto flow = request.find(kFlowKey); flow != request.end()) {
    const double value = flow->is_string() ? ParseNumber(flow->get<std::string>()) : 0;
    if (!IsPositiveFlow(value))
      return messages::RequestFlowNotPositive(kFlowKey);
    design.flow = flow->get<std::string>();
  }
  const auto points = request.find(kPointsKey);
  if (points == request.end())
    return messages::MissingValue(kPointsKey);
  if (!points->is_array())
    return messages::NotAList(kPointsKey);
  design.points.reserve(points->size());
  for (const json& point : *points)
    design.points.push_back(ReadPoint(point));
  return design;
}

}  // namespace tarvel::process
