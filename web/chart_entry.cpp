// The web page's entry to the chart: the core computes every line of the chart and every state
// on it in physical units (chart/); the page only maps the plane of the layout onto its drawing.
// Each call answers in the page's handover (web/handover.h), by the names listed there.
#include <emscripten/emscripten.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_curves.h"
#include "chart/chart_pick.h"
#include "chart/design_lines.h"
#include "chart/ratio_protractor.h"
#include "panel/number_text.h"
#include "process/supply.h"
#include "web/handover.h"
#include "web/page_core.h"

namespace {

namespace chart = tarvel::chart;
using tarvel::AirField;
using tarvel::web::Add;
using tarvel::web::At;
using tarvel::web::PageChart;
using tarvel::web::PageCore;

chart::ChartLayout LayoutOf(int layout) {
  for (const tarvel::web::NamedValue& known : tarvel::web::kLayoutNames) {
    if (known.value == layout)
      return static_cast<chart::ChartLayout>(layout);
  }
  return chart::ChartLayout::EnthalpyMoisture;
}

// Appends a line's states, each as the point of the plane where it stands (x, y).
void AddStates(const PageChart& shown, const std::vector<chart::StatePoint>& states,
               std::vector<double>& numbers) {
  for (const chart::StatePoint& state : states) {
    const chart::PlanePoint p = chart::ToPlane(shown.layout, state);
    numbers.push_back(p.x);
    numbers.push_back(p.y);
  }
}

// A state's marker: shown 1 on the state's own place, or 2 pinned to the edge of the range that
// the state lies beyond; and where on the plane it is drawn.
struct Marker {
  double shown;
  chart::PlanePoint at;
};

Marker MarkerOf(const PageChart& shown, chart::StatePoint state) {
  const chart::StatePoint place = chart::MarkerPlace(shown.range, state);
  const bool at_edge = place.t != state.t || place.d != state.d;
  return {at_edge ? 2.0 : 1.0, chart::ToPlane(shown.layout, place)};
}

// Where a point of a design stands: its dry bulb and moisture content as the calculator reads its
// fields; nothing for a point that ended with a message.
std::optional<chart::StatePoint> DesignState(const tarvel::process::PointAnswer& point) {
  if (!point.complete)
    return std::nullopt;
  return chart::StatePoint{tarvel::process::FieldValue(point, AirField::DryBulb),
                           tarvel::process::FieldValue(point, AirField::MoistureContent)};
}

// The range that holds the marked state, every point of the design and every hour of the weather
// file read.
chart::ChartRange RangeShown(const PageCore& page) {
  std::vector<chart::StatePoint> held;
  if (page.climate.loaded)
    held = page.climate.loaded->extent;
  if (page.chart.marked)
    held.push_back(page.chart.marked->state);
  if (const tarvel::process::DesignAnswer* design = page.Design()) {
    for (const tarvel::process::PointAnswer& point : design->points) {
      if (const std::optional<chart::StatePoint> state = DesignState(point))
        held.push_back(*state);
    }
  }
  return chart::RangeHolding(held);
}

// Appends one line of a design: its head (kDesignLineNumbers), then its states on the plane.
void AddDesignLine(const PageChart& shown, tarvel::web::DesignLineKind kind, std::size_t of,
                   const std::vector<chart::StatePoint>& states, std::vector<double>& numbers) {
  using tarvel::web::kDesignLineNumbers;
  std::array<double, kDesignLineNumbers.size()> head{};
  head[At(kDesignLineNumbers, "kind")] = static_cast<double>(kind);
  head[At(kDesignLineNumbers, "of")] = static_cast<double>(of);
  head[At(kDesignLineNumbers, "points")] = static_cast<double>(states.size());
  Add(numbers, head);
  AddStates(shown, states, numbers);
}

}  // namespace

