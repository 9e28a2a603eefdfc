// The figures of a design's answer against the relations the README gives for them, each computed
// here afresh from the states' fields, one IEEE operation after another in the documented order,
// so that every figure must be the very double.
#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "design_contract_checks.h"
#include "chart/process_lines.h"
#include "panel/number_text.h"
#include "physics/moist_air.h"
#include "physics/pascal.h"
#include "physics/saturation_formula.h"
#include "process/process_constants.h"

namespace tarvel::testing_support::contract {
namespace {

// A point of a path or of the ε line, [t, d], is exactly that state's.
bool At(const json& place, const json& state) {
  return place.is_array() && place.size() == 2 && place[0] == FieldValue(state, "dry_bulb") &&
         place[1] == FieldValue(state, "moisture");
}

// A path from one state to another: its ends are those states, and it has `pieces` pieces.
void CheckPath(const json& path, const json& from, const json& to, int pieces, Failures& failures) {
  if (!path.is_array() || path.size() != static_cast<std::size_t>(pieces) + 1)
    return failures.Add("the path has not " + std::to_string(pieces + 1) + " states");
  if (!At(path.front(), from) || !At(path.back(), to))
    failures.Add("the path does not run from its first state to its last");
}

// A figure that must be there, and be that double.
void Expect(const json& object, const char* key, double value, Failures& failures) {
  if (!object.contains(key) || object[key] != value)
    failures.Add(std::string(key) + " is not " + FormatNumber(value) + " (or missing)");
}
// A figure that is that double where it is finite; one that is not cannot be computed, and must
// be left out, with a message on the step or its state saying so.
void ExpectFigure(const json& object, const char* key, double value, bool told,
                  Failures& failures) {
  if (std::isfinite(value))
    return Expect(object, key, value, failures);
  if (object.contains(key) || !told)
    failures.Add(std::string(key) + " cannot be computed, but that is not said");
}
// Whether the step or its state says something (a figure left out is to be said).
bool Told(const json& step, const json& to) {
  return !to["messages"].empty() || (step.contains("messages") && !step["messages"].empty());
}
void ExpectNone(const json& object, const char* key, Failures& failures) {
  if (object.contains(key))
    failures.Add(std::string(key) + " is given without a flow");
}

const json& Steps(const json& answer) {
  static const json none = json::array();
  return answer.contains("steps") ? answer["steps"] : none;
}

constexpr std::array<const char*, 5> kStepKinds = {"mix", "heat", "coil", "spray", "steam"};

// The step's own process key in the request's point, or nothing for a state or a supply state.
const char* StepKind(const json& point) {
  if (!point.is_object())
    return nullptr;
  for (const char* kind : kStepKinds) {
    if (point.contains(kind))
      return kind;
  }
  return nullptr;
}

void CheckMix(const json& step, const json& streams, const json& to, const StatesByName& states,
              std::optional<double> flow, Failures& failures) {
  if (!step.contains("streams") || step["streams"].size() != streams.size())
    return failures.Add("not one stream for every stream of the request");
  if (step.contains("from"))
    failures.Add("a mix names a single state it comes from");
  double weights = 0;
  for (std::size_t k = 0; k < streams.size(); ++k) {
    const double w = ParseNumber(streams[k]["flow"].get<std::string>());
    weights = k == 0 ? w : weights + w;
  }
  if (flow)
    Expect(step, "flow", *flow, failures);
  else
    ExpectNone(step, "flow", failures);
  for (std::size_t k = 0; k < streams.size(); ++k) {
    const json& stream = step["streams"][k];
    const std::string from = streams[k]["point"].get<std::string>();
    if (stream.value("from", "") != from || !states.count(from)) {
      failures.Add("stream " + std::to_string(k) + " is not from " + from);
      continue;
    }
    // G·w/Σw
    const double w = ParseNumber(streams[k]["flow"].get<std::string>());
    if (flow)
      ExpectFigure(stream, "flow", *flow * w / weights, Told(step, to), failures);
    else
      ExpectNone(stream, "flow", failures);
    CheckPath(stream["path"], *states.at(from), to, chart::kCurvedLineSegments, failures);
  }
}

void CheckChange(const json& step, const char* kind, const json& body, const json& to,
                 const StatesByName& states, std::optional<double> design_flow,
                 Failures& failures) {
  const std::string from = body["point"].get<std::string>();
  if (step.value("from", "") != from || !states.count(from))
    return failures.Add("the step is not from " + from);
  const json& start = *states.at(from);
  const double dh = FieldValue(to, "enthalpy") - FieldValue(start, "enthalpy");
  const double dd = FieldValue(to, "moisture") - FieldValue(start, "moisture");
  Expect(step, "enthalpy_change", dh, failures);
  Expect(step, "moisture_change", dd, failures);
  // Heating may have a flow of its own; every other step has the design's.
  const bool own = std::string_view(kind) == "heat" && body.contains("flow");
  const std::optional<double> flow =
      own ? std::optional<double>(ParseNumber(body["flow"].get<std::string>())) : design_flow;
  if (flow) {
    Expect(step, "flow", *flow, failures);
    ExpectFigure(step, "heat", *flow * dh, Told(step, to), failures);
    ExpectFigure(step, "moisture", *flow * dd, Told(step, to), failures);
  } else {
    for (const char* key : {"flow", "heat", "moisture"})
      ExpectNone(step, key, failures);
  }
  // Heating keeps the moisture content and steam the dry bulb: straight on both charts.
  const bool straight = std::string_view(kind) == "heat" || std::string_view(kind) == "steam";
  CheckPath(step["path"], start, to, straight ? 1 : chart::kCurvedLineSegments, failures);
}

}  // namespace

void CheckVolume(const json& point, bool completed, const std::string& pressure,
                 Failures& failures) {
  std::optional<double> v, density;
  if (completed) {
    const double t = FieldValue(point, "dry_bulb");
    const double d = FieldValue(point, "moisture");
    const double gas = kDryAirGasConstant * (t + kKelvinOffset);
    const double vapour = 1 + d / kMoistureFactor;
    const double pa = ParseNumber(pressure) * kPascalPerKilopascal;
    const double volume = gas * vapour / pa;
    const double mass = 1 + d / kGramsPerKilogram;
    bool finite = true;
    for (double x : {t + kKelvinOffset, gas, d / kMoistureFactor, vapour, pa, gas * vapour, volume,
                     d / kGramsPerKilogram, mass, mass / volume}) {
      finite = finite && std::isfinite(x);
    }
    if (finite) {
      v = volume;
      density = mass / volume;
    }
  }
  if (v) {
    Expect(point, "volume", *v, failures);
    Expect(point, "density", *density, failures);
  } else if (point.contains("volume") || point.contains("density")) {
    failures.Add("a volume or density where there is none");
  }
}

void CheckSupplyFigures(const json& supply, const json& room, const json& point,
                        Failures& failures) {
  if (!point.contains("figures"))
    return failures.Add("a supply state without figures");
  const json& figures = point["figures"];
  const double q = ParseNumber(supply["heat_load"].get<std::string>());
  const double w = ParseNumber(supply["moisture_load"].get<std::string>());
  if (w == 0) {
    const char* infinite = q > 0 ? "∞" : "-∞";
    if (figures["ratio"] != infinite || figures["ratio_text"] != infinite)
      failures.Add("ε is not infinite for W = 0");
  } else {
    Expect(figures, "ratio", q / (w / kGramsPerKilogram), failures);
    if (figures["ratio_text"] != FormatNumber(q / (w / kGramsPerKilogram)))
      failures.Add("ratio_text is not ε as the calculator writes it");
  }
  if (!point["messages"].empty())
    return;
  const double dh = FieldValue(room, "enthalpy") - FieldValue(point, "enthalpy");
  const double dd = FieldValue(room, "moisture") - FieldValue(point, "moisture");
  const double flow = q != 0 ? q / dh : w / dd;
  Expect(figures, "flow", flow, failures);
  Expect(figures, "moisture_difference", dd, failures);
  Expect(figures, "moisture_per_flow", w / flow, failures);
  if (point.contains("volume")) {
    const double volume_flow = flow * point["volume"].get<double>();
    const bool told = !point["messages"].empty();
    ExpectFigure(figures, "volume_flow", volume_flow, told, failures);
    ExpectFigure(figures, "volume_flow_per_hour", volume_flow * process::kSecondsPerHour, told,
                 failures);
  }
  const json& line = figures.contains("ratio_line") ? figures["ratio_line"] : json();
  bool through = false;
  for (const json& place : line.is_array() ? line : json::array())
    through = through || At(place, point);
  if (line.empty() || !At(line.front(), room) || !through)
    failures.Add("the ε line does not run from the room through the supply state");
}

void CheckSteps(const json& request, const json& answer, const StatesByName& states,
                Failures& failures) {
  failures.At("the design: ");
  const json& points = request["points"];
  // The design's flow: the first supply state's that gives one, else the request's.
  std::optional<double> supply_flow, design_flow;
  for (const json& point : answer["points"]) {
    if (!supply_flow && point.contains("figures") && point["figures"].contains("flow"))
      supply_flow = point["figures"]["flow"].get<double>();
  }
  if (answer.contains("flow")) {
    design_flow = answer["flow"].get<double>();
    const bool requested =
        request.contains("flow") && *design_flow == ParseNumber(request["flow"].get<std::string>());
    if (supply_flow ? *design_flow != *supply_flow : !requested)
      failures.Add("its flow is neither the first supply state's nor the request's");
  } else if (supply_flow) {
    failures.Add("a supply state gives a flow, but the design has none");
  }
  // The steps in request order, each of a process point of its name; every process completed
  // without a message has one (one with a message may have one too, where it says why a figure
  // is missing).
  const json& steps = Steps(answer);
  std::size_t next = 0;  // the request's points before this have been matched or passed
  for (const json& step : steps) {
    const json* point = nullptr;
    for (; next < points.size() && point == nullptr; ++next) {
      const json& to = answer["points"][next];
      const char* kind = StepKind(points[next]);
      if (kind && step.value("process", "") == kind && step.value("to", "") == to["name"])
        point = &points[next];
      else if (kind && to["messages"].empty())
        failures.Add("no step to \"" + to["name"].get<std::string>() + "\"");
    }
    if (point == nullptr) {
      failures.Add("a step that is no process of the request, in its order");
      break;
    }
    const json& to = answer["points"][next - 1];
    const char* kind = StepKind(*point);
    failures.At("step to \"" + to["name"].get<std::string>() + "\": ");
    if (std::string_view(kind) == "mix")
      CheckMix(step, (*point)["mix"], to, states, design_flow, failures);
    else
      CheckChange(step, kind, (*point)[kind], to, states, design_flow, failures);
    failures.At("the design: ");
  }
  for (; next < points.size(); ++next) {
    if (StepKind(points[next]) && answer["points"][next]["messages"].empty())
      failures.Add("no step to \"" + answer["points"][next]["name"].get<std::string>() + "\"");
  }
}

}  // namespace tarvel::testing_support::contract
