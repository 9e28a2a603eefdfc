#pragma once

#include <string>
#include <string_view>

#include "process/design_answer.h"

namespace tarvel::process {

// The answer of a design as one line of JSON (no line end):
//   {"points": [{"name", "inputs": {"<parameter>": "<text>", ...} in field order,
//                "fields": [six texts], "messages": [{"icon", "text", "title"}, ...],
//                "volume", "density", "figures": {...} (a supply state's)}, ...],
//    "flow": G, "steps": [{"process", "from", "to", ..., "path": [[t, d], ...]}, ...]}
// A number is a JSON number in nlohmann-json's writing: the shortest decimal that reads back as the
// very double the core computed (a whole number with ".0"), the same text on every machine. An
// infinite heat-moisture ratio is the text "∞" or "-∞". A figure that is not known is left out.
std::string WriteDesignAnswer(const DesignAnswer& answer);

// A heat-moisture ratio as its label shows it: as the calculator writes a number, or "∞" / "-∞"
// when the room's moisture load is zero.
std::string RatioText(double ratio);

// {"error": "<what>"}, as the replay tool answers a line that is no request.
std::string ErrorLine(std::string_view what);

}  // namespace tarvel::process
