#pragma once

// What the page's core keeps of the weather file last read: every hour with its state, the
// statistics of the whole record, the options the panel last set and the answer for them, and the
// zones' outlines on the chart last drawn.

#include <optional>
#include <string>
#include <vector>

#include "chart/chart_range.h"
#include "climate/climate_report.h"
#include "climate/record_means.h"
#include "climate/weather_reading.h"
#include "climate/weather_record.h"

namespace tarvel::web {

// A weather file read and every hour calculated, with what does not change with the options.
struct LoadedRecord {
  climate::WeatherRecord record;
  climate::StateColumns columns;
  // The report: its design conditions are the whole record's; its zones and counts those of the
  // options last set.
  climate::ClimateReport report;
  // Two corners of the states of the record, which the chart's range holds.
  std::vector<chart::StatePoint> extent;
  std::string answer;  // ClimateJson(report)
  std::string shown;   // what the panel shows beside it
};

// The zones' outlines as states, for the pressure, range and options they were drawn for.
struct ZoneOutlines {
  double pressure = 0;
  chart::ChartRange range{};
  climate::PmvSettings pmv;
  std::vector<climate::Zone> zones;
  std::vector<std::vector<chart::StatePoint>> states;
};

struct PageClimate {
  climate::ReadingOptions reading;
  climate::ClimateOptions options;
  std::optional<LoadedRecord> loaded;
  std::optional<ZoneOutlines> outlines;
};

}  // namespace tarvel::web
