#pragma once

#include <span>

#include "climate/weather_record.h"

namespace tarvel::climate_app {

// The cores this process may run on.
int AvailableCores();

// Calculates the hours on `threads` threads (the calling one among them), each taking the next
// block of hours in turn. Every hour is calculated on its own, so the results are those of one
// thread, whatever the number.
void CalculateInParallel(std::span<climate::WeatherHour> hours, int threads);

}  // namespace tarvel::climate_app
