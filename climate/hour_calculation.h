#pragma once

#include <span>

#include "climate/weather_record.h"

namespace tarvel::climate {

// Runs the calculate command for each hour that is ready, as the window runs it when the hour's
// texts are typed into its fields and "湿空气参数计算" is pressed: the pressure field holds the
// hour's pressure, the dry-bulb field and the humidity's field their texts as the file writes
// them, every other field is empty. The hour keeps the six texts the command leaves and its
// messages, joined as tarvel-batch joins them; an hour the command completes without a message
// is a State, with ReadNumber of its texts as its values, and one that ends with a message is a
// Message and takes no part in the statistics. Hours are independent of each other, so any
// blocks of hours may be calculated on any threads with the same results.
void CalculateHours(std::span<WeatherHour> hours);

}  // namespace tarvel::climate
