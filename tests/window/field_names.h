#pragma once

#include <array>

#include "panel/air_field.h"

// The window's fields by their object names: Text(0) to Text(5), then the pressure Text4, in
// AirField order.
inline constexpr std::array<const char*, tarvel::kFieldCount> kFieldNames = {
    "Text(0)", "Text(1)", "Text(2)", "Text(3)", "Text(4)", "Text(5)", "Text4"};
