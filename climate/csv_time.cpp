#include "climate/csv_time.h"

#include "climate/calendar.h"
#include "climate/text_lines.h"

namespace tarvel::climate {
namespace {

// Reads 1 to `most` digits at the front of `text`; -1 when there is none.
int TakeNumber(std::string_view& text, std::size_t most) {
  std::size_t digits = 0;
  int value = 0;
  while (digits < text.size() && digits < most && text[digits] >= '0' && text[digits] <= '9')
    value = value * 10 + (text[digits++] - '0');
  text.remove_prefix(digits);
  return digits == 0 ? -1 : value;
}

bool TakeChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c)
    return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::string ReadCsvTime(std::string_view text, HourTime& time, int& second) {
  static constexpr std::string_view kForm = "不是“年-月-日 时:分”的时间";
  std::string_view rest = TrimBlanks(text);
  time.year = TakeNumber(rest, 4);
  const bool date = time.year >= 0 && TakeChar(rest, '-') &&
                    (time.month = TakeNumber(rest, 2)) >= 0 && TakeChar(rest, '-') &&
                    (time.day = TakeNumber(rest, 2)) >= 0;
  if (!date)
    return std::string(kForm);
  if (!TakeChar(rest, 'T') && !TakeChar(rest, 't')) {
    if (TrimBlanks(rest).size() == rest.size())
      return std::string(kForm);
    rest = TrimBlanks(rest);
  }
  second = 0;
  const bool clock = (time.hour = TakeNumber(rest, 2)) >= 0 && TakeChar(rest, ':') &&
                     (time.minute = TakeNumber(rest, 2)) >= 0 &&
                     (!TakeChar(rest, ':') || (second = TakeNumber(rest, 2)) >= 0);
  if (!clock || !rest.empty())
    return std::string(kForm);
  if (time.minute > 59 || second > 59)
    return "分或秒超过 59";
  if (time.hour == 24 && (time.minute != 0 || second != 0))
    return "24 时之后还有分秒";
  return CalendarProblem(time, 0, 24);
}

}  // namespace tarvel::climate
