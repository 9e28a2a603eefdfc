#include "panel_trace.h"

#include "panel/number_text.h"

namespace tarvel::testing_support {
namespace {

std::vector<std::string> Split(std::string_view list) {
  std::vector<std::string> items;
  while (!list.empty()) {
    const size_t comma = list.find(", ");
    items.emplace_back(list.substr(0, comma));
    if (comma == std::string_view::npos)
      break;
    list.remove_prefix(comma + 2);
  }
  return items;
}

// One expected event: "Text(2)=52.5" exactly that text; "Text(2)=*" any text; "Text(2)>100" or
// "Text(0)<20" a text that reads as a number above or below the bound; "message 超出区域范围".
bool EventMatches(const std::string& actual, const std::string& expected) {
  if (expected == actual)
    return true;
  const size_t op = expected.find_first_of("=<>");
  if (op == std::string::npos || actual.compare(0, op, expected, 0, op) != 0 ||
      actual.size() <= op || actual[op] != '=') {
    return false;
  }
  const std::string bound = expected.substr(op + 1);
  const double value = ParseNumber(std::string_view(actual).substr(op + 1));
  if (expected[op] == '=')
    return bound == "*";
  if (expected[op] == '>')
    return value > ParseNumber(bound);
  return value < ParseNumber(bound);
}

// Every message of the calculation has one fixed icon and title.
MemoryPanel::Message MessageWithText(const std::string& text) {
  if (text == "请输入当地大气压力数值")
    return {text, MessageIcon::Critical, "注意"};
  if (text == "请输入两个以上空气参数")
    return {text, MessageIcon::Exclamation, "注意"};
  if (text == "无法得出结果")
    return {text, MessageIcon::None, "错误"};
  if (text == "有多种结果")
    return {text, MessageIcon::None, "注意"};
  if (text == "超出区域范围")
    return {text, MessageIcon::Critical, "注意"};
  if (text == "数值运算错误")
    return {text, MessageIcon::Critical, "错误"};
  return {"unexpected message text: " + text, MessageIcon::None, ""};
}

}  // namespace

std::string Join(const std::vector<std::string>& items) {
  std::string joined;
  for (const std::string& item : items) {
    joined += (joined.empty() ? "" : ", ") + item;
  }
  return joined;
}

std::string FieldName(AirField field) {
  const int index = FieldIndex(field);
  return index < kParameterCount ? "Text(" + std::to_string(index) + ")" : "Text4";
}

std::vector<std::string> Trace(const MemoryPanel& panel) {
  std::vector<std::string> trace;
  for (const MemoryPanel::Event& event : panel.Events()) {
    if (event.kind == MemoryPanel::Event::Kind::Write) {
      trace.push_back(FieldName(event.field) + "=" + event.text);
    } else {
      trace.push_back("message " + event.text);
    }
  }
  return trace;
}

// The whole ordered list of events must match; a last expected item "..." accepts any further
// events.
::testing::AssertionResult TraceMatches(const MemoryPanel& panel, std::string_view expected_list) {
  const std::vector<std::string> actual = Trace(panel);
  std::vector<std::string> expected = Split(expected_list);
  bool open_end = !expected.empty() && expected.back() == "...";
  if (open_end)
    expected.pop_back();
  bool ok = open_end ? actual.size() >= expected.size() : actual.size() == expected.size();
  for (size_t i = 0; ok && i < expected.size(); ++i)
    ok = EventMatches(actual[i], expected[i]);
  if (ok)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "events were [" << Join(actual) << "], expected [" << expected_list << "]";
}

::testing::AssertionResult MessagesHaveTheirIconAndTitle(const MemoryPanel& panel) {
  for (const MemoryPanel::Message& shown : panel.Messages()) {
    const MemoryPanel::Message expected = MessageWithText(shown.text);
    if (!(shown == expected)) {
      return ::testing::AssertionFailure()
             << "message \"" << shown.text << "\" shown with icon " << IconName(shown.icon)
             << " and title \"" << shown.title << "\", expected icon " << IconName(expected.icon)
             << " and title \"" << expected.title << "\"";
    }
  }
  return ::testing::AssertionSuccess();
}

// Fields that no event wrote still hold the text they started with.
::testing::AssertionResult UnwrittenFieldsKeepTheirText(const MemoryPanel& panel,
                                                        const std::array<std::string, 7>& before) {
  for (int i = 0; i < kFieldCount; ++i) {
    const AirField field = static_cast<AirField>(i);
    bool written = false;
    for (const MemoryPanel::Event& event : panel.Events()) {
      written |= event.kind == MemoryPanel::Event::Kind::Write && event.field == field;
    }
    if (!written && panel.Text(field) != before[i]) {
      return ::testing::AssertionFailure()
             << FieldName(field) << " was \"" << before[i] << "\" and is now \""
             << panel.Text(field) << "\" without a recorded write";
    }
  }
  return ::testing::AssertionSuccess();
}

MemoryPanel MakePanel(const Texts& t) {
  return MemoryPanel({t[0], t[1], t[2], t[3], t[4], t[5]}, t[6], MemoryPanel::Recording::On);
}

}  // namespace tarvel::testing_support
