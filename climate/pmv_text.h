#pragma once

#include <string_view>

#include "climate/pmv.h"

namespace tarvel::climate {

// The PMV settings from the texts a form gives: the metabolic rate (met), above zero, the
// clothing insulation (clo) and the air speed (m/s), neither below zero, each a plain decimal
// with blanks around it allowed; the mean radiant temperature is the dry bulb. Throws
// ClimateError naming the first text that is not such a number.
PmvSettings PmvSettingsOf(std::string_view met, std::string_view clo, std::string_view air_speed);

}  // namespace tarvel::climate
