#pragma once

#include <string_view>

#include "panel/air_field.h"

namespace tarvel::process {

// The names by which a design request gives the six air parameters, in field order:
// dry_bulb, wet_bulb, rel_humidity, dew_point, moisture, enthalpy.
std::string_view ParameterKey(AirField field);

// The key by which a design request takes that parameter's text from an earlier state:
// dry_bulb_of, wet_bulb_of, rel_humidity_of, dew_point_of, moisture_of, enthalpy_of.
std::string_view CopiedParameterKey(AirField field);

}  // namespace tarvel::process
