#pragma once

#include <cstdint>
#include <limits>
#include <optional>

#include "climate/weather_record.h"

namespace tarvel::python {

// pandas and NumPy keep a moment as nanoseconds since 1970-01-01 00:00 in an int64, the least
// int64 standing for no time (NaT). An hour of a weather record is the moment the file writes,
// read on the clock: hour 24 of a day is 0:00 of the next.
inline constexpr std::int64_t kNotATime = std::numeric_limits<std::int64_t>::min();

// The moment of an hour as written (its minute is on the hour: 0, or EPW's 60); nullopt when the
// nanoseconds of an int64 cannot hold it.
std::optional<std::int64_t> HourNanoseconds(const climate::HourTime& time);

// The hour of a record at a moment, in a record whose days begin with `first_hour` (1: 0:00 is
// hour 24 of the day before; 0: hour 0 of its day). False for a moment not on the hour.
bool HourAt(std::int64_t nanoseconds, int first_hour, climate::HourTime& time);

}  // namespace tarvel::python
