// The record as a whole: the order of its hours, its gaps, leap days and whole years, told in its
// notes without anything invented.
#include <gtest/gtest.h>

#include "climate/calendar.h"
#include "climate/record_notes.h"
#include "climate/weather_reading.h"
#include "weather_texts.h"

namespace tarvel::climate {
namespace {

using testing_support::EpwHeader;
using testing_support::EpwLine;

std::string Hour(int year, int month, int day, int hour) {
  return EpwLine(year, month, day, hour, "20.0", "10.0", "52", "101325");
}

// Every hour of the days from (month, day) for `days` days of `year`, hours 1 to 24.
std::string Days(int year, int month, int day, int days) {
  std::string text;
  for (int i = 0; i < days; ++i) {
    for (int hour = 1; hour <= 24; ++hour)
      text += Hour(year, month, day, hour);
    if (++day > DaysInMonth(year, month)) {
      day = 1;
      month = month % 12 + 1;
      year += month == 1 ? 1 : 0;
    }
  }
  return text;
}

TEST(ClimateRecord, WholeYearsAreTheHoursOver8760RoundedDown) {
  const std::pair<std::int64_t, int> cases[] = {{1, 1},       {8759, 1},    {8760, 1},
                                                {8784, 1},    {17519, 1},   {17520, 2},
                                                {262800, 30}, {262968, 30}, {271559, 30}};
  for (const auto& [hours, years] : cases)
    EXPECT_EQ(WholeYears(hours), years) << hours << " hours";
}

TEST(ClimateRecord, OrderGapsLeapDaysAndPartialYearsAreTold) {
  const struct {
    std::string name;
    std::string data;
    std::vector<std::string> notes;
    std::vector<std::string> unreadable;  // messages of the lines marked unreadable
  } cases[] = {
      {"a common year's February without 29 is whole",
       Days(2001, 2, 27, 3),
       {"记录只有72小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时"},
       {}},
      {"a leap year's February 29 is kept and told",
       Days(2004, 2, 28, 3),
       {"有1个闰日（2 月 29 日），共24小时，照常参加统计",
        "记录只有72小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时"},
       {}},
      {"a leap year may leave February 29 out (typical years do)",
       Days(2004, 2, 28, 1) + Days(2004, 3, 1, 1),
       {"记录只有48小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时"},
       {}},
      {"a gap of hours",
       Hour(2001, 1, 1, 1) + Hour(2001, 1, 1, 4) + Hour(2001, 1, 2, 1),
       {"时间有2处间断，共缺22小时（第10行、第11行之前）；缺的小时不补，不参加统计",
        "记录只有3小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时"},
       {}},
      {"a repeated hour and one that goes back",
       Hour(2001, 1, 1, 1) + Hour(2001, 1, 1, 2) + Hour(2001, 1, 1, 2) + Hour(2001, 1, 1, 1) +
           Hour(2001, 1, 1, 3),
       {"记录只有5小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时"},
       {"第11行无法读取（与第10行是同一小时）", "第12行无法读取（时间早于第10行）"}},
      {"the next year follows the last hour of December",
       Days(2001, 12, 31, 1) + Days(2002, 1, 1, 1),
       {"记录只有48小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时"},
       {}},
      {"months of different years, as a typical year has them",
       Days(1986, 1, 31, 1) + Days(1990, 2, 1, 28) + Days(1975, 3, 1, 1),
       {"记录只有720小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时"},
       {}},
      {"a year missing its December is a gap",
       Days(2001, 11, 30, 1) + Days(2002, 1, 1, 1),
       {"时间有1处间断，共缺744小时（第33行之前）；缺的小时不补，不参加统计",
        "记录只有48小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时"},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const WeatherRecord record = ReadWeather(EpwHeader() + c.data, {});
    EXPECT_EQ(record.notes, c.notes);
    std::vector<std::string> unreadable;
    for (const WeatherHour& hour : record.hours) {
      if (hour.status == HourStatus::Unreadable)
        unreadable.push_back(hour.message);
    }
    EXPECT_EQ(unreadable, c.unreadable);
  }
}

TEST(ClimateRecord, CsvClocksOfEitherKindRunWithoutGaps) {
  for (const bool midnight_last : {false, true}) {
    SCOPED_TRACE(midnight_last ? "01:00 to 24:00" : "00:00 to 23:00");
    std::string text = "time,pressure,dry_bulb,dew_point\n";
    for (int day = 27; day <= 28 + 1; ++day) {
      const int month = day == 29 ? 3 : 2;
      for (int hour = midnight_last ? 1 : 0; hour <= (midnight_last ? 24 : 23); ++hour) {
        text += "2001-0" + std::to_string(month) + "-" + (day == 29 ? "01" : std::to_string(day)) +
                " " + (hour < 10 ? "0" : "") + std::to_string(hour) + ":00,101.325,20,10\n";
      }
    }
    const WeatherRecord record = ReadWeather(text, {});
    EXPECT_EQ(record.hours.size(), 72u);
    EXPECT_EQ(record.notes,
              std::vector<std::string>{
                  "记录只有72小时，不足一年（8760 小时）：年数按 1 计，统计只用已有的小时"});
  }
}

TEST(ClimateRecord, ThirtyYearsAreThirtyWithTheirLeapDays) {
  std::string text = EpwHeader();
  text.reserve(30 * 8784 * 120);
  text += Days(1990, 1, 1, 30 * 365 + 7);
  const WeatherRecord record = ReadWeather(text, {});
  EXPECT_EQ(record.hours.size(), 262968u);
  EXPECT_EQ(WholeYears(static_cast<std::int64_t>(record.hours.size())), 30);
  EXPECT_EQ(record.notes,
            std::vector<std::string>{"有7个闰日（2 月 29 日），共168小时，照常参加统计"})
      << "30 whole years with their leap days are a whole record";
}

}  // namespace
}  // namespace tarvel::climate
