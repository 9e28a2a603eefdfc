#include "python/src/unicode_text.h"

#include <stdexcept>

namespace tarvel::python {

void AppendUtf8(const std::uint32_t* code_points, std::size_t count, std::string& out) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t c = code_points[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xc0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xe0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    } else if (c < 0x110000) {
      out.push_back(static_cast<char>(0xf0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    } else {
      throw std::invalid_argument("a code point above U+10FFFF, which is no character");
    }
  }
}

std::size_t CodePointCount(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8)
    count += (static_cast<unsigned char>(c) & 0xc0) != 0x80;
  return count;
}

std::size_t DecodeUtf8(std::string_view utf8, std::uint32_t* out) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
    std::uint32_t c = length == 1 ? lead : lead & (0x7f >> length);
    for (int k = 1; k < length && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3f);
    out[count++] = c;
    i += static_cast<std::size_t>(length);
  }
  return count;
}

}  // namespace tarvel::python
