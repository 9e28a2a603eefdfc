// The web page's altitude helper: the standard atmosphere's pressure at a height above sea level,
// for the pressure field when only the altitude of the place is known. The altitude's text is read
// as the calculator reads its fields, and the pressure written to three decimals (to the pascal).
#include <emscripten/emscripten.h>

#include <cmath>
#include <string>

#include "panel/number_text.h"
#include "panel/rounded_text.h"
#include "physics/standard_atmosphere.h"
#include "web/handover.h"
#include "web/page_core.h"

extern "C" {

// The pressure at the altitude (m) in the buffer: texts kAltitudeTexts, kPa to three decimals
// ("89.875" for 1000 m); the empty text when the standard atmosphere has none there that rounds
// above zero (from about 44 330 m up, where the formula ends, or so far below sea level that it
// overflows).
EMSCRIPTEN_KEEPALIVE void tarvel_altitude(tarvel::web::PageCore* page) {
  using tarvel::web::At;
  using tarvel::web::kAltitudeTexts;
  const double kpa = tarvel::PressureAtAltitude(tarvel::ParseNumber(page->incoming));
  std::string pressure = std::isfinite(kpa) && kpa > 0 ? tarvel::FormatRounded(kpa, 3) : "";
  if (pressure == "0")
    pressure.clear();
  page->answer.Clear();
  page->answer.texts.resize(kAltitudeTexts.size());
  page->answer.texts[At(kAltitudeTexts, "pressure")] = std::move(pressure);
}

}  // extern "C"
