#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// Runs one replay request on a fresh in-memory panel and returns the one-line JSON answer.
//
// Request:  {"fields": [six texts Text(0)..Text(5)], "pressure": "<Text4>",
//            "command": "calculate" | "clear"}
//        or  {"command": "design", "pressure": ..., "points": [...]}, answered by
//            tables::DesignAnswerLine (tables/design_line.h)
// Answer:   {"fields": [six texts after the command], "pressure": "<Text4 after>",
//            "messages": [{"text": ..., "icon": "None"|"Critical"|"Exclamation"|"Information",
//                          "title": ...}, ...],
//            "fault": true when the command ended by a numeric fault}
// A text holding a lone surrogate (a \u escape of half a UTF-16 pair) holds "?" there instead, as
// the window hands such a text to the core. A line that is not such a request (a NUL byte
// anywhere makes it none) is answered {"error": "<what is wrong>"}. Never throws.
std::string ReplayLine(std::string_view line);

}  // namespace tarvel
