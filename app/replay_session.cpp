#include "app/replay_session.h"

#include <array>
#include <exception>
#include <nlohmann/json.hpp>
#include <optional>

#include "process/lone_surrogates.h"
#include "panel/clear_command.h"
#include "panel/memory_panel.h"
#include "solver/calculate_command.h"
#include "tables/answer_json.h"
#include "tables/design_line.h"

namespace tarvel {
namespace {

using nlohmann::json;

// The request's problem in words, or an empty text when it is well formed.
std::string Validate(const json& request) {
  if (!request.is_object())
    return "the request is not a JSON object";
  for (const char* key : {"fields", "pressure", "command"}) {
    if (!request.contains(key))
      return std::string("missing key \"") + key + "\"";
  }
  const json& fields = request["fields"];
  if (!fields.is_array() || fields.size() != kParameterCount) {
    return "\"fields\" must be an array of six strings";
  }
  for (const json& f : fields) {
    if (!f.is_string())
      return "\"fields\" must be an array of six strings";
  }
  if (!request["pressure"].is_string())
    return "\"pressure\" must be a string";
  const json& command = request["command"];
  if (!command.is_string() || (command != "calculate" && command != "clear")) {
    return "\"command\" must be \"calculate\", \"clear\" or \"design\"";
  }
  return {};
}

std::string Run(const json& request) {
  std::array<std::string, kParameterCount> parameters;
  for (int i = 0; i < kParameterCount; ++i)
    parameters[i] = request["fields"][i].get<std::string>();
  MemoryPanel panel(parameters, request["pressure"].get<std::string>(),
                    MemoryPanel::Recording::Messages);

  bool fault = false;
  if (request["command"] == "calculate") {
    fault = RunCalculate(panel) == CalculateOutcome::NumericFault;
  } else {
    ClearParameters(panel);
  }

  tables::AnswerJson fields = tables::AnswerJson::array();
  for (int i = 0; i < kParameterCount; ++i)
    fields.push_back(panel.Text(ParameterField(i)));
  return tables::AnswerLine({{"fault", fault},
                             {"fields", std::move(fields)},
                             {"messages", tables::MessageList(panel.Messages())},
                             {"pressure", panel.Text(AirField::Pressure)}});
}

}  // namespace

std::string ReplayLine(std::string_view line) {
  // No JSON text holds a NUL byte, but the JSON reader takes one for the end of the text and would
  // answer the request before it as if the rest were not there.
  if (line.find('\0') != std::string_view::npos)
    return tables::ErrorLine("not valid JSON: a NUL byte (a text writes it as \\u0000)");
  try {
    const std::optional<std::string> readable = process::LoneSurrogatesAsQuestionMarks(line);
    const std::string_view text = readable ? std::string_view(*readable) : line;
    const json request = json::parse(text.begin(), text.end());
    if (request.is_object() && request.contains("command") && request["command"] == "design")
      return tables::ParsedDesignAnswerLine(request);
    if (const std::string problem = Validate(request); !problem.empty())
      return tables::ErrorLine(problem);
    return Run(request);
  } catch (const json::parse_error& e) {
    return tables::ErrorLine(std::string("not valid JSON: ") + e.what());
  } catch (const std::exception& e) {
    return tables::ErrorLine(e.what());
  }
}

}  // namespace tarvel
