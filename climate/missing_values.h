#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "panel/air_field.h"

namespace tarvel::climate {

// How an EPW file marks a value that was not measured: 99.9 ℃ for the dry bulb and the dew point,
// 999 % for the relative humidity, 999999 Pa for the station pressure.
namespace epw_missing {
inline constexpr double kDryBulb = 99.9;
inline constexpr double kDewPoint = 99.9;
inline constexpr double kRelHumidity = 999;
inline constexpr double kPressurePa = 999999;
}  // namespace epw_missing

// One value of an hour as the file writes it.
struct GivenValue {
  AirField field;
  std::string_view text;
  // The number by which the file marks the value as missing, if its format has one.
  std::optional<double> missing_mark;
};

// Why the value is not data the window may be given, or the empty text when it is: an empty text
// ("露点温度缺测（空）"), the file's mark of a missing value ("露点温度缺测（99.9）"), or a text
// that is not a plain decimal number ("露点温度“n/a”不是数"), which the window would read as 0.
std::string ValueProblem(const GivenValue& value);

}  // namespace tarvel::climate
