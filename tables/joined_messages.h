#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "panel/memory_panel.h"

namespace tarvel::tables {

// Between two messages of one command in a single cell or text.
inline constexpr std::string_view kMessageJoint = "；";

// The texts of a command's messages in the order it showed them, joined by kMessageJoint, as one
// cell of a table holds them: into `out`, which they replace (its storage is kept, so that a row
// after row allocates nothing once it has grown). Empty when there was none.
void JoinMessages(const std::vector<MemoryPanel::Message>& messages, std::string& out);

}  // namespace tarvel::tables
