#include "tables/plain_number.h"

namespace tarvel::tables {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool IsPlainNumber(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t begin = i;
    while (i < text.size() && IsDigit(text[i]))
      ++i;
    return i - begin;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    ++i;
  std::size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0)
    return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    if (digits() == 0)
      return false;
  }
  return i == text.size();
}

}  // namespace tarvel::tables
