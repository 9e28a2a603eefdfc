#include "climate/calendar.h"

#include <array>

namespace tarvel::climate {
namespace {

void AppendTwoDigits(std::string& out, int value) {
  out.push_back(static_cast<char>('0' + value / 10 % 10));
  out.push_back(static_cast<char>('0' + value % 10));
}

std::string Between(std::string_view what, int value, int first, int last) {
  return std::string(what) + " " + std::to_string(value) + " 不在 " + std::to_string(first) +
         " 到 " + std::to_string(last) + " 之间";
}

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12)
    return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::string CalendarProblem(const HourTime& time, int first_hour, int last_hour) {
  if (time.month < 1 || time.month > 12)
    return Between("月份", time.month, 1, 12);
  const int days = DaysInMonth(time.year, time.month);
  if (time.month == 2 && time.day == 29 && days == 28)
    return std::to_string(time.year) + " 年没有 2 月 29 日";
  if (time.day < 1 || time.day > days)
    return Between("日期", time.day, 1, days);
  if (time.hour < first_hour || time.hour > last_hour)
    return Between("小时", time.hour, first_hour, last_hour);
  return {};
}

std::string TimeText(const HourTime& time) {
  std::string text = std::to_string(time.year);
  while (text.size() < 4)
    text.insert(text.begin(), '0');
  text.push_back('-');
  AppendTwoDigits(text, time.month);
  text.push_back('-');
  AppendTwoDigits(text, time.day);
  text.push_back(' ');
  AppendTwoDigits(text, time.hour);
  text.push_back(':');
  AppendTwoDigits(text, time.minute);
  return text;
}

}  // namespace tarvel::climate
