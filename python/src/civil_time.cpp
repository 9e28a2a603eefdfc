// Days counted from the civil (proleptic Gregorian) calendar and back, by the well-known
// era-of-400-years method: exact for every year an int64 of days can hold.
#include "python/src/civil_time.h"

namespace tarvel::python {
namespace {

constexpr std::int64_t kSecondsADay = 86400;
constexpr std::int64_t kSecondsAnHour = 3600;
constexpr std::int64_t kNanosecondsASecond = 1000000000;
// Seconds whose nanoseconds an int64 holds without reaching NaT.
constexpr std::int64_t kMostSeconds =
    std::numeric_limits<std::int64_t>::max() / kNanosecondsASecond;

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

void CivilFromDays(std::int64_t days, climate::HourTime& time) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
  time.day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  time.month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  time.year = static_cast<int>(year_of_era + era * 400 + (time.month <= 2));
}

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

}  // namespace

std::optional<std::int64_t> HourNanoseconds(const climate::HourTime& time) {
  const std::int64_t seconds =
      DaysFromCivil(time.year, time.month, time.day) * kSecondsADay + time.hour * kSecondsAnHour;
  if (seconds > kMostSeconds || seconds < -kMostSeconds)
    return std::nullopt;
  return seconds * kNanosecondsASecond;
}

bool HourAt(std::int64_t nanoseconds, int first_hour, climate::HourTime& time) {
  constexpr std::int64_t kNanosecondsAnHour = kSecondsAnHour * kNanosecondsASecond;
  const std::int64_t hours = FloorDivide(nanoseconds, kNanosecondsAnHour);
  if (hours * kNanosecondsAnHour != nanoseconds)
    return false;
  // A day of hours 1 to 24 is the clock's day an hour earlier, each hour one later.
  const std::int64_t shifted = hours - first_hour;
  CivilFromDays(FloorDivide(shifted, 24), time);
  time.hour = static_cast<int>(shifted - FloorDivide(shifted, 24) * 24) + first_hour;
  time.minute = 0;
  return true;
}

}  // namespace tarvel::python
