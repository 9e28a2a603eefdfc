#include "design_contract.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <string_view>

#include "design_contract_checks.h"
#include "panel/field_names.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "process/air_parameter.h"
#include "solver/calculate_command.h"

namespace tarvel::testing_support {
namespace {

using nlohmann::json;

constexpr double kHalfHundredth = 0.005;

// A parameter's index by its key in requests and answers; -1 for any other key.
int KeyIndex(std::string_view key) {
  const std::optional<AirField> field = FieldOfKey(key);
  return field && *field != AirField::Pressure ? FieldIndex(*field) : -1;
}

class Checker {
 public:
  Checker(const json& request, const json& answer) : request_(request), answer_(answer) {}

  std::vector<std::string> Run() {
    const std::string refusal = RequestProblem();
    if (answer_.contains("error") != !refusal.empty()) {
      return {refusal.empty() ? "a design request is refused: " + answer_.value("error", "")
                              : "a request that is no design is answered: " + refusal};
    }
    if (!refusal.empty())
      return {};
    const json& points = request_.at("points");
    if (!answer_.contains("points") || answer_["points"].size() != points.size())
      return {"not one answer for every point"};
    for (std::size_t i = 0; i < points.size(); ++i) {
      const json& point = answer_["points"][i];
      failures_.At("point " + std::to_string(i) + " \"" + point.value("name", "") + "\": ");
      CheckCalculation(point);
      if (!point["inputs"].empty() && points[i].is_object())
        CheckFormula(points[i], point);
      // The first point of a name keeps it.
      const json& request_point = points[i];
      if (request_point.is_object() && request_point.contains("name") &&
          request_point["name"].is_string() && !by_name_.count(request_point["name"])) {
        by_name_[request_point["name"]] = &point;
      }
    }
    contract::CheckSteps(request_, answer_, by_name_, failures_);
    return failures_.Take();
  }

 private:
  void Fail(const std::string& what) { failures_.Add(what); }

  // What makes the request no design at all, in words; empty for a design request.
  std::string RequestProblem() const {
    if (!request_.is_object())
      return "not an object";
    if (request_.contains("command") && request_["command"] != "design")
      return "another command";
    if (!request_.contains("pressure") || !request_["pressure"].is_string())
      return "no pressure text";
    if (request_.contains("flow")) {
      const json& flow = request_["flow"];
      const double value = flow.is_string() ? ParseNumber(flow.get<std::string>()) : 0;
      if (!(std::isfinite(value) && value > 0))
        return "a flow that is no positive number";
    }
    if (!request_.contains("points") || !request_["points"].is_array())
      return "no list of points";
    return {};
  }

  void CheckCalculation(const json& point) {
    std::array<std::string, 6> texts;
    for (const auto& [key, text] : point["inputs"].items()) {
      const int index = KeyIndex(key);
      if (index < 0 || !text.is_string())
        return Fail("an input that is no parameter text: " + key);
      texts[index] = text.get<std::string>();
    }
    const json& fields = point["fields"];
    if (point["inputs"].empty()) {
      if (fields != json(std::vector<std::string>(6)) || point["messages"].empty())
        Fail("a point without inputs must have empty fields and a message");
      contract::CheckVolume(point, false, "", failures_);
      return;
    }
    if (point["inputs"].size() > 2)
      Fail("more than two inputs");
    MemoryPanel panel(texts, request_.at("pressure").get<std::string>(),
                      MemoryPanel::Recording::On);
    RunCalculate(panel);
    for (int i = 0; i < 6; ++i) {
      if (fields[i] != std::string(panel.Text(ParameterField(i))))
        Fail("field " + std::to_string(i) + " is not the calculate command's");
    }
    const auto& messages = panel.Messages();
    contract::CheckVolume(point, messages.empty(), request_.at("pressure").get<std::string>(),
                          failures_);
    if (point["messages"].size() < messages.size())
      return Fail("the calculate command's messages are missing");
    for (std::size_t k = 0; k < messages.size(); ++k) {
      if (point["messages"][k]["text"] != messages[k].text)
        Fail("message " + std::to_string(k) + " is not the calculate command's");
    }
  }

  // The earlier usable state of that name: answered without a message.
  const json* Earlier(const std::string& name) {
    const auto found = by_name_.find(name);
    if (found == by_name_.end() || !found->second->at("messages").empty()) {
      Fail("computed from \"" + name + "\", which is no earlier usable state");
      return nullptr;
    }
    return found->second;
  }
  static double Value(const json& state, std::string_view key) {
    return contract::FieldValue(state, key);
  }
  static std::string Text(const json& state, std::string_view key) {
    return state["fields"][KeyIndex(key)].get<std::string>();
  }

  // A parameter of the request: its text, or the field text of the state it names.
  std::optional<std::string> Given(const json& body, std::string_view key) {
    if (body.contains(key))
      return body[std::string(key)].get<std::string>();
    const std::string of = std::string(key) + std::string(process::kCopiedSuffix);
    if (!body.contains(of))
      return std::nullopt;
    const json* state = Earlier(body[of].get<std::string>());
    return state ? std::optional<std::string>(Text(*state, key)) : std::nullopt;
  }

