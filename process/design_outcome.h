#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <variant>

#include "process/design_answer.h"

namespace tarvel::process {

// A design request answered: the design's states and figures, or the words for what is wrong with
// the request as a whole. The request is a JSON object {"command": "design" (may be left out),
// "pressure": "<kPa>", "flow": "<kg/s>" (optional), "points": [...]} (process/design_request.h).
// Every front end's answer is made from it: its JSON line (tables/design_line.h), the page's chart
// and table. Never throws.
using DesignOutcome = std::variant<DesignAnswer, std::string>;
DesignOutcome AnswerDesign(std::string_view request_json);
DesignOutcome AnswerParsedDesign(const nlohmann::json& request);

}  // namespace tarvel::process
