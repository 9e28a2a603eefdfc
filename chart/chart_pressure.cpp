#include "chart/chart_pressure.h"

#include <charconv>

#include "ui/number_text.h"

namespace tarvel::chart {

ChartPressure ChartPressureOf(std::string_view field_text) {
  const double kpa = ParseNumber(field_text);
  // Written so that NaN, were it ever read, fails the test too.
  if (!field_text.empty() && kpa >= kLowestPressure && kpa <= kHighestPressure)
    return {kpa, std::string(field_text), true};
  return {ParseNumber(kStandardPressureText), std::string(kStandardPressureText), false};
}

std::string PressureCaption(double kpa) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, kpa, std::chars_format::fixed);
  return std::string(text, end.ec == std::errc() ? end.ptr : text);
}

}  // namespace tarvel::chart
