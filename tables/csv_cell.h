#pragma once

#include <string>
#include <string_view>

namespace tarvel::tables {

// Appends `text` as one CSV cell: as it is, or between quotes with each quote doubled when it
// holds the separator, a quote or a line break (RFC 4180). Blanks at either end need no quotes.
void AppendCell(std::string& out, std::string_view text, char separator);

}  // namespace tarvel::tables
