#pragma once

// What the page's core hands the page, whatever it was asked: flat lists of numbers and of texts,
// which the page reads straight from the core's memory (core_handover.js). Every entry of a list
// has a name; the page learns the names from tarvel_names and finds each entry by its name, so
// these lists are the one statement of where an entry stands. Writing an entry by a name that is
// not in its list does not compile.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_curves.h"
#include "chart/chart_plane.h"

namespace tarvel::web {

// The answer of the last call: valid until the next call.
struct Handover {
  std::vector<double> numbers;
  std::vector<std::string> texts;

  void Clear() {
    numbers.clear();
    texts.clear();
  }
};

template <std::size_t N>
using EntryNames = std::array<std::string_view, N>;

// A command (tarvel_calculate, tarvel_clear, tarvel_start_up), for each thing the panel was asked
// to do in order: numbers, the field written (0 to 6) or -1 for a message; texts, the text written
// or the message's text, icon (a MessageIcon's name) and title (both empty for a write).
inline constexpr EntryNames<1> kRecordNumbers = {"field"};
inline constexpr EntryNames<3> kRecordTexts = {"text", "icon", "title"};
// tarvel_design, texts: the answer line; tarvel_design_table: the table as JSON;
// tarvel_design_csv: the table as a CSV file; tarvel_altitude: the pressure at the altitude.
inline constexpr EntryNames<1> kDesignTexts = {"answer"};
inline constexpr EntryNames<1> kTableTexts = {"table"};
inline constexpr EntryNames<1> kCsvTexts = {"csv"};
inline constexpr EntryNames<1> kAltitudeTexts = {"pressure"};

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
// tarvel_chart_design, numbers: how many points and lines follow; then for each point of the
// design last answered whether it is drawn (0 not, for a point that ended with a message; 1 at its
// state; 2 on the range's edge) and the point of the plane where it stands; then each line of the
// design: its kind (kDesignLineKinds), the step or the point it is the line of, and as many points
// of the plane as it says.
inline constexpr EntryNames<2> kDesignNumbers = {"points", "lines"};
inline constexpr EntryNames<3> kDesignPointNumbers = {"shown", "x", "y"};
inline constexpr EntryNames<3> kDesignLineNumbers = {"kind", "of", "points"};
// tarvel_chart_protractor, numbers for each ray: where it ends on the plane. Texts: each ray's
// label.
inline constexpr EntryNames<2> kProtractorNumbers = {"endX", "endY"};
// tarvel_chart_pick, numbers: 0 when there is no state to pick there, 1 when there is one, 2 when
// the calculate command also completes it. Texts: the dry bulb and the moisture content as a
// pick types them, then from "parameters" on the six parameters the command writes (for 2 only).
inline constexpr EntryNames<1> kPickNumbers = {"found"};
inline constexpr EntryNames<3> kPickTexts = {"dryBulb", "moisture", "parameters"};

// tarvel_climate_read and tarvel_climate_options, texts: why the file or the options were refused
// ("" when they were not), then, while a weather file is read, its climate answer (the JSON that
// tarvel-climate --json prints) and what the panel shows beside it (JSON: the filter's caption,
// the hours and why some take no part, the notes, the figures' names and units, the zones'
// limits). tarvel_climate_hours answers kCsvTexts: the table of hours.
inline constexpr EntryNames<3> kClimateTexts = {"refusal", "answer", "shown"};
// tarvel_climate_draw, numbers: the grid of the density (cells across and up, the box of the plane
// it covers), how many cells, bands, points and zones follow, and how many of the hours that the
// filter selects lie outside that box; then each cell that holds an hour (kClimateCellNumbers), the
// point of the plane of each hour drawn as a point, and each zone's outline (its number of points,
// then its points of the plane). Texts: the size of a cell, then each band's label.
inline constexpr EntryNames<11> kClimateDrawNumbers = {"columns", "rows",  "xMin",   "xMax",
                                                       "yMin",    "yMax",  "cells",  "bands",
                                                       "points",  "zones", "outside"};
inline constexpr EntryNames<8> kClimateCellNumbers = {"column", "row",  "xMin",  "xMax",
                                                      "yMin",   "yMax", "hours", "band"};
inline constexpr EntryNames<1> kClimateZoneNumbers = {"points"};
inline constexpr EntryNames<2> kClimateDrawTexts = {"cell", "bands"};

// Where the entry `name` stands in its list.
template <std::size_t N>
consteval std::size_t At(const EntryNames<N>& names, std::string_view name) {
  for (std::size_t i = 0; i < N; ++i) {
    if (names[i] == name)
      return i;
  }
  throw "no entry of that name";
}

// Appends one entry of a list of numbers, or of texts, by its names.
template <std::size_t N, typename Entry>
void Add(std::vector<Entry>& list, const std::array<Entry, N>& entry) {
  list.insert(list.end(), entry.begin(), entry.end());
}

// The names the page knows the lines' kinds, the layouts and the kinds of a design's lines by,
// with their values (the lines' names are their svg classes).
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
// A design's line: a process step's (its `of` an index of the answer's steps; a mix has one for
// each stream), or a supply state's ε line (its `of` an index of the answer's points).
enum class DesignLineKind { Step = 0, Ratio = 1 };
inline constexpr NamedValue kDesignLineKinds[] = {
    {"step", static_cast<int>(DesignLineKind::Step)},
    {"ratio", static_cast<int>(DesignLineKind::Ratio)},
};

// Every name above, a text for each list: the list's name, then its entries, separated by
// blanks ("drawTexts pressure parameters"); the kinds and the layouts each with its value
// ("layouts hd=0 td=1"). Then the core's own names, which the page's forms use: "parameters" (the
// design request's keys of the six parameters in field order), "copiedParameters" (the keys that
// copy one from an earlier state) and "processes" (each process's key with its Chinese name,
// "mix=混合").
std::vector<std::string> EntryNameLists();

}  // namespace tarvel::web
