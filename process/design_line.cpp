#include "process/design_line.h"

#include <exception>
#include <nlohmann/json.hpp>
#include <variant>

#include "process/design_answer_writing.h"
#include "process/design_request_reading.h"
#include "process/design_run.h"

namespace tarvel::process {
namespace {

std::string Error(const std::string& what) {
  return nlohmann::json{{"error", what}}.dump(-1, ' ', false,
                                              nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::string ParsedDesignAnswerLine(const nlohmann::json& request) {
  try {
    std::variant<Design, std::string> read = ReadDesignRequest(request);
    if (const std::string* problem = std::get_if<std::string>(&read))
      return Error(*problem);
    return WriteDesignAnswer(RunDesign(std::get<Design>(read)));
  } catch (const std::exception& e) {
    return Error(e.what());
  }
}

std::string DesignAnswerLine(std::string_view request_json) {
  try {
    return ParsedDesignAnswerLine(nlohmann::json::parse(request_json.begin(), request_json.end()));
  } catch (const nlohmann::json::parse_error& e) {
    return Error(std::string("not valid JSON: ") + e.what());
  } catch (const std::exception& e) {
    return Error(e.what());
  }
}

}  // namespace tarvel::process
