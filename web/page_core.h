#pragma once

// Everything the page's core keeps for one page between the page's calls: the seven field texts
// as the page last handed them over (with the record of the last command), the text the page
// writes before a call that reads one, the design last answered, what the chart shows, the
// weather file last read, and the answer of the last call. The page makes one (tarvel_page) and
// hands it to every call, so that each call finds what it needs in it and nowhere else.

#include <array>
#include <optional>
#include <string>

#include "chart/chart_plane.h"
#include "chart/chart_pressure.h"
#include "chart/chart_range.h"
#include "panel/memory_panel.h"
#include "process/design_outcome.h"
#include "web/handover.h"
#include "web/page_climate.h"

namespace tarvel::web {

// The state the last calculation left, as it was then: where it stands, and its six values as
// the command wrote them (the dry bulb as the command read it).
struct MarkedState {
  chart::StatePoint state;
  std::array<std::string, kParameterCount> values;
};

// What the page's chart shows now: set by each drawing, used by the picks in between.
struct PageChart {
  chart::ChartLayout layout = chart::ChartLayout::EnthalpyMoisture;
  chart::ChartPressure pressure = chart::ChartPressureOf("");
  chart::ChartRange range = chart::kDefaultRange;
  std::optional<MarkedState> marked;
};

struct PageCore {
  MemoryPanel fields{MemoryPanel::Recording::On};
  std::string incoming;
  process::DesignOutcome design = std::string();
  PageChart chart;
  PageClimate climate;
  Handover answer;

  // The design last answered, or null when that request was no design.
  const process::DesignAnswer* Design() const {
    return std::get_if<process::DesignAnswer>(&design);
  }
};

}  // namespace tarvel::web
