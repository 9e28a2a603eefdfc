#include "app/climate/text_columns.h"

#include <algorithm>

namespace tarvel::climate_app {

int DisplayWidth(std::string_view text) {
  int width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? byte : byte & (0x7F >> length);
    for (int k = 1; k < length && i + k < text.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    // CJK radicals up to the Hangul syllables, and the fullwidth forms.
    const bool wide = (code >= 0x2E80 && code <= 0xD7A3) || (code >= 0xFF00 && code <= 0xFF60);
    width += wide ? 2 : 1;
    i += static_cast<std::size_t>(length);
  }
  return width;
}

std::string ColumnsText(const std::vector<std::vector<std::string>>& rows, int indent) {
  std::vector<int> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()), 0);
    for (std::size_t c = 0; c < row.size(); ++c)
      widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line(static_cast<std::size_t>(indent), ' ');
    for (std::size_t c = 0; c < row.size(); ++c) {
      line += row[c];
      if (c + 1 < row.size())
        line.append(static_cast<std::size_t>(widths[c] - DisplayWidth(row[c]) + 2), ' ');
    }
    while (!line.empty() && line.back() == ' ')
      line.pop_back();
    text += line + "\n";
  }
  return text;
}

}  // namespace tarvel::climate_app
