#include "process/lone_surrogates.h"

namespace tarvel::process {
namespace {

constexpr int kNoUnit = -1;

// The UTF-16 unit of the escape \uXXXX at `at` (the backslash), or kNoUnit.
int EscapedUnit(std::string_view text, std::size_t at) {
  if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u')
    return kNoUnit;
  int unit = 0;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    const char c = text[i];
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : kNoUnit;
    if (digit == kNoUnit)
      return kNoUnit;
    unit = unit * 16 + digit;
  }
  return unit;
}

bool IsHigh(int unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLow(int unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::optional<std::string> LoneSurrogatesAsQuestionMarks(std::string_view json_text) {
  // Most text has no escape of a surrogate at all.
  if (json_text.find("\\u") == std::string_view::npos)
    return std::nullopt;
  std::string out;
  bool changed = false;
  bool in_string = false;
  std::size_t copied = 0;  // json_text before this is in `out`
  for (std::size_t i = 0; i < json_text.size(); ++i) {
    const char c = json_text[i];
    if (c == '"') {
      in_string = !in_string;
    } else if (c == '\\' && in_string) {
      const int unit = EscapedUnit(json_text, i);
      if (IsHigh(unit) && IsLow(EscapedUnit(json_text, i + 6))) {
        i += 11;  // a pair
      } else if (IsHigh(unit) || IsLow(unit)) {
        out.append(json_text.substr(copied, i - copied)).push_back('?');
        copied = i + 6;
        changed = true;
        i += 5;
      } else {
        ++i;  // any other escape: its next character is not a quote that ends the string
      }
    }
  }
  if (!changed)
    return std::nullopt;
  out.append(json_text.substr(copied));
  return out;
}

}  // namespace tarvel::process
