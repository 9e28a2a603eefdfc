#pragma once

#include <optional>
#include <string>

#include "climate/climate_report.h"
#include "climate/weather_reading.h"

namespace tarvel::climate_app {

// What the command line asks for.
struct ClimateCommand {
  enum class Request { Run, Help, Version };
  Request request = Request::Run;
  std::string input;  // "-": standard input
  bool json = false;
  std::optional<std::string> hours_output;  // --hours: the file the table of hours goes to
  int threads = 0;                          // 0: every core this process may run on
  climate::ReadingOptions reading;
  climate::ClimateOptions report;
};

// Reads tarvel-climate [--json] [--hours FILE] [--month A-B] [--hour A-B] [--zone LIMITS]
// [--pmv MET,CLO,SPEED] [--pressure KPA | --elevation M] [--threads N] FILE (also --opt=value,
// and "--" before a FILE that begins with "-"). Throws climate::ClimateError with the user's line
// on an unknown or repeated option, a missing or malformed value, no FILE or a second one.
ClimateCommand ParseClimateCommand(int argc, const char* const* argv);

}  // namespace tarvel::climate_app
