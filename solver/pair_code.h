#pragma once

#include <cstdint>

namespace tarvel {

// The code of an unordered pair of parameter fields, 3 to 17: the first two given fields, by
// control-array index first < second.
//   3 dry+wet  4 dry+rh  5 dry+dew  6 dry+moisture  7 dry+enthalpy
//   8 wet+rh  9 wet+dew  10 wet+moisture  11 wet+enthalpy
//   12 rh+dew  13 rh+moisture  14 rh+enthalpy
//   15 dew+moisture  16 dew+enthalpy  17 moisture+enthalpy
using PairCode = std::int16_t;

PairCode PairCodeOf(int first_index, int second_index);

}  // namespace tarvel
