#pragma once

#include <cstdint>
#include <string_view>

namespace tarvel::climate {

// The lines of a text one by one, each without its line feed and the carriage return before it.
class TextLines {
 public:
  explicit TextLines(std::string_view text) : rest_(text) {}

  // The next line, or false at the end of the text.
  bool Next(std::string_view& line) {
    if (rest_.empty())
      return false;
    const std::size_t end = rest_.find('\n');
    ended_ = end != std::string_view::npos;
    line = rest_.substr(0, ended_ ? end : rest_.size());
    rest_.remove_prefix(ended_ ? end + 1 : rest_.size());
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    ++number_;
    return true;
  }
  // The number of the line last given, counted from 1.
  std::int64_t Number() const { return number_; }
  // Whether the line last given ended with a line feed: the last line of a file cut short has none.
  bool Ended() const { return ended_; }
  bool AtEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
  std::int64_t number_ = 0;
  bool ended_ = true;
};

// Blanks and tabs at either end dropped.
inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

// A whole number of at most nine digits with blanks around it, or -1.
inline int ReadCount(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text.size() > 9)
    return -1;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9')
      return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace tarvel::climate
