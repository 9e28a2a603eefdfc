#include "climate/pressure_text.h"

#include <cmath>

#include "climate/text_lines.h"
#include "panel/number_text.h"
#include "panel/rounded_text.h"
#include "physics/standard_atmosphere.h"

namespace tarvel::climate {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<std::string> KilopascalText(std::string_view pascal) {
  pascal = TrimBlanks(pascal);
  std::string sign;
  if (!pascal.empty() && (pascal.front() == '-' || pascal.front() == '+')) {
    sign = pascal.front() == '-' ? "-" : "";
    pascal.remove_prefix(1);
  }
  const std::size_t point = pascal.find('.');
  std::string_view whole = pascal.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : pascal.substr(point + 1);
  const auto all_digits = [](std::string_view digits) {
    for (const char c : digits) {
      if (!IsDigit(c))
        return false;
    }
    return true;
  };
  if (whole.size() + fraction.size() == 0 || !all_digits(whole) || !all_digits(fraction))
    return std::nullopt;
  std::string padded(whole.size() < 3 ? 3 - whole.size() : 0, '0');
  padded.append(whole);
  const std::size_t split = padded.size() - 3;
  std::string kpa = sign;
  kpa.append(split == 0 ? "0" : padded.substr(0, split));
  kpa.push_back('.');
  kpa.append(padded.substr(split));
  kpa.append(fraction);
  return kpa;
}

std::optional<std::string> PressureTextAtElevation(std::string_view metres) {
  const double kpa = PressureAtAltitude(ParseNumber(metres));
  if (!std::isfinite(kpa) || kpa <= 0)
    return std::nullopt;
  std::string text = FormatRounded(kpa, 3);
  if (text == "0")
    return std::nullopt;
  return text;
}

}  // namespace tarvel::climate
