// The web page's altitude helper: the standard atmosphere's pressure at a height above sea level,
// for the pressure field when only the altitude of the place is known. The altitude's text is read
// as the calculator reads its fields, and the pressure written to three decimals (to the pascal).
#include <emscripten/emscripten.h>

#include <cmath>
#include <string>

#include "panel/number_text.h"
#include "panel/rounded_text.h"
#include "physics/standard_atmosphere.h"
#include "web/entry_buffer.h"

namespace {

std::string altitude;
std::string pressure;

}  // namespace

extern "C" {

// A buffer of `size` bytes into which the page writes the UTF-8 text of the altitude (m).
EMSCRIPTEN_KEEPALIVE char* tarvel_altitude_buffer(int size) {
  return tarvel::web::TextBuffer(altitude, size);
}

// The pressure at the altitude in the buffer, kPa to three decimals ("89.875" for 1000 m); the
// empty text when the standard atmosphere has none there that rounds above zero (from about
// 44 330 m up, where the formula ends, or so far below sea level that it overflows).
EMSCRIPTEN_KEEPALIVE const char* tarvel_altitude_pressure() {
  const double kpa = tarvel::PressureAtAltitude(tarvel::ParseNumber(altitude));
  pressure = std::isfinite(kpa) && kpa > 0 ? tarvel::FormatRounded(kpa, 3) : "";
  if (pressure == "0")
    pressure.clear();
  return pressure.data();
}

// The length of that text in bytes.
EMSCRIPTEN_KEEPALIVE int tarvel_altitude_pressure_size() {
  return static_cast<int>(pressure.size());
}

}  // extern "C"
