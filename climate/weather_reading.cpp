#include "climate/weather_reading.h"

#include <cstring>

#include "climate/climate_error.h"
#include "climate/format_reading.h"
#include "climate/quoted_text.h"
#include "climate/record_notes.h"
#include "climate/text_lines.h"

namespace tarvel::climate {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void RejectNonText(std::string_view text) {
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
    throw ClimateError("文件是空的");
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
    throw ClimateError("文件是 UTF-16 编码：请另存为 UTF-8");
  if (std::memchr(text.data(), '\0', text.size()))
    throw ClimateError("文件中有 NUL 字节，不是文本的气象文件（EPW 或 CSV）");
  if (text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos)
    throw ClimateError("文件的换行符是单独的回车符（CR）：请另存为换行符是 LF 或 CR LF 的文件");
}

std::string NeitherFormat(std::string_view text) {
  TextLines lines(text);
  std::string_view first;
  lines.Next(first);
  std::string what = "不是 EPW 或 CSV 气象文件：第一行" + Quoted(first) +
                     "既不是 EPW 的 LOCATION 行，也不是有时间列（时间 或 time）和干球温度列" +
                     "（干球温度 或 dry_bulb）的表头";
  if (!IsUtf8(first))
    what += "（这一行不是 UTF-8 编码，也许是 GBK：请另存为 UTF-8）";
  return what;
}

bool StartsWithLocation(std::string_view text) {
  text = TrimBlanks(text.substr(0, 64));
  constexpr std::string_view kLocation = "LOCATION";
  if (text.size() < kLocation.size())
    return false;
  for (std::size_t i = 0; i < kLocation.size(); ++i) {
    if ((text[i] & ~0x20) != kLocation[i])
      return false;
  }
  return true;
}

}  // namespace

WeatherRecord ReadWeather(std::string_view bytes, const ReadingOptions& options) {
  if (bytes.starts_with(kByteOrderMark))
    bytes.remove_prefix(kByteOrderMark.size());
  RejectNonText(bytes);
  FormatReading reading;
  if (StartsWithLocation(bytes))
    reading = ReadEpw(bytes, options);
  else if (LooksLikeWeatherCsv(bytes))
    reading = ReadWeatherCsv(bytes, options);
  else
    throw ClimateError(NeitherFormat(bytes));
  if (reading.record.hours.empty()) {
    throw ClimateError(reading.between_hours > 0 ? "文件中没有整点的数据行"
                                                 : "文件中只有文件头，没有逐时数据");
  }
  CheckRecord(reading);
  return std::move(reading.record);
}

}  // namespace tarvel::climate
