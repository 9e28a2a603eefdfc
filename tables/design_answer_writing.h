#pragma once

#include <string>

#include "process/design_answer.h"
#include "tables/answer_json.h"

namespace tarvel::tables {

// The answer of a design as one line of JSON (no line end):
//   {"points": [{"name", "inputs": {"<parameter>": "<text>", ...} in field order,
//                "fields": [six texts], "messages": [{"icon", "text", "title"}, ...],
//                "volume", "density", "figures": {...} (a supply state's)}, ...],
//    "flow": G, "steps": [{"process", "from", "to", ..., "path": [[t, d], ...]}, ...]}
// A number is a JSON number in nlohmann-json's writing: the shortest decimal that reads back as the
// very double the core computed (a whole number with ".0"), the same text on every machine. An
// infinite heat-moisture ratio is the text "∞" or "-∞". A figure that is not known is left out.
// The lines (`path`, `ratio_line`) are the chart's (chart/design_lines.h).
std::string WriteDesignAnswer(const process::DesignAnswer& answer);

// One point of such an answer, as it stands in "points"; a supply state's ε line is drawn only
// within a whole design, so it is left out here.
AnswerJson PointJson(const process::PointAnswer& point);

}  // namespace tarvel::tables
