#include "tables/joined_messages.h"

namespace tarvel::tables {

void JoinMessages(const std::vector<MemoryPanel::Message>& messages, std::string& out) {
  out.clear();
  for (const MemoryPanel::Message& message : messages) {
    if (!out.empty())
      out.append(kMessageJoint);
    out.append(message.text);
  }
}

}  // namespace tarvel::tables
