#include "process/design_line.h"

#include <exception>
#include <nlohmann/json.hpp>
#include <variant>

#include "process/design_answer_writing.h"
#include "process/design_request_reading.h"
#include "process/design_run.h"

namespace tarvel::process {
std::string ParsedDesignAnswerLine(const nlohmann::json& request) {
  try {
    std::variant<Design, std::string> read = ReadDesignRequest(request);
    if (const std::string* problem = std::get_if<std::string>(&read))
      return ErrorLine(*problem);
    return WriteDesignAnswer(RunDesign(std::get<Design>(read)));
  } catch (const std::exception& e) {
    return ErrorLine(e.what());
  }
}

std::string DesignAnswerLine(std::string_view request_json) {
  try {
    return ParsedDesignAnswerLine(nlohmann::json::parse(request_json.begin(), request_json.end()));
  } catch (const nlohmann::json::parse_error& e) {
    return ErrorLine(std::string("not valid JSON: ") + e.what());
  } catch (const std::exception& e) {
    return ErrorLine(e.what());
  }
}

}  // namespace tarvel::process