  void ExpectText(const json& inputs, std::string_view key,
                  const std::optional<std::string>& text) {
    if (!text || !inputs.contains(key) || inputs[std::string(key)] != *text)
      Fail("input " + std::string(key) + " is not the text it copies");
  }
  void ExpectNear(const json& inputs, std::string_view key, double formula) {
    if (!inputs.contains(key))
      return Fail("input " + std::string(key) + " missing");
    // Half a hundredth, and the few units in the last place by which the text's value and the
    // difference itself may miss it (a unit is 9e-13 at 7500).
    const double value = ParseNumber(inputs[std::string(key)].get<std::string>());
    const double slack = 4e-16 * std::max(std::fabs(value), std::fabs(formula)) + 1e-17;
    if (!(std::fabs(value - formula) <= kHalfHundredth + slack))
      Fail("input " + std::string(key) + " is not its formula within 0.005");
  }

  void CheckFormula(const json& request_point, const json& point) {
    const json& inputs = point["inputs"];
    if (request_point.contains("state")) {
      json expected = json::object();
      for (int i = 0; i < kParameterCount && expected.size() < 2; ++i) {
        const std::string_view key = KeyOf(ParameterField(i));
        const std::optional<std::string> text = Given(request_point["state"], key);
        if (text && !text->empty())
          expected[std::string(key)] = *text;
      }
      if (expected != inputs)
        Fail("the inputs are not the first two parameters given");
    } else if (request_point.contains("mix")) {
      double weights = 0, d = 0, h = 0;
      bool first = true;
      for (const json& stream : request_point["mix"]) {
        const json* state = Earlier(stream["point"].get<std::string>());
        if (!state)
          return;
        const double w = ParseNumber(stream["flow"].get<std::string>());
        weights = first ? w : weights + w;
        d = first ? w * Value(*state, "moisture") : d + w * Value(*state, "moisture");
        h = first ? w * Value(*state, "enthalpy") : h + w * Value(*state, "enthalpy");
        first = false;
      }
      ExpectNear(inputs, "moisture", d / weights);
      ExpectNear(inputs, "enthalpy", h / weights);
    } else if (request_point.contains("heat")) {
      CheckHeat(request_point["heat"], inputs);
    } else if (request_point.contains("coil")) {
      ExpectText(inputs, "rel_humidity", Given(request_point["coil"], "rel_humidity"));
      ExpectText(inputs, "moisture", Given(request_point["coil"], "moisture"));
    } else if (request_point.contains("spray") || request_point.contains("steam")) {
      const bool spray = request_point.contains("spray");
      const json& body = request_point[spray ? "spray" : "steam"];
      const json* from = Earlier(body["point"].get<std::string>());
      const std::string_view kept = spray ? "enthalpy" : "dry_bulb";
      const std::string_view target =
          body.contains("moisture") || body.contains("moisture_of") ? "moisture" : "rel_humidity";
      if (from)
        ExpectText(inputs, kept, Text(*from, kept));
      ExpectText(inputs, target, Given(body, target));
    } else if (request_point.contains("supply")) {
      CheckSupply(request_point["supply"], point);
    }
  }

  void CheckHeat(const json& body, const json& inputs) {
    const json* from = Earlier(body["point"].get<std::string>());
    if (!from)
      return;
    ExpectText(inputs, "moisture", Text(*from, "moisture"));
    if (!body.contains("power"))
      return ExpectText(inputs, "dry_bulb", Given(body, "dry_bulb"));
    const double flow = body.contains("flow") ? ParseNumber(body["flow"].get<std::string>())
                                              : answer_.value("flow", 0.0);
    const double q = ParseNumber(body["power"].get<std::string>());
    ExpectNear(inputs, "enthalpy", Value(*from, "enthalpy") + q / flow);
  }

  // The supply state: t = t_N − Δt, and d on the line h − h_N = ε·(d − d_N)/1000 at that t.
  void CheckSupply(const json& body, const json& point) {
    const json* room = Earlier(body["room"].get<std::string>());
    if (!room)
      return;
    const json& inputs = point["inputs"];
    const double q = ParseNumber(body["heat_load"].get<std::string>());
    const double w = ParseNumber(body["moisture_load"].get<std::string>());
    ExpectNear(inputs, "dry_bulb",
               Value(*room, "dry_bulb") - ParseNumber(body["difference"].get<std::string>()));
    if (w == 0) {
      ExpectText(inputs, "moisture", Text(*room, "moisture"));
      return contract::CheckSupplyFigures(body, *room, point, failures_);
    }
    const double t = ParseNumber(inputs.value("dry_bulb", ""));
    const double epsilon = q / (w / 1000);
    const double d =
        (1000 * (Value(*room, "enthalpy") - 1.005 * t) - epsilon * Value(*room, "moisture")) /
        (1.84 * t + 2500 - epsilon);
    ExpectNear(inputs, "moisture", d);
    contract::CheckSupplyFigures(body, *room, point, failures_);
  }

  const json& request_;
  const json& answer_;
  contract::StatesByName by_name_;
  contract::Failures failures_;
};

}  // namespace

double contract::FieldValue(const json& state, std::string_view key) {
  return ParseNumber(state["fields"][KeyIndex(key)].get<std::string>());
}

std::vector<std::string> DesignContractFailures(const json& request, const json& answer) {
  return Checker(request, answer).Run();
}

}  // namespace tarvel::testing_support
