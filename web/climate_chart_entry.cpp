// The weather file on the page's chart: the hours that the panel's filter selects, as a density of
// hours per cell of a round grid or as one point an hour, and the zones' outlines, all on the
// plane of the chart last laid out (tarvel_chart_draw) in one answer, for the page to map onto its
// drawing. Every count, band and outline is the core's (climate/).
#include <emscripten/emscripten.h>

#include <array>
#include <string>
#include <vector>

#include "climate/density_bands.h"
#include "climate/density_grid.h"
#include "climate/zone_outline.h"
#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "web/handover.h"
#include "web/page_core.h"

namespace {

namespace chart = tarvel::chart;
namespace climate = tarvel::climate;
using tarvel::web::Add;
using tarvel::web::At;
using tarvel::web::kClimateCellNumbers;
using tarvel::web::kClimateDrawNumbers;
using tarvel::web::PageCore;

using Head = std::array<double, kClimateDrawNumbers.size()>;

// The caption of the legend: what a cell of the grid spans in the layout's units.
std::string CellCaption(chart::ChartLayout layout, const climate::RoundGrid& grid) {
  const bool hd = layout == chart::ChartLayout::EnthalpyMoisture;
  return "小时数（每格 " + tarvel::FormatNumber(grid.width) + (hd ? " g/kg × " : " ℃ × ") +
         tarvel::FormatNumber(grid.height) + (hd ? " kJ/kg）" : " g/kg）");
}

// The density of the selected hours over a round grid of the chart's box: the head's grid and
// counts, each cell that holds an hour, and the texts of the legend.
void AddDensity(PageCore& page, int most_columns, int most_rows, Head& head,
                std::vector<double>& cells) {
  const tarvel::web::LoadedRecord& loaded = *page.climate.loaded;
  const chart::ChartLayout layout = page.chart.layout;
  const climate::RoundGrid grid =
      climate::RoundCells(chart::PlaneBoxOf(layout, page.chart.range), most_columns, most_rows);
  const climate::DensityGrid density = climate::CountDensity(
      loaded.record, page.climate.options.filter, layout, grid.box, grid.columns, grid.rows);
  const std::vector<climate::DensityBand> bands = climate::DensityBands(density.most);
  head[At(kClimateDrawNumbers, "columns")] = grid.columns;
  head[At(kClimateDrawNumbers, "rows")] = grid.rows;
  head[At(kClimateDrawNumbers, "xMin")] = grid.box.x_min;
  head[At(kClimateDrawNumbers, "xMax")] = grid.box.x_max;
  head[At(kClimateDrawNumbers, "yMin")] = grid.box.y_min;
  head[At(kClimateDrawNumbers, "yMax")] = grid.box.y_max;
  head[At(kClimateDrawNumbers, "bands")] = static_cast<double>(bands.size());
  head[At(kClimateDrawNumbers, "outside")] = static_cast<double>(density.outside);
  std::vector<std::string>& texts = page.answer.texts;
  texts.push_back(CellCaption(layout, grid));
  for (const climate::DensityBand& band : bands)
    texts.push_back(climate::BandText(band));
  double count = 0;
  for (int row = 0; row < grid.rows; ++row) {
    for (int column = 0; column < grid.columns; ++column) {
      const std::int64_t hours = density.counts[static_cast<std::size_t>(row) * grid.columns +
                                                static_cast<std::size_t>(column)];
      if (hours == 0)
        continue;
      std::array<double, kClimateCellNumbers.size()> cell{};
      cell[At(kClimateCellNumbers, "column")] = column;
      cell[At(kClimateCellNumbers, "row")] = row;
      cell[At(kClimateCellNumbers, "xMin")] = grid.box.x_min + grid.width * column;
      cell[At(kClimateCellNumbers, "xMax")] = grid.box.x_min + grid.width * (column + 1);
      cell[At(kClimateCellNumbers, "yMin")] = grid.box.y_min + grid.height * row;
      cell[At(kClimateCellNumbers, "yMax")] = grid.box.y_min + grid.height * (row + 1);
      cell[At(kClimateCellNumbers, "hours")] = static_cast<double>(hours);
      cell[At(kClimateCellNumbers, "band")] = climate::BandOf(bands, hours);
      Add(cells, cell);
      ++count;
    }
  }
  head[At(kClimateDrawNumbers, "cells")] = count;
}

// Each selected hour as a point of the plane, within the chart's box.
void AddPoints(PageCore& page, Head& head, std::vector<double>& points) {
  const chart::ChartLayout layout = page.chart.layout;
  const chart::PlaneBox box = chart::PlaneBoxOf(layout, page.chart.range);
  double outside = 0;
  for (const climate::WeatherHour& hour : page.climate.loaded->record.hours) {
    if (!hour.Counts() || !page.climate.options.filter.Selects(hour))
      continue;
    chart::PlanePoint p{};
    try {
      p = chart::ToPlane(layout, {hour.Value(tarvel::AirField::DryBulb),
                                  hour.Value(tarvel::AirField::MoistureContent)});
    } catch (const tarvel::NumericFault&) {
      ++outside;  // a state so far off that its place overflows
      continue;
    }
    if (!(p.x >= box.x_min && p.x <= box.x_max && p.y >= box.y_min && p.y <= box.y_max)) {
      ++outside;
      continue;
    }
    points.push_back(p.x);
    points.push_back(p.y);
  }
  head[At(kClimateDrawNumbers, "points")] = static_cast<double>(points.size() / 2);
  head[At(kClimateDrawNumbers, "outside")] = outside;
  page.answer.texts.push_back("每点一小时");
}

// The zones' outlines as states at the chart's pressure and range, computed again only when those
// or the zones have changed (the PMV zones' outlines take a search for each of their points).
const std::vector<std::vector<chart::StatePoint>>& OutlineStates(PageCore& page) {
  const double pressure = page.chart.pressure.kpa;
  const climate::ClimateOptions& options = page.climate.options;
  std::vector<climate::Zone> zones = climate::ZonesOf(options);
  std::optional<tarvel::web::ZoneOutlines>& known = page.climate.outlines;
  if (known && known->pressure == pressure && known->range == page.chart.range &&
      known->pmv == options.pmv && known->zones == zones)
    return known->states;
  known = tarvel::web::ZoneOutlines{pressure, page.chart.range, options.pmv, zones, {}};
  for (const climate::Zone& zone : zones) {
    try {
      known->states.push_back(climate::ZoneOutline(zone, pressure, page.chart.range, options.pmv));
    } catch (const tarvel::NumericFault&) {
      known->states.emplace_back();  // no outline where the relations fail
    }
  }
  return known->states;
}

void AddOutlines(PageCore& page, Head& head, std::vector<double>& numbers) {
  const chart::ChartLayout layout = page.chart.layout;
  const auto& outlines = OutlineStates(page);
  for (const std::vector<chart::StatePoint>& outline : outlines) {
    std::vector<double> placed;
    try {
      for (const chart::StatePoint& state : outline) {
        const chart::PlanePoint p = chart::ToPlane(layout, state);
        placed.push_back(p.x);
        placed.push_back(p.y);
      }
    } catch (const tarvel::NumericFault&) {
      placed.clear();  // no outline where its place overflows
    }
    numbers.push_back(static_cast<double>(placed.size() / 2));
    numbers.insert(numbers.end(), placed.begin(), placed.end());
  }
  head[At(kClimateDrawNumbers, "zones")] = static_cast<double>(outlines.size());
}

}  // namespace

extern "C" {

// The weather file's hours and zones on the chart last laid out, in one answer: numbers
// kClimateDrawNumbers, then each cell (kClimateCellNumbers) or, when `points` is not 0, each
// point, then each zone's outline (kClimateZoneNumbers and its points); texts kClimateDrawTexts.
// The density's grid has round cells, at most `most_columns` across and `most_rows` up. Nothing
// without a weather file.
EMSCRIPTEN_KEEPALIVE void tarvel_climate_draw(PageCore* page, int most_columns, int most_rows,
                                              int points) {
  static_assert(At(tarvel::web::kClimateDrawTexts, "bands") == 1, "the bands follow the caption");
  static_assert(tarvel::web::kClimateZoneNumbers.size() == 1);
  page->answer.Clear();
  Head head{};
  std::vector<double> body;
  if (page->climate.loaded) {
    if (points != 0)
      AddPoints(*page, head, body);
    else
      AddDensity(*page, most_columns, most_rows, head, body);
    AddOutlines(*page, head, body);
  }
  Add(page->answer.numbers, head);
  page->answer.numbers.insert(page->answer.numbers.end(), body.begin(), body.end());
}

}  // extern "C"
