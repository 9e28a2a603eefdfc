#pragma once

// The answer lines of the replay protocol, which every headless run of the core speaks: one line
// of JSON per answer, members in the order written, any byte that is no part of valid UTF-8 (a
// name may hold any bytes) written as U+FFFD.

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "panel/memory_panel.h"

namespace tarvel::tables {

using AnswerJson = nlohmann::ordered_json;

// A command's messages, in the order shown: [{"icon", "text", "title"}, ...].
AnswerJson MessageList(const std::vector<MemoryPanel::Message>& messages);

// The value as one line (no line end).
std::string AnswerLine(const AnswerJson& value);

// {"error": "<what>"}, the answer to a line that is no request.
std::string ErrorLine(std::string_view what);

}  // namespace tarvel::tables
