// The web page's entry to the chart: the core computes every line of the chart and every state
// on it in physical units (chart/); the page only maps the plane of the layout onto its drawing.
// A call answers in two lists that stay valid until the next chart call: numbers
// (tarvel_chart_numbers) and UTF-8 texts (tarvel_chart_text), whose entries have the names of
// chart_handover.h.
#include <emscripten/emscripten.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_curves.h"
#include "chart/chart_pick.h"
#include "chart/chart_plane.h"
#include "chart/chart_pressure.h"
#include "chart/chart_range.h"
#include "chart/ratio_protractor.h"
#include "panel/number_text.h"
#include "process/design_context.h"
#include "process/supply.h"
#include "web/chart_handover.h"
#include "web/page_design.h"
#include "web/page_fields.h"

namespace {

namespace chart = tarvel::chart;
using tarvel::AirField;
using tarvel::web::At;

// The state the last calculation left, as it was then: where it stands, and its six values as
// the command wrote them (the dry bulb as the command read it).
struct MarkedState {
  chart::StatePoint state;
  std::array<std::string, tarvel::kParameterCount> values;
};

// What the page's chart shows now: set by each drawing, used by the picks in between.
struct PageChart {
  chart::ChartLayout layout = chart::ChartLayout::EnthalpyMoisture;
  chart::ChartPressure pressure = chart::ChartPressureOf("");
  chart::ChartRange range = chart::kDefaultRange;
  std::optional<MarkedState> marked;
};

PageChart shown;
std::vector<double> numbers;
std::vector<std::string> texts;

chart::ChartLayout LayoutOf(int layout) {
  for (const tarvel::web::NamedValue& known : tarvel::web::kLayoutNames) {
    if (known.value == layout)
      return static_cast<chart::ChartLayout>(layout);
  }
  return chart::ChartLayout::EnthalpyMoisture;
}

// Appends the entries of one answer's list of numbers.
template <std::size_t N>
void AddNumbers(const std::array<double, N>& entries) {
  numbers.insert(numbers.end(), entries.begin(), entries.end());
}

void AddPoint(chart::StatePoint state) {
  const chart::PlanePoint p = chart::ToPlane(shown.layout, state);
  numbers.push_back(p.x);
  numbers.push_back(p.y);
}

// A state's marker: shown 1 on the state's own place, or 2 pinned to the edge of the range that
// the state lies beyond; and where on the plane it is drawn.
struct Marker {
  double shown;
  chart::PlanePoint at;
};

Marker MarkerOf(chart::StatePoint state) {
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

// The range that holds the marked state and every point of the design.
chart::ChartRange RangeShown() {
  std::vector<chart::StatePoint> held;
  if (shown.marked)
    held.push_back(shown.marked->state);
  if (const tarvel::process::DesignAnswer* design = tarvel::web::PageDesign()) {
    for (const tarvel::process::PointAnswer& point : design->points) {
      if (const std::optional<chart::StatePoint> state = DesignState(point))
        held.push_back(*state);
    }
  }
  return chart::RangeHolding(held);
}

}  // namespace

extern "C" {

// Marks the state the fields now hold (after a calculation that ended without a message), or
// removes the mark (on = 0).
EMSCRIPTEN_KEEPALIVE void tarvel_chart_mark(int on) {
  shown.marked.reset();
  if (!on)
    return;
  const tarvel::FieldPanel& fields = tarvel::web::PageFields();
  MarkedState marked{{tarvel::ReadNumber(fields, AirField::DryBulb),
                      tarvel::ReadNumber(fields, AirField::MoistureContent)},
                     {}};
  if (!std::isfinite(marked.state.t) || !std::isfinite(marked.state.d))
    return;
  marked.values[0] = tarvel::FormatNumber(marked.state.t);
  for (int i = 1; i < tarvel::kParameterCount; ++i)
    marked.values[i] = fields.Text(tarvel::ParameterField(i));
  shown.marked = std::move(marked);
}

// Lays the chart out in the layout (a ChartLayout) for the pressure field's text as last handed
// over and the mark: numbers kDrawNumbers, texts kDrawTexts.
EMSCRIPTEN_KEEPALIVE int tarvel_chart_draw(int layout) {
  using tarvel::web::kDrawNumbers;
  using tarvel::web::kDrawTexts;
  shown.layout = LayoutOf(layout);
  shown.pressure = chart::ChartPressureOf(tarvel::web::PageFields().Text(AirField::Pressure));
  shown.range = RangeShown();

  const chart::PlaneBox box = chart::PlaneBoxOf(shown.layout, shown.range);
  std::array<double, kDrawNumbers.size()> drawn{};
  drawn[At(kDrawNumbers, "xMin")] = box.x_min;
  drawn[At(kDrawNumbers, "xMax")] = box.x_max;
  drawn[At(kDrawNumbers, "yMin")] = box.y_min;
  drawn[At(kDrawNumbers, "yMax")] = box.y_max;
  drawn[At(kDrawNumbers, "pressure")] = shown.pressure.kpa;
  static_assert(At(kDrawTexts, "parameters") == kDrawTexts.size() - 1, "the parameters come last");
  texts.assign(At(kDrawTexts, "parameters"), "");
  texts[At(kDrawTexts, "pressure")] = chart::PressureCaption(shown.pressure.kpa);
  if (shown.marked) {
    const Marker marker = MarkerOf(shown.marked->state);
    drawn[At(kDrawNumbers, "mark")] = marker.shown;
    drawn[At(kDrawNumbers, "markX")] = marker.at.x;
    drawn[At(kDrawNumbers, "markY")] = marker.at.y;
    texts.insert(texts.end(), shown.marked->values.begin(), shown.marked->values.end());
  }
  numbers.clear();
  AddNumbers(drawn);
  return static_cast<int>(numbers.size());
}

// The lines of the chart last laid out (they change only with its layout, range and pressure).
// Numbers: for each line its head (kLineNumbers), then its points. Texts: each line's value.
EMSCRIPTEN_KEEPALIVE int tarvel_chart_lines() {
  using tarvel::web::kLineNumbers;
  static_assert(At(kLineNumbers, "points") == kLineNumbers.size() - 1, "the points follow");
  numbers.clear();
  texts.clear();
  for (const chart::Curve& curve : chart::ChartCurves(shown.range, shown.pressure.kpa)) {
    std::array<double, kLineNumbers.size()> head{};
    head[At(kLineNumbers, "kind")] = static_cast<double>(curve.kind);
    head[At(kLineNumbers, "value")] = curve.value;
    head[At(kLineNumbers, "labelled")] = curve.labelled ? 1 : 0;
    head[At(kLineNumbers, "points")] = static_cast<double>(curve.points.size());
    AddNumbers(head);
    for (const chart::StatePoint& point : curve.points)
      AddPoint(point);
    texts.push_back(tarvel::FormatNumber(curve.value));
  }
  return static_cast<int>(numbers.size());
}

// The point of the plane last laid out where the state (t in °C, d in g/kg) stands: numbers
// kPlaceNumbers. For whatever else the page draws on the chart (its layers).
EMSCRIPTEN_KEEPALIVE int tarvel_chart_place(double t, double d) {
  using tarvel::web::kPlaceNumbers;
  const chart::PlanePoint point = chart::ToPlane(shown.layout, {t, d});
  std::array<double, kPlaceNumbers.size()> placed{};
  placed[At(kPlaceNumbers, "x")] = point.x;
  placed[At(kPlaceNumbers, "y")] = point.y;
  numbers.clear();
  AddNumbers(placed);
  return static_cast<int>(numbers.size());
}

// The state at the point (x, y) of the plane last drawn: 0 when there is none to pick there
// (outside the drawn box, above saturation), 1 when there is one, 2 when the calculate command
// also completes it. Texts: kPickTexts, the parameters for 2 only.
EMSCRIPTEN_KEEPALIVE int tarvel_chart_pick(double x, double y) {
  using tarvel::web::kPickTexts;
  static_assert(At(kPickTexts, "parameters") == kPickTexts.size() - 1, "the parameters come last");
  texts.clear();
  const chart::PlaneBox box = chart::PlaneBoxOf(shown.layout, shown.range);
  if (!(x >= box.x_min && x <= box.x_max && y >= box.y_min && y <= box.y_max))
    return 0;
  const std::optional<chart::PickedState> picked =
      chart::PickState(chart::FromPlane(shown.layout, {x, y}), shown.pressure);
  if (!picked)
    return 0;
  texts.assign(At(kPickTexts, "parameters"), "");
  texts[At(kPickTexts, "dryBulb")] = picked->dry_bulb;
  texts[At(kPickTexts, "moisture")] = picked->moisture;
  if (!picked->parameters)
    return 1;
  texts.insert(texts.end(), picked->parameters->begin(), picked->parameters->end());
  return 2;
}

// Each point of the design last answered (web/page_design.h) on the plane last laid out, where
// its marker stands: numbers kDesignPointNumbers for each point in request order.
EMSCRIPTEN_KEEPALIVE int tarvel_chart_design() {
  using tarvel::web::kDesignPointNumbers;
  numbers.clear();
  texts.clear();
  const tarvel::process::DesignAnswer* design = tarvel::web::PageDesign();
  if (design == nullptr)
    return 0;
  for (const tarvel::process::PointAnswer& point : design->points) {
    std::array<double, kDesignPointNumbers.size()> placed{};
    if (const std::optional<chart::StatePoint> state = DesignState(point)) {
      const Marker marker = MarkerOf(*state);
      placed[At(kDesignPointNumbers, "shown")] = marker.shown;
      placed[At(kDesignPointNumbers, "x")] = marker.at.x;
      placed[At(kDesignPointNumbers, "y")] = marker.at.y;
    }
    AddNumbers(placed);
  }
  return static_cast<int>(numbers.size());
}

// The heat-moisture ratio protractor of the 焓湿图 (chart/ratio_protractor.h), centred at the plane
// point (x, y), each ray as long on the drawing as `radius_x` plane units across or `radius_y` up.
// Numbers: kProtractorNumbers for each ray, from ε = +∞ (straight up) clockwise to −∞. Texts:
// each ray's label ("∞", "20000", ..., "0", ..., "-∞").
EMSCRIPTEN_KEEPALIVE int tarvel_chart_protractor(double x, double y, double radius_x,
                                                 double radius_y) {
  using tarvel::web::kProtractorNumbers;
  numbers.clear();
  texts.clear();
  for (const chart::ProtractorRay& ray : chart::RatioProtractor({x, y}, radius_x, radius_y)) {
    std::array<double, kProtractorNumbers.size()> end{};
    end[At(kProtractorNumbers, "endX")] = ray.end.x;
    end[At(kProtractorNumbers, "endY")] = ray.end.y;
    AddNumbers(end);
    texts.push_back(tarvel::process::RatioText(ray.ratio));
  }
  return static_cast<int>(numbers.size());
}

// The names of the entries of every answer above: texts, one for each list (EntryNameLists).
EMSCRIPTEN_KEEPALIVE int tarvel_chart_names() {
  texts = tarvel::web::EntryNameLists();
  return static_cast<int>(texts.size());
}

EMSCRIPTEN_KEEPALIVE const double* tarvel_chart_numbers() {
  return numbers.data();
}
EMSCRIPTEN_KEEPALIVE int tarvel_chart_text_count() {
  return static_cast<int>(texts.size());
}
EMSCRIPTEN_KEEPALIVE const char* tarvel_chart_text(int k) {
  return k >= 0 && k < tarvel_chart_text_count() ? texts[k].data() : "";
}
EMSCRIPTEN_KEEPALIVE int tarvel_chart_text_size(int k) {
  return k >= 0 && k < tarvel_chart_text_count() ? static_cast<int>(texts[k].size()) : 0;
}

}  // extern "C"
