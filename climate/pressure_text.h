#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvel::climate {

// The pressure in kPa as a text, from its text in Pa, the decimal point moved three places to the
// left and every digit kept, so that no float ever stands between the file and the pressure field:
// "101325" → "101.325", "99500" → "99.500", "1013.5" → "1.0135", "50" → "0.050". Blanks around the
// text are dropped. Nullopt for a text that is not digits with at most one point and a sign.
std::optional<std::string> KilopascalText(std::string_view pascal);

// The standard atmosphere's pressure at an elevation, for a record without pressures: the text
// of the metres read as the window reads a field, the pressure in kPa to three decimals as the
// page's altitude helper writes it ("89.875" for 1000). Nullopt where the atmosphere gives no
// pressure above zero.
std::optional<std::string> PressureTextAtElevation(std::string_view metres);

}  // namespace tarvel::climate
