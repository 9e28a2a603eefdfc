#pragma once

#include <string_view>

namespace tarvel::climate_app {

// tarvel-climate --help: in Chinese, then in English.
std::string_view ClimateHelpText();

}  // namespace tarvel::climate_app
