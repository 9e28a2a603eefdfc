#include "tables/csv_cell.h"

namespace tarvel::tables {
namespace {

bool NeedsQuotes(std::string_view text, char separator) {
  for (const char c : text) {
    if (c == separator || c == '"' || c == '\n' || c == '\r')
      return true;
  }
  return false;
}

}  // namespace

void AppendCell(std::string& out, std::string_view text, char separator) {
  if (!NeedsQuotes(text, separator)) {
    out.append(text);
    return;
  }
  out.push_back('"');
  for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos;) {
    out.append(text.substr(0, quote + 1));
    out.push_back('"');
    text.remove_prefix(quote + 1);
  }
  out.append(text);
  out.push_back('"');
}

}  // namespace tarvel::tables
