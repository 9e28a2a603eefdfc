#include "tables/answer_json.h"

namespace tarvel::tables {

AnswerJson MessageList(const std::vector<MemoryPanel::Message>& messages) {
  AnswerJson list = AnswerJson::array();
  for (const MemoryPanel::Message& message : messages) {
    list.push_back(
        {{"icon", IconName(message.icon)}, {"text", message.text}, {"title", message.title}});
  }
  return list;
}

std::string AnswerLine(const AnswerJson& value) {
  return value.dump(-1, ' ', false, AnswerJson::error_handler_t::replace);
}

std::string ErrorLine(std::string_view what) {
  return AnswerLine(AnswerJson{{"error", what}});
}

}  // namespace tarvel::tables
