#pragma once

#include <string>

#include "climate/climate_report.h"
#include "climate/weather_record.h"

namespace tarvel::climate {

// The climate answer of a record as one JSON object on one line (no line end), with exactly
// these keys, in this order:
//   "station": {"name", "country", "latitude", "longitude", "elevation"}, each the file's text or
//              null;
//   "years": N; "hours": the hours of the record; "missing": those that take no part;
//   "conditions": {"summer_dry_bulb", …, "winter_pressure" (texts as the window writes them, or
//                  null), "cooling", "evaporation", "dehumidification", "heating": [{"percent",
//                  the figures by key}, …]};
//   "outdoor": {"summer", "winter"}: each {"pressure", then the point as a design answer writes
//              it: "name", "inputs", "fields", "messages", "volume", "density"}, or null;
//   "zones": [{"name", "hours", "share" (text, or null without any hour)}, …].
// The page, the Python module and tarvel-climate --json all answer with this function.
std::string ClimateJson(const ClimateReport& report);

// The same for a record whose hours are calculated.
std::string ClimateJson(const WeatherRecord& record, const ClimateOptions& options);

}  // namespace tarvel::climate
