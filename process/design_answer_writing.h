#pragma once

#include <string>

#include "process/design_answer.h"

namespace tarvel::process {

// The answer of a design as one line of JSON (no line end), keys in a fixed order:
//   {"points": [{"name", "inputs": {"<parameter>": "<text>", ...}, "fields": [six texts],
//                "messages": [{"text", "icon", "title"}, ...], "volume", "density",
//                "figures": {...} (a supply state's)}, ...],
//    "flow": G, "steps": [...]}
// A number is a JSON number, the shortest decimal that reads back as the very double the core
// computed (the same digits on every machine); an infinite heat-moisture ratio is the text "∞" or
// "-∞". A figure that is not known is left out.
std::string WriteDesignAnswer(const DesignAnswer& answer);

}  // namespace tarvel::process
