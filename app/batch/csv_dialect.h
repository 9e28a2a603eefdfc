#pragma once

#include <string_view>

namespace tarvel::batch {

// How a table is written: what its header line showed, and what its output keeps.
struct CsvDialect {
  char separator = ',';                // ',', ';' or '\t'
  std::string_view line_break = "\n";  // "\n" or "\r\n"
  bool byte_order_mark = false;        // the UTF-8 byte-order mark EF BB BF before the header
};

inline constexpr char kSeparators[] = {',', ';', '\t'};
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace tarvel::batch
