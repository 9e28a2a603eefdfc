#pragma once

#include <string>

#include "climate/weather_record.h"

namespace tarvel::climate {

// The Gregorian calendar, as weather records are kept in it.
bool IsLeapYear(int year);
// The days of a month of a year; 0 for a month outside 1 to 12.
int DaysInMonth(int year, int month);

// Why `time` names no moment of the calendar, with hours of the day from `first_hour` to
// `last_hour` (1 to 24 in an EPW file, 0 to 24 in a CSV one), or the empty text when it names one:
// "月份 13 不在 1 到 12 之间", "1986 年没有 2 月 29 日", ….
std::string CalendarProblem(const HourTime& time, int first_hour, int last_hour);

// The time as the table of hours writes it: "1986-01-01 01:00", the hour as the file wrote it
// (24:00 stays 24:00).
std::string TimeText(const HourTime& time);

}  // namespace tarvel::climate
