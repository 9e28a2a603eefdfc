// The EPW reading of tarvel-climate on arbitrary bytes. An input whose first byte is even is read
// after a well-formed header of 8 lines, so that the fuzzer spends its effort on data lines;
// an odd one is read as it stands, header and all. Whatever the bytes, reading either refuses the
// file with a message or gives a record of which CheckWeatherRecord holds.
#include <cstdint>
#include <string>

#include "fuzz/weather_properties.h"

namespace {

constexpr std::string_view kHeader =
    "LOCATION,Fuzz,FZ,CHN,Test,999999,31.17,121.43,8.0,4.5\nDESIGN CONDITIONS,0\n"
    "TYPICAL/EXTREME PERIODS,0\nGROUND TEMPERATURES,0\nHOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\n"
    "COMMENTS 1,\nCOMMENTS 2,\nDATA PERIODS,1,1,Data,Sunday, 1/ 1,12/31\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string bytes =
      (data[0] % 2 == 0 ? std::string(kHeader) : std::string()) + std::string(rest);
  const std::string fallback = data[0] % 4 < 2 ? "" : "100.5";
  tarvel::fuzz::ReadAndCheck(bytes, fallback);
  return 0;
}
