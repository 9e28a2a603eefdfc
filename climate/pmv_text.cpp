#include "climate/pmv_text.h"

#include <cmath>
#include <string>

#include "climate/climate_error.h"
#include "climate/quoted_text.h"
#include "climate/text_lines.h"
#include "panel/number_text.h"
#include "tables/plain_number.h"

namespace tarvel::climate {
namespace {

// The number a setting's text gives, when it is a plain decimal, finite and above zero (or zero
// itself, when `zero_allowed`).
double Setting(std::string_view text, std::string_view what, bool zero_allowed) {
  const std::string_view trimmed = TrimBlanks(text);
  const double value = tables::IsPlainNumber(trimmed) ? ParseNumber(trimmed) : -1;
  if (!std::isfinite(value) || (zero_allowed ? !(value >= 0) : !(value > 0))) {
    throw ClimateError(std::string(what) + Quoted(text) +
                       (zero_allowed ? "应是不小于 0 的数" : "应是大于 0 的数"));
  }
  return value;
}

}  // namespace

PmvSettings PmvSettingsOf(std::string_view met, std::string_view clo, std::string_view air_speed) {
  PmvSettings settings;
  settings.met = Setting(met, "代谢率", false);
  settings.clo = Setting(clo, "服装热阻", true);
  settings.air_speed = Setting(air_speed, "风速", true);
  return settings;
}

}  // namespace tarvel::climate
