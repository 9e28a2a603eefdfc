#pragma once

// What the chart's entries (chart_entry.cpp) hand to the page: flat lists of numbers and of texts,
// which the page reads straight from the core's memory. Every entry of a list has a name; the page
// learns the names from tarvel_chart_names and finds each entry by its name, so these lists are
// the one statement of where an entry stands. Writing an entry by a name that is not in its list
// does not compile.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_curves.h"
#include "chart/chart_plane.h"

namespace tarvel::web {

template <std::size_t N>
using EntryNames = std::array<std::string_view, N>;

// tarvel_chart_draw, numbers: the plane's box; the pressure drawn for, kPa; the mark (0 none, 1 at
// its state, 2 on the range's edge) and the point of the plane where it stands.
inline constexpr EntryNames<8> kDrawNumbers = {"xMin",     "xMax", "yMin",  "yMax",
                                               "pressure", "mark", "markX", "markY"};
// Texts: the pressure's caption, then from "parameters" on the marked state's six parameters by
// field index.
inline constexpr EntryNames<2> kDrawTexts = {"pressure", "parameters"};
// tarvel_chart_lines, numbers: each line's head, then as many points of the plane as it says,
// each its x and y. Texts: each line's value.
inline constexpr EntryNames<4> kLineNumbers = {"kind", "value", "labelled", "points"};
// tarvel_chart_place, numbers: the point of the plane where a state stands.
inline constexpr EntryNames<2> kPlaceNumbers = {"x", "y"};
// tarvel_chart_design, numbers for each point of the design last answered: whether it is drawn
// (0 not, for a point that ended with a message; 1 at its state; 2 on the range's edge) and the
// point of the plane where it stands.
inline constexpr EntryNames<3> kDesignPointNumbers = {"shown", "x", "y"};
// tarvel_chart_protractor, numbers for each ray: where it ends on the plane. Texts: each ray's
// label.
inline constexpr EntryNames<2> kProtractorNumbers = {"endX", "endY"};
// tarvel_chart_pick, texts: the dry bulb and the moisture content as a pick types them, then from
// "parameters" on the six parameters the calculate command writes.
inline constexpr EntryNames<3> kPickTexts = {"dryBulb", "moisture", "parameters"};

// Where the entry `name` stands in its list.
template <std::size_t N>
consteval std::size_t At(const EntryNames<N>& names, std::string_view name) {
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i] == name)
      return i;
  }
  throw "no entry of that name";
}

// The names the page knows the lines' kinds and the layouts by, with their values (the lines'
// names are their svg classes).
struct NamedValue {
  std::string_view name;
  int value;
};
inline constexpr NamedValue kCurveKindNames[] = {
    {"saturation", static_cast<int>(chart::CurveKind::Saturation)},
    {"rh", static_cast<int>(chart::CurveKind::RelHumidity)},
    {"isotherm", static_cast<int>(chart::CurveKind::Isotherm)},
    {"enthalpy", static_cast<int>(chart::CurveKind::Enthalpy)},
    {"moisture", static_cast<int>(chart::CurveKind::Moisture)},
};
inline constexpr NamedValue kLayoutNames[] = {
    {"hd", static_cast<int>(chart::ChartLayout::EnthalpyMoisture)},
    {"td", static_cast<int>(chart::ChartLayout::TemperatureMoisture)},
};

// Every name above, a text for each list: the list's name, then its entries, separated by
// blanks ("drawTexts pressure parameters"); the kinds and the layouts each with its value
// ("layouts hd=0 td=1").
std::vector<std::string> EntryNameLists();

}  // namespace tarvel::web
