#include "app/batch/utf8.h"

#include <cstdint>
#include <cstring>

namespace tarvel::batch {

bool IsUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + text.size();
  while (p < end) {
    // Eight ASCII bytes at a time: the common case of a table of numbers.
    if (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      if ((word & 0x8080808080808080u) == 0) {
        p += 8;
        continue;
      }
    }
    const unsigned char lead = *p;
    if (lead < 0x80) {
      ++p;
      continue;
    }
    // The length of the sequence, and the range of its second byte, which excludes overlong
    // forms, surrogates and code points above U+10FFFF (RFC 3629, table 3-7 of Unicode).
    int length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0)
        low = 0xA0;
      if (lead == 0xED)
        high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0)
        low = 0x90;
      if (lead == 0xF4)
        high = 0x8F;
    } else {
      return false;
    }
    if (end - p < length || p[1] < low || p[1] > high)
      return false;
    for (int i = 2; i < length; ++i) {
      if ((p[i] & 0xC0) != 0x80)
        return false;
    }
    p += length;
  }
  return true;
}

}  // namespace tarvel::batch
