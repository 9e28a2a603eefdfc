#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvel::process {

// Writes one line of JSON, value by value, for the answers of designs: no document is built, so
// an answer costs little more than its bytes. Texts are written as UTF-8 with '"', '\' and the
// control characters escaped (any byte that is not part of valid UTF-8 becomes U+FFFD); numbers
// as JavaScript writes them (NumberText), the same text on every machine.
class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The key of the next member of the object being written.
  void Key(std::string_view key);
  void String(std::string_view text);
  void Number(double x);

  std::string Take() { return std::move(out_); }

 private:
  void BeforeValue();

  std::string out_;
  bool need_comma_ = false;
};

// A finite double as JavaScript's Number::toString writes it: the shortest decimal that reads back
// as x (the nearest of those to x), in plain notation from 10⁻⁶ up to 10²¹ (no exponent, no
// trailing ".0": 2, 0.5, 10000, 0.82) and with an exponent beyond (1e+21, 1.5e-7); zero is "0".
// Appends it to `out`.
void AppendNumberText(double x, std::string& out);

}  // namespace tarvel::process
