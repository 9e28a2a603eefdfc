// The replay tool's lines from arbitrary bytes: calculate, clear and design requests, malformed
// ones, and JSON whose strings hold escapes of lone surrogates. Whatever the bytes:
// - the answer is one line of JSON, an object: {"error": text} alone, a design's answer, or the
//   answer of a command with six field texts, the pressure, the messages and the fault;
// - a calculate or clear request is answered as that command on a fresh panel answers its texts;
// - text the JSON reader accepts holds no lone surrogate to read as "?", and what is read as "?"
//   holds none any more, so the rewriting is done once and for all.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "process/lone_surrogates.h"
#include "app/replay_session.h"
#include "fuzz/number_form.h"
#include "panel/clear_command.h"
#include "panel/memory_panel.h"
#include "solver/calculate_command.h"

namespace {

using nlohmann::json;
using tarvel::fuzz::Require;

// The command's own answer to a request the replay accepted: the fields and messages it leaves.
void CheckCommand(const json& request, const json& answer) {
  std::array<std::string, tarvel::kParameterCount> texts;
  for (int i = 0; i < tarvel::kParameterCount; ++i)
    texts[i] = request["fields"][i].get<std::string>();
  tarvel::MemoryPanel panel(texts, request["pressure"].get<std::string>(),
                            tarvel::MemoryPanel::Recording::On);
  if (request["command"] == "calculate")
    tarvel::RunCalculate(panel);
  else
    tarvel::ClearParameters(panel);
  for (int i = 0; i < tarvel::kParameterCount; ++i) {
    Require(answer["fields"][i] == std::string(panel.Text(tarvel::ParameterField(i))),
            "a field is the command's");
  }
  Require(answer["pressure"] == std::string(panel.Text(tarvel::AirField::Pressure)),
          "the pressure is the command's");
  Require(answer["messages"].size() == panel.Messages().size(), "the messages are the command's");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::optional<std::string> rewritten = tarvel::process::LoneSurrogatesAsQuestionMarks(line);
  // The JSON reader takes a NUL byte outside a string for the end of the text.
  const std::string_view read = line.substr(0, line.find('\0'));
  if (json::accept(read))
    Require(!tarvel::process::LoneSurrogatesAsQuestionMarks(read), "valid JSON has no lone surrogate");
  if (rewritten) {
    Require(rewritten->size() < line.size(), "each lone surrogate's six characters become one");
    Require(!tarvel::process::LoneSurrogatesAsQuestionMarks(*rewritten), "rewritten once and for all");
  }

  const std::string text = tarvel::ReplayLine(line);
  Require(text.find('\n') == std::string::npos, "the answer is one line", text);
  const json answer = json::parse(text, nullptr, false);
  Require(!answer.is_discarded() && answer.is_object(), "the answer is a JSON object", text);
  if (answer.contains("error")) {
    Require(answer.size() == 1 && answer["error"].is_string(), "an error says only what", text);
    return 0;
  }
  if (answer.contains("points"))
    return 0;  // a design: fuzz_design checks its answers
  Require(answer["fields"].is_array() && answer["fields"].size() == tarvel::kParameterCount &&
              answer["pressure"].is_string() && answer["messages"].is_array() &&
              answer["fault"].is_boolean(),
          "a command's answer has its fields, pressure, messages and fault", text);
  const json request = json::parse(rewritten ? std::string_view(*rewritten) : line, nullptr, false);
  Require(!request.is_discarded(), "only a JSON request is answered", text);
  CheckCommand(request, answer);
  return 0;
}
