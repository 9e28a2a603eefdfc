#pragma once

#include <array>
#include <string_view>

namespace tarvel {

// The seven fields of the calculator. The six air parameters form the control array Text(0) to
// Text(5), whose index order is the order in which the calculate command looks for given values
// and the clear command empties them; the pressure field Text4 stands apart from the array.
enum class AirField {
  DryBulb = 0,          // Text(0), °C
  WetBulb = 1,          // Text(1), °C
  RelHumidity = 2,      // Text(2), %
  DewPoint = 3,         // Text(3), °C
  MoistureContent = 4,  // Text(4), g water vapour per kg dry air
  Enthalpy = 5,         // Text(5), kJ per kg dry air
  Pressure = 6,         // Text4, kPa
};

inline constexpr int kParameterCount = 6;
inline constexpr int kFieldCount = 7;

// The parameter field at index 0 to 5 of the control array.
constexpr AirField ParameterField(int index) {
  return static_cast<AirField>(index);
}

constexpr int FieldIndex(AirField field) {
  return static_cast<int>(field);
}

// The icon of a message box; the values are the standard message-box styles.
enum class MessageIcon {
  None = 0,
  Critical = 16,
  Exclamation = 48,
  Information = 64,
};

std::string_view IconName(MessageIcon icon);

}  // namespace tarvel
