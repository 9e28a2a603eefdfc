#include "climate/record_notes.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "climate/calendar.h"
#include "climate/weather_reading.h"

namespace tarvel::climate {
namespace {

constexpr std::int64_t kHoursAYear = 8760;
// Positions of hours in a year of 366 days, so that 29 February always has its place.
constexpr int kSlotsAYear = 366 * 24;
constexpr int kDaysBeforeFebruary29 = 31 + 28;
constexpr int kNotedLines = 3;

int Slot(const HourTime& time) {
  static constexpr std::array<int, 12> kDaysBefore = {0,   31,  60,  91,  121, 152,
                                                      182, 213, 244, 274, 305, 335};
  return (kDaysBefore[time.month - 1] + time.day - 1) * 24 + time.hour;
}

// The slots of 29 February among those after `from` up to `from + span`, counting on into the
// next year: a record may leave that day out, and its absence is no gap.
int February29Slots(int from, int span, int first_hour) {
  int count = 0;
  for (const int start : {kDaysBeforeFebruary29 * 24 + first_hour,
                          kDaysBeforeFebruary29 * 24 + first_hour + kSlotsAYear}) {
    const int low = std::max(from + 1, start);
    const int high = std::min(from + span, start + 23);
    count += std::max(0, high - low + 1);
  }
  return count;
}

std::string LineList(const std::vector<std::int64_t>& lines, std::int64_t total) {
  std::string text;
  for (const std::int64_t line : lines) {
    text += text.empty() ? "第" : "、第";
    text += std::to_string(line) + "行";
  }
  return text + (total > static_cast<std::int64_t>(lines.size()) ? "等" : "");
}

struct Gaps {
  std::int64_t count = 0;
  std::int64_t hours = 0;
  std::vector<std::int64_t> lines;  // the first lines after a gap
};

Gaps CheckOrder(FormatReading& reading) {
  Gaps gaps;
  const WeatherHour* previous = nullptr;
  for (WeatherHour& hour : reading.record.hours) {
    if (hour.status == HourStatus::Unreadable)
      continue;
    if (!previous) {
      previous = &hour;
      continue;
    }
    int step = Slot(hour.time) - Slot(previous->time);
    if (step <= 0 && hour.time.year != previous->time.year)
      step += kSlotsAYear;  // the next year begins
    if (step <= 0) {
      hour.status = HourStatus::Unreadable;
      hour.message = UnreadableLine(hour.line, (step == 0 ? "与第" : "时间早于第") +
                                                   std::to_string(previous->line) +
                                                   (step == 0 ? "行是同一小时" : "行"));
      continue;
    }
    const int skipped =
        step - 1 - February29Slots(Slot(previous->time), step - 1, reading.first_hour);
    if (skipped > 0) {
      ++gaps.count;
      gaps.hours += skipped;
      if (gaps.lines.size() < kNotedLines)
        gaps.lines.push_back(hour.line);
    }
    previous = &hour;
  }
  return gaps;
}

}  // namespace

int WholeYears(std::int64_t hours) {
  return static_cast<int>(std::max<std::int64_t>(1, hours / kHoursAYear));
}

void CheckRecord(FormatReading& reading) {
  WeatherRecord& record = reading.record;
  std::vector<std::string>& notes = record.notes;
  if (reading.between_hours > 0) {
    notes.push_back("有" + std::to_string(reading.between_hours) + "行不在整点（分钟不是 " +
                    (record.format == WeatherFormat::Epw ? "0 或 60" : "0") +
                    "），已跳过：每小时只取整点的值");
  }
  const Gaps gaps = CheckOrder(reading);
  if (gaps.count > 0) {
    notes.push_back("时间有" + std::to_string(gaps.count) + "处间断，共缺" +
                    std::to_string(gaps.hours) + "小时（" + LineList(gaps.lines, gaps.count) +
                    "之前）；缺的小时不补，不参加统计");
  }
  std::int64_t leap_hours = 0;
  std::int64_t leap_days = 0;
  const WeatherHour* last_leap = nullptr;
  for (const WeatherHour& hour : record.hours) {
    if (!hour.timed || hour.time.month != 2 || hour.time.day != 29)
      continue;
    ++leap_hours;
    if (!last_leap || last_leap->time.year != hour.time.year)
      ++leap_days;
    last_leap = &hour;
  }
  if (leap_hours > 0) {
    notes.push_back("有" + std::to_string(leap_days) + "个闰日（2 月 29 日），共" +
                    std::to_string(leap_hours) + "小时，照常参加统计");
  }
  const std::int64_t hours = static_cast<std::int64_t>(record.hours.size());
  if (hours < kHoursAYear) {
    notes.push_back("记录只有" + std::to_string(hours) +
                    "小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时");
  } else if (hours % kHoursAYear != 0 && (hours - leap_hours) % kHoursAYear != 0) {
    notes.push_back("记录有" + std::to_string(hours) + "小时，不是整年：年数按" +
                    std::to_string(WholeYears(hours)) + "计（小时数除以 8760 取整）");
  }
}

}  // namespace tarvel::climate
