#include "chart/chart_pressure.h"

#include "ui/number_text.h"
#include "ui/shortest_digits.h"

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
  const DecimalDigits shortest = ShortestDigits(kpa);
  const std::string digits = std::to_string(shortest.significand);
  const int count = static_cast<int>(digits.size());
  // How many digits stand before the decimal point.
  const int whole = count + shortest.exponent;
  std::string text = whole > 0 ? "" : "0.";
  text.append(whole < 0 ? -whole : 0, '0');
  for (int i = 0; i < count; ++i) {
    if (i == whole && i > 0)
      text += '.';
    text += digits[i];
  }
  text.append(whole > count ? whole - count : 0, '0');
  return text;
}

}  // namespace tarvel::chart
