#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <variant>

#include "process/design_answer.h"

namespace tarvel::process {

// A design request in, its answer out, each one line of JSON: the one function that every front
// end calls (tarvel-replay, the web page, a binding for another language), so that each shows the
// same digits.
//
// The request is a JSON object {"command": "design" (may be left out), "pressure": "<kPa>",
// "flow": "<kg/s>" (optional), "points": [...]}; the answer is WriteDesignAnswer's
// (process/design_answer_writing.h). Text that is not such a request is answered
// {"error": "<what is wrong>"}. Never throws.
std::string DesignAnswerLine(std::string_view request_json);

// The same for a request already parsed.
std::string ParsedDesignAnswerLine(const nlohmann::json& request);

// What DesignAnswerLine writes, before it is written: the design's answer, or the words for what
// is wrong with the request as a whole. For a front end that shows more of a design than its line
// (the web page's table). Never throws.
using DesignOutcome = std::variant<DesignAnswer, std::string>;
DesignOutcome AnswerDesign(std::string_view request_json);
DesignOutcome AnswerParsedDesign(const nlohmann::json& request);

// The line of an outcome: the answer, or {"error": "<words>"}. Never throws.
std::string OutcomeLine(const DesignOutcome& outcome);

}  // namespace tarvel::process
