#include "process/json_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "panel/shortest_digits.h"

namespace tarvel::process {
namespace {

constexpr char kHex[] = "0123456789abcdef";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the valid UTF-8 sequence that starts at text[i], or 0 when none does.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead < 0x80)
    return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
    high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
    return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
      return 0;
  }
  return length;
}

// The two-character escape of a control character, where JSON has one.
const char* ShortEscape(unsigned char c) {
  switch (c) {
    case '\b':
      return "\\b";
    case '\f':
      return "\\f";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    default:
      return nullptr;
  }
}

}  // namespace

void JsonWriter::BeforeValue() {
  if (need_comma_)
    out_ += ',';
}

void JsonWriter::BeginObject() {
  BeforeValue();
  out_ += '{';
  need_comma_ = false;
}

void JsonWriter::EndObject() {
  out_ += '}';
  need_comma_ = true;
}

void JsonWriter::BeginArray() {
  BeforeValue();
  out_ += '[';
  need_comma_ = false;
}

void JsonWriter::EndArray() {
  out_ += ']';
  need_comma_ = true;
}

void JsonWriter::Key(std::string_view key) {
  String(key);
  out_ += ':';
  need_comma_ = false;
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  out_ += '"';
  std::size_t run = 0;  // the start of the bytes not yet written, which need no escape
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
      ++i;
      continue;
    }
    const std::size_t length = c < 0x80 ? 1 : Utf8Length(text, i);
    if (length > 1) {
      i += length;
      continue;
    }
    out_.append(text, run, i - run);
    if (length == 0) {
      out_ += kReplacement;
    } else if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += static_cast<char>(c);
    } else if (const char* escape = ShortEscape(c)) {
      out_ += escape;
    } else {
      out_ += "\\u00";
      out_ += kHex[c >> 4];
      out_ += kHex[c & 0xF];
    }
    run = ++i;
  }
  out_.append(text, run, text.size() - run);
  out_ += '"';
  need_comma_ = true;
}

void JsonWriter::Number(double x) {
  BeforeValue();
  AppendNumberText(x, out_);
  need_comma_ = true;
}

void AppendNumberText(double x, std::string& out) {
  if (x == 0) {
    out += '0';
    return;
  }
  const DecimalDigits shortest = ShortestDigits(std::fabs(x));
  char digits[24];
  int k = 0;
  for (std::uint64_t s = shortest.significand; s != 0; s /= 10)
    digits[k++] = static_cast<char>('0' + s % 10);
  std::reverse(digits, digits + k);
  const int n = shortest.exponent + k;  // the decimal point stands after n digits
  if (x < 0)
    out += '-';
  if (k <= n && n <= 21) {
    out.append(digits, k);
    out.append(static_cast<std::size_t>(n - k), '0');
  } else if (0 < n && n <= 21) {
    out.append(digits, n);
    out += '.';
    out.append(digits + n, k - n);
  } else if (-6 < n && n <= 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-n), '0');
    out.append(digits, k);
  } else {
    out += digits[0];
    if (k > 1) {
      out += '.';
      out.append(digits + 1, k - 1);
    }
    out += n - 1 < 0 ? "e-" : "e+";
    const int e = std::abs(n - 1);
    if (e >= 100)
      out += static_cast<char>('0' + e / 100);
    if (e >= 10)
      out += static_cast<char>('0' + e / 10 % 10);
    out += static_cast<char>('0' + e % 10);
  }
}

}  // namespace tarvel::process
