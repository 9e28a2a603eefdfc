#pragma once

// Realistic rows for every pair: seeded random states of air, given to the calculate command
// through one pair of their values, typed as people and programs type them. tarvel-bench times
// them beside each pair's fixed input (rows_bench.cpp); tarvel-pb-trace counts their exact Pb
// evaluations; tarvel-row-profile shows where their time goes.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "panel/air_field.h"

namespace tarvel::bench {

// One calculate command's seven texts.
struct Row {
  std::array<std::string, kParameterCount> parameters;
  std::string pressure;
};

// The states a class of rows is drawn from: a dry bulb in [dry_from, dry_to) °C, a relative
// humidity in [rh_from, rh_to] %, a pressure from 85 to 105 kPa.
struct RowClass {
  std::string_view name;
  double dry_from;
  double dry_to;
  double rh_from;
  double rh_to;
};

// Above 0 °C up to 50 °C and from −40 °C to below 0, each over the whole range of relative
// humidity and near saturation (90 % and more).
inline constexpr RowClass kRowClasses[] = {
    {"above0", 0, 50, 5, 100},
    {"below0", -40, 0, 5, 100},
    {"saturated_above0", 0, 50, 90, 100},
    {"saturated_below0", -40, 0, 90, 100},
};

// A pair of given fields, by index i < j, with the name its benchmarks carry.
struct RowPair {
  std::string_view name;
  int first;
  int second;
};

// All fifteen pairs, in the order of their codes 3 to 17; 11 and 15 fix no state and are answered
// with a message.
inline constexpr RowPair kRowPairs[] = {
    {"pair03_dry_wet", 0, 1},           {"pair04_dry_rh", 0, 2},
    {"pair05_dry_dew", 0, 3},           {"pair06_dry_moisture", 0, 4},
    {"pair07_dry_enthalpy", 0, 5},      {"pair08_wet_rh", 1, 2},
    {"pair09_wet_dew", 1, 3},           {"pair10_wet_moisture", 1, 4},
    {"pair11_wet_enthalpy", 1, 5},      {"pair12_rh_dew", 2, 3},
    {"pair13_rh_moisture", 2, 4},       {"pair14_rh_enthalpy", 2, 5},
    {"pair15_dew_moisture", 3, 4},      {"pair16_dew_enthalpy", 3, 5},
    {"pair17_moisture_enthalpy", 4, 5},
};

// The index in kRowPairs or kRowClasses of the entry with this name, or −1: how the command-line
// tools are told which rows to run.
template <typename Table>
int IndexOfName(const Table& table, std::string_view name) {
  for (int i = 0; i < static_cast<int>(std::size(table)); ++i) {
    if (table[i].name == name)
      return i;
  }
  return -1;
}

// How the given values are typed: half with two decimals ("20.35", as the calculator writes its
// results), a quarter as whole numbers ("20"), a quarter with four to six decimals ("20.351894",
// as a logger exports them). The pressure alike, in kPa.
enum class TextStyle { TwoDecimals, Whole, Long };

// The fixed input of a pair: the typical case of the same pair (cases.h), and for the two pairs
// that fix no state one input each that gets their message.
Row FixedRow(int pair);

// `count` rows of class kRowClasses[row_class] given through the pair kRowPairs[pair], the same
// on every run and in every program (the seed is the two indexes). The states are completed by the
// calculator from a dry bulb and a relative humidity; each row then gives the pair's two values of
// that state, retyped. Some rows end with a message (a whole number can put a dew point above the
// dry bulb): they are kept, as they come in real tables too.
std::vector<Row> MakeRows(int pair, int row_class, int count);

}  // namespace tarvel::bench
