#include "process/design_outcome.h"

#include <exception>
#include <nlohmann/json.hpp>

#include "process/design_messages.h"
#include "process/design_request_reading.h"
#include "process/design_run.h"

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
  try {
    return AnswerParsedDesign(nlohmann::json::parse(request_json.begin(), request_json.end()));
  } catch (const nlohmann::json::parse_error& e) {
    return messages::RequestNotJson(e.byte, request_json.size());
  } catch (const std::exception& e) {
    return std::string(e.what());
  }
}

}  // namespace tarvel::process
