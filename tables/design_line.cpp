#include "tables/design_line.h"

#include <exception>

#include "tables/answer_json.h"
#include "tables/design_answer_writing.h"

namespace tarvel::tables {

std::string OutcomeLine(const process::DesignOutcome& outcome) {
  try {
    if (const std::string* problem = std::get_if<std::string>(&outcome))
      return ErrorLine(*problem);
    return WriteDesignAnswer(std::get<process::DesignAnswer>(outcome));
  } catch (const std::exception& e) {
    return ErrorLine(e.what());
  }
}

std::string ParsedDesignAnswerLine(const nlohmann::json& request) {
  return OutcomeLine(process::AnswerParsedDesign(request));
}

std::string DesignAnswerLine(std::string_view request_json) {
  return OutcomeLine(process::AnswerDesign(request_json));
}

}  // namespace tarvel::tables
