#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>

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

}  // namespace tarvel::process
