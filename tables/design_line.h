#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>

#include "process/design_outcome.h"

namespace tarvel::tables {

// A design request in, its answer out, each one line of JSON: the one function that every front
// end calls (tarvel-replay, the web page, the Python module), so that each shows the same digits.
// The request is read and the design computed by process::AnswerDesign (process/design_outcome.h);
// the answer is WriteDesignAnswer's (tables/design_answer_writing.h). Text that is not such a
// request is answered {"error": "<what is wrong>"}. Never throws.
std::string DesignAnswerLine(std::string_view request_json);

// The same for a request already parsed.
std::string ParsedDesignAnswerLine(const nlohmann::json& request);

// The line of an outcome: the answer, or {"error": "<words>"}. Never throws.
std::string OutcomeLine(const process::DesignOutcome& outcome);

}  // namespace tarvel::tables
