#include "tables/csv_cell.h"

namespace tarvel::tables {

char* WriteQuotedCell(char* out, std::string_view text) {
  *out++ = '"';
  for (const char c : text) {
    *out++ = c;
    if (c == '"')
      *out++ = '"';
  }
  *out++ = '"';
  return out;
}

void AppendCell(std::string& out, std::string_view text, char separator) {
  const std::size_t start = out.size();
  out.resize(start + CellBytesAtMost(text.size()));
  out.resize(static_cast<std::size_t>(WriteCell(out.data() + start, text, separator) - out.data()));
}

}  // namespace tarvel::tables
