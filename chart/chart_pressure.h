#pragma once

#include <string>
#include <string_view>

namespace tarvel::chart {

// The pressure a chart is drawn for.
struct ChartPressure {
  double kpa;
  // The pressure field's own text when the chart is drawn for it, otherwise the standard
  // atmosphere's "101.325": the text a state on the chart is calculated with.
  std::string text;
  bool from_field;
};

inline constexpr std::string_view kStandardPressureText = "101.325";  // kPa
// The pressures a chart is drawn for: from a high mountain's air well into compressed air.
inline constexpr double kLowestPressure = 1;       // kPa
inline constexpr double kHighestPressure = 10000;  // kPa

// The pressure field's text read as the calculate command reads it; a text that gives no
// pressure between kLowestPressure and kHighestPressure (an empty text, letters, zero, a negative
// or a huge value) gives the standard atmosphere instead.
ChartPressure ChartPressureOf(std::string_view field_text);

// The pressure as the chart's caption shows it: the shortest decimal that reads back as the very
// value drawn for (84.556, not 84.56), whatever the locale.
std::string PressureCaption(double kpa);

}  // namespace tarvel::chart
