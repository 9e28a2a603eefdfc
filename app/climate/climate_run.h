#pragma once

#include "app/climate/climate_options.h"

namespace tarvel::climate_app {

// Exit statuses of tarvel-climate.
inline constexpr int kEveryLineRead = 0;
inline constexpr int kSomeLinesUnreadable = 1;
inline constexpr int kUsageOrInputError = 2;

// Reads the weather file, calculates its hours, writes the report on standard output (and the
// table of hours where asked), tells the notes and a summary on standard error, and returns the
// exit status. Throws climate::ClimateError or batch::BatchError for a file that cannot be read
// or written, with the user's line.
int RunClimate(const ClimateCommand& command);

}  // namespace tarvel::climate_app
