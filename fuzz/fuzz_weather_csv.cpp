// The CSV reading of tarvel-climate on arbitrary bytes. The first byte picks a header put before
// the rest (one of a few with a time column, or none) and whether a pressure is given for the
// whole record; the rest is the table's rows. Whatever the bytes, reading either refuses the
// table with a message or gives a record of which CheckWeatherRecord holds.
#include <array>
#include <cstdint>
#include <string>

#include "fuzz/weather_properties.h"

namespace {

constexpr std::array<std::string_view, 4> kHeaders = {
    "time,pressure,dry_bulb,dew_point,rel_humidity\n",
    "\xEF\xBB\xBF时间;干球温度;相对湿度;湿球温度\r\n",
    "note\tTIME\tdry_bulb\tenthalpy\tmoisture_content\tpressure\n",
    "",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string bytes = std::string(kHeaders[data[0] % kHeaders.size()]) + std::string(rest);
  const std::string fallback = data[0] / kHeaders.size() % 2 == 0 ? "101.325" : "";
  tarvel::fuzz::ReadAndCheck(bytes, fallback);
  return 0;
}
