#pragma once

#include <string>

#include "climate/weather_record.h"

namespace tarvel::climate {

// The header line of the table of hours, as tarvel-batch names its columns: 时间, 当地大气压力,
// the six parameters in field order, 提示; ended by a line feed.
std::string HoursTableHeader();

// Appends an hour's row: its time (TimeText; empty for a line whose time could not be read), the
// pressure field's text, the six texts the calculate command left (empty for an hour that was
// not calculated), and its messages or why it takes no part. Cells are written as tarvel-batch
// writes them (tables::AppendCell, commas), the row ended by a line feed.
void AppendHourRow(const WeatherHour& hour, std::string& out);

// The whole table: the header, then every hour in file order. UTF-8 without a byte-order mark.
std::string HoursTable(const WeatherRecord& record);

}  // namespace tarvel::climate
