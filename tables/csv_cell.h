#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace tarvel::tables {

// Whether the byte `c` makes a CSV cell stand between quotes: the separator, a quote or a line
// break (RFC 4180). Blanks at either end need no quotes. The quote and the line breaks lie below
// every digit and letter: one comparison passes those (a number's text is all of them).
inline bool NeedsQuotes(char c, char separator) {
  return c == separator ||
         (static_cast<unsigned char>(c) <= '"' && (c == '"' || c == '\n' || c == '\r'));
}

// The most bytes a cell of `size` bytes takes: every byte a doubled quote, and the two around.
constexpr std::size_t CellBytesAtMost(std::size_t size) {
  return 2 * size + 2;
}

// Writes `text` between quotes, each quote doubled, at `out`; returns the end.
char* WriteQuotedCell(char* out, std::string_view text);

// Writes `text` as one CSV cell at `out`, which has room for CellBytesAtMost(text.size()) bytes:
// as it is, or between quotes with each quote doubled when a byte NeedsQuotes. Returns the end. The
// bytes are looked at as they are copied: a cell is a few bytes, most often a number's.
inline char* WriteCell(char* out, std::string_view text, char separator) {
  char* p = out;
  for (const char c : text) {
    if (NeedsQuotes(c, separator))
      return WriteQuotedCell(out, text);
    *p++ = c;
  }
  return p;
}

// Appends `text` as one CSV cell, as WriteCell writes it.
void AppendCell(std::string& out, std::string_view text, char separator);

}  // namespace tarvel::tables
