#include "process/design_outcome.h"

#include <exception>
#include <optional>
#include <string>
#include <nlohmann/json.hpp>

#include "process/design_messages.h"
#include "process/design_request_reading.h"
#include "process/design_run.h"
#include "process/lone_surrogates.h"

namespace tarvel::process {

DesignOutcome AnswerParsedDesign(const nlohmann::json& request) {
  try {
    std::variant<Design, std::string> read = ReadDesignRequest(request);
    if (std::string* problem = std::get_if<std::string>(&read))
      return std::move(*problem);
    return RunDesign(std::get<Design>(read));
  } catch (const std::exception& e) {
    return std::string(e.what());
  }
}

DesignOutcome AnswerDesign(std::string_view request_json) {
  // No JSON text holds a NUL byte, but the JSON reader takes one for the end of the text and would
  // answer the request before it as if the rest were not there.
  if (const std::size_t nul = request_json.find('\0'); nul != std::string_view::npos)
    return messages::RequestNotJson(nul + 1, request_json.size());
  const std::optional<std::string> readable = LoneSurrogatesAsQuestionMarks(request_json);
  const std::string_view text = readable ? std::string_view(*readable) : request_json;
  try {
    return AnswerParsedDesign(nlohmann::json::parse(text.begin(), text.end()));
  } catch (const nlohmann::json::parse_error& e) {
    return messages::RequestNotJson(e.byte, text.size());
  } catch (const std::exception& e) {
    return std::string(e.what());
  }
}

}  // namespace tarvel::process
