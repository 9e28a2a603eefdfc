#pragma once

#include <string_view>

#include "panel/air_field.h"

namespace tarvel::process {

// A design request gives a parameter of a state by the field's key (panel/field_names.h) with its
// text, or by that key and this suffix with the name of an earlier state, whose field text it
// copies: "moisture_of": "O".
inline constexpr std::string_view kCopiedSuffix = "_of";

// "dry_bulb_of", "wet_bulb_of", "rel_humidity_of", "dew_point_of", "moisture_of", "enthalpy_of".
std::string_view CopiedParameterKey(AirField field);

}  // namespace tarvel::process
