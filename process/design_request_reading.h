#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <variant>

#include "process/design_request.h"

namespace tarvel::process {

// Reads a design request from its JSON object:
//   {"command": "design", "pressure": "<kPa>", "flow": "<kg/s>" (optional),
//    "points": [{"name": "...", "<process>": {...}}, ...]}
// A problem of the request as a whole (not an object, "pressure" or "points" missing or of the
// wrong type, a "command" other than "design", a "flow" that is not a text of a positive number)
// gives its description in words. A problem of one point (not an object, no name, no process or
// several, a key missing, a value that is not a text) is kept in that point's `problem`, so that
// the rest of the design is still computed.
std::variant<Design, std::string> ReadDesignRequest(const nlohmann::json& request);

}  // namespace tarvel::process
