#include "climate/quoted_text.h"

namespace tarvel::climate {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the UTF-8 sequence at the front of `text`, or 0 when it is none.
std::size_t SequenceLength(std::string_view text) {
  const auto byte = static_cast<unsigned char>(text[0]);
  const std::size_t length = byte < 0x80                   ? 1
                             : byte >= 0xC2 && byte < 0xE0 ? 2
                             : byte >= 0xE0 && byte < 0xF0 ? 3
                             : byte >= 0xF0 && byte < 0xF5 ? 4
                                                           : 0;
  if (length == 0 || length > text.size())
    return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80)
      return 0;
  }
  return length;
}

}  // namespace

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::size_t length = SequenceLength(text);
    if (length == 0)
      return false;
    text.remove_prefix(length);
  }
  return true;
}

std::string Quoted(std::string_view text, std::size_t most) {
  std::string quoted = "“";
  for (std::size_t characters = 0; !text.empty(); ++characters) {
    if (characters == most) {
      quoted += "…";
      break;
    }
    const std::size_t length = SequenceLength(text);
    const bool control = length == 1 && static_cast<unsigned char>(text[0]) < 0x20;
    quoted += length == 0 || control ? kReplacement : text.substr(0, length);
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return quoted + "”";
}

}  // namespace tarvel::climate
