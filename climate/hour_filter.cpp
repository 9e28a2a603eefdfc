#include "climate/hour_filter.h"

#include "climate/climate_error.h"
#include "climate/quoted_text.h"
#include "climate/text_lines.h"

namespace tarvel::climate {
namespace {

CyclicRange ParseRange(std::string_view text, int lowest, int highest, std::string_view what) {
  const std::size_t dash = text.find('-');
  const int first = ReadCount(text.substr(0, dash));
  const int last = dash == std::string_view::npos ? first : ReadCount(text.substr(dash + 1));
  if (first < lowest || first > highest || last < lowest || last > highest) {
    throw ClimateError(std::string(what) + Quoted(text) + "应是 " + std::to_string(lowest) +
                       " 到 " + std::to_string(highest) +
                       " 之间的一个数，或用 - 连接的两个数（如 6-8）");
  }
  return {first, last};
}

std::string RangeText(const CyclicRange& range) {
  return range.first == range.last ? std::to_string(range.first)
                                   : std::to_string(range.first) + "-" + std::to_string(range.last);
}

}  // namespace

CyclicRange ParseMonthRange(std::string_view text) {
  const CyclicRange range = ParseRange(text, 1, 12, "月份");
  // A range that wraps round to the month before its first is the whole year ("3-2").
  return range.last % 12 + 1 == range.first ? kEveryMonth : range;
}

CyclicRange ParseHourRange(std::string_view text) {
  const CyclicRange raw = ParseRange(text, 0, 24, "时刻");
  if (raw.first == 0 && raw.last == 24)
    return kEveryHour;
  const CyclicRange range{raw.first % 24, raw.last % 24};
  // "1-24", the hours of an EPW day, and any range that wraps round to the hour before its first
  // are the whole day.
  return (range.last + 1) % 24 == range.first ? kEveryHour : range;
}

std::string FilterText(const HourFilter& filter) {
  const bool months = filter.months != kEveryMonth;
  const bool hours = filter.hours != kEveryHour;
  if (!months && !hours)
    return "全年";
  std::string text;
  if (months)
    text = RangeText(filter.months) + " 月";
  if (hours)
    text += (months ? "，" : "") + RangeText(filter.hours) + " 时";
  return text;
}

}  // namespace tarvel::climate