extern "C" {

// Marks the state the fields now hold (after a calculation that ended without a message), or
// removes the mark (on = 0).
EMSCRIPTEN_KEEPALIVE void tarvel_chart_mark(PageCore* page, int on) {
  page->chart.marked.reset();
  if (!on)
    return;
  const tarvel::FieldPanel& fields = page->fields;
  tarvel::web::MarkedState marked{{tarvel::ReadNumber(fields, AirField::DryBulb),
                                   tarvel::ReadNumber(fields, AirField::MoistureContent)},
                                  {}};
  if (!std::isfinite(marked.state.t) || !std::isfinite(marked.state.d))
    return;
  marked.values[0] = tarvel::FormatNumber(marked.state.t);
  for (int i = 1; i < tarvel::kParameterCount; ++i)
    marked.values[i] = fields.Text(tarvel::ParameterField(i));
  page->chart.marked = std::move(marked);
}

// Lays the chart out in the layout (a ChartLayout) for the pressure field's text as last handed
// over, the mark and the design: numbers kDrawNumbers, texts kDrawTexts.
EMSCRIPTEN_KEEPALIVE void tarvel_chart_draw(PageCore* page, int layout) {
  using tarvel::web::kDrawNumbers;
  using tarvel::web::kDrawTexts;
  PageChart& shown = page->chart;
  shown.layout = LayoutOf(layout);
  shown.pressure = chart::ChartPressureOf(page->fields.Text(AirField::Pressure));
  shown.range = RangeShown(*page);

  const chart::PlaneBox box = chart::PlaneBoxOf(shown.layout, shown.range);
  std::array<double, kDrawNumbers.size()> drawn{};
  drawn[At(kDrawNumbers, "xMin")] = box.x_min;
  drawn[At(kDrawNumbers, "xMax")] = box.x_max;
  drawn[At(kDrawNumbers, "yMin")] = box.y_min;
  drawn[At(kDrawNumbers, "yMax")] = box.y_max;
  drawn[At(kDrawNumbers, "pressure")] = shown.pressure.kpa;
  static_assert(At(kDrawTexts, "parameters") == kDrawTexts.size() - 1, "the parameters come last");
  page->answer.Clear();
  std::vector<std::string>& texts = page->answer.texts;
  texts.assign(At(kDrawTexts, "parameters"), "");
  texts[At(kDrawTexts, "pressure")] = chart::PressureCaption(shown.pressure.kpa);
  if (shown.marked) {
    const Marker marker = MarkerOf(shown, shown.marked->state);
    drawn[At(kDrawNumbers, "mark")] = marker.shown;
    drawn[At(kDrawNumbers, "markX")] = marker.at.x;
    drawn[At(kDrawNumbers, "markY")] = marker.at.y;
    texts.insert(texts.end(), shown.marked->values.begin(), shown.marked->values.end());
  }
  Add(page->answer.numbers, drawn);
}

// The lines of the chart last laid out (they change only with its layout, range and pressure).
// Numbers: for each line its head (kLineNumbers), then its points. Texts: each line's value.
EMSCRIPTEN_KEEPALIVE void tarvel_chart_lines(PageCore* page) {
  using tarvel::web::kLineNumbers;
  static_assert(At(kLineNumbers, "points") == kLineNumbers.size() - 1, "the points follow");
  const PageChart& shown = page->chart;
  page->answer.Clear();
  for (const chart::Curve& curve : chart::ChartCurves(shown.range, shown.pressure.kpa)) {
    std::array<double, kLineNumbers.size()> head{};
    head[At(kLineNumbers, "kind")] = static_cast<double>(curve.kind);
    head[At(kLineNumbers, "value")] = curve.value;
    head[At(kLineNumbers, "labelled")] = curve.labelled ? 1 : 0;
    head[At(kLineNumbers, "points")] = static_cast<double>(curve.points.size());
    Add(page->answer.numbers, head);
    AddStates(shown, curve.points, page->answer.numbers);
    page->answer.texts.push_back(tarvel::FormatNumber(curve.value));
  }
}

// The state at the point (x, y) of the plane last drawn: numbers kPickNumbers (0 when there is
// none to pick there: outside the drawn box, above saturation; 1 when there is one; 2 when the
// calculate command also completes it), texts kPickTexts (the parameters for 2 only).
EMSCRIPTEN_KEEPALIVE void tarvel_chart_pick(PageCore* page, double x, double y) {
  using tarvel::web::kPickNumbers;
  using tarvel::web::kPickTexts;
  static_assert(At(kPickTexts, "parameters") == kPickTexts.size() - 1, "the parameters come last");
  const PageChart& shown = page->chart;
  page->answer.Clear();
  std::array<double, kPickNumbers.size()> found{};
  const chart::PlaneBox box = chart::PlaneBoxOf(shown.layout, shown.range);
  const std::optional<chart::PickedState> picked =
      x >= box.x_min && x <= box.x_max && y >= box.y_min && y <= box.y_max
          ? chart::PickState(chart::FromPlane(shown.layout, {x, y}), shown.pressure)
          : std::nullopt;
  if (picked) {
    std::vector<std::string>& texts = page->answer.texts;
    texts.assign(At(kPickTexts, "parameters"), "");
    texts[At(kPickTexts, "dryBulb")] = picked->dry_bulb;
    texts[At(kPickTexts, "moisture")] = picked->moisture;
    found[At(kPickNumbers, "found")] = picked->parameters ? 2 : 1;
    if (picked->parameters)
      texts.insert(texts.end(), picked->parameters->begin(), picked->parameters->end());
  }
  Add(page->answer.numbers, found);
}

// The design last answered on the plane last laid out, in one answer: numbers kDesignNumbers,
// then kDesignPointNumbers for each point in request order (where its marker stands), then each
// line of the design (chart/design_lines.h), kDesignLineNumbers and its points of the plane.
EMSCRIPTEN_KEEPALIVE void tarvel_chart_design(PageCore* page) {
  using tarvel::web::DesignLineKind;
  using tarvel::web::kDesignNumbers;
  using tarvel::web::kDesignPointNumbers;
  page->answer.Clear();
  std::vector<double>& numbers = page->answer.numbers;
  const tarvel::process::DesignAnswer* design = page->Design();
  std::array<double, kDesignNumbers.size()> counts{};
  if (design == nullptr) {
    Add(numbers, counts);
    return;
  }
  const chart::DesignLines lines = chart::LinesOfDesign(*design);
  std::size_t line_count = 0;
  for (const auto& step : lines.steps)
    line_count += step.size();
  for (const auto& ratio : lines.ratio_lines)
    line_count += ratio.empty() ? 0 : 1;
  counts[At(kDesignNumbers, "points")] = static_cast<double>(design->points.size());
  counts[At(kDesignNumbers, "lines")] = static_cast<double>(line_count);
  Add(numbers, counts);
  for (const tarvel::process::PointAnswer& point : design->points) {
    std::array<double, kDesignPointNumbers.size()> placed{};
    if (const std::optional<chart::StatePoint> state = DesignState(point)) {
      const Marker marker = MarkerOf(page->chart, *state);
      placed[At(kDesignPointNumbers, "shown")] = marker.shown;
      placed[At(kDesignPointNumbers, "x")] = marker.at.x;
      placed[At(kDesignPointNumbers, "y")] = marker.at.y;
    }
    Add(numbers, placed);
  }
  for (std::size_t p = 0; p < lines.ratio_lines.size(); ++p) {
    if (!lines.ratio_lines[p].empty())
      AddDesignLine(page->chart, DesignLineKind::Ratio, p, lines.ratio_lines[p], numbers);
  }
  for (std::size_t s = 0; s < lines.steps.size(); ++s) {
    for (const std::vector<chart::StatePoint>& line : lines.steps[s])
      AddDesignLine(page->chart, DesignLineKind::Step, s, line, numbers);
  }
}

// The heat-moisture ratio protractor of the 焓湿图 (chart/ratio_protractor.h), centred at the plane
// point (x, y), each ray as long on the drawing as `radius_x` plane units across or `radius_y` up.
// Numbers: kProtractorNumbers for each ray, from ε = +∞ (straight up) clockwise to −∞. Texts:
// each ray's label ("∞", "20000", ..., "0", ..., "-∞").
EMSCRIPTEN_KEEPALIVE void tarvel_chart_protractor(PageCore* page, double x, double y,
                                                  double radius_x, double radius_y) {
  using tarvel::web::kProtractorNumbers;
  page->answer.Clear();
  for (const chart::ProtractorRay& ray : chart::RatioProtractor({x, y}, radius_x, radius_y)) {
    std::array<double, kProtractorNumbers.size()> end{};
    end[At(kProtractorNumbers, "endX")] = ray.end.x;
    end[At(kProtractorNumbers, "endY")] = ray.end.y;
    Add(page->answer.numbers, end);
    page->answer.texts.push_back(tarvel::process::RatioText(ray.ratio));
  }
}

}  // extern "C"
