#pragma once

#include <string>
#include <string_view>

#include "climate/weather_record.h"

namespace tarvel::climate {

// Reads the time of a CSV row: "YYYY-MM-DD HH:MM", with a T or blanks between the date and the
// time, seconds (":SS") allowed, blanks around the whole; the hour 0 to 24, 24 only as 24:00, the
// end of that day. Returns why the text is no such time, or the empty text, with `time` and
// `second` set.
std::string ReadCsvTime(std::string_view text, HourTime& time, int& second);

}  // namespace tarvel::climate
