#include "chart/chart_pressure.h"

#include "panel/decimal_digits.h"
#include "panel/number_text.h"
#include "panel/shortest_digits.h"

namespace tarvel::chart {

ChartPressure ChartPressureOf(std::string_view field_text) {
  const double kpa = ParseNumber(field_text);
  // Written so that NaN, were it ever read, fails the test too.
  if (!field_text.empty() && kpa >= kLowestPressure && kpa <= kHighestPressure)
    return {kpa, std::string(field_text), true};
  return {ParseNumber(kStandardPressureText), std::string(kStandardPressureText), false};
}

std::string PressureCaption(double kpa) {
  // Far outside the pressures a chart is drawn for, as a field writes it.
  if (!(kpa >= 1e-6 && kpa <= 1e15))
    return FormatNumber(kpa);
  char text[kNumberTextCapacity];
  return std::string(text, WritePlainDecimal(text, ShortestDigits(kpa)));
}

}  // namespace tarvel::chart
