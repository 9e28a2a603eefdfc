#pragma once

#include <string>

#include "climate/climate_report.h"
#include "climate/weather_record.h"

namespace tarvel::climate_app {

// The report as tarvel-climate prints it without --json: a readable table in Chinese of the
// station, the record and what it lacks, the design conditions, the annual percentiles, the
// outdoor states W and the zones.
std::string ClimateTable(const climate::ClimateReport& report,
                         const climate::WeatherRecord& record);

}  // namespace tarvel::climate_app
