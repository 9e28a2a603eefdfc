#pragma once

#include <cstdint>
#include <cstring>

namespace tarvel {

// The IEEE 754 encoding of a double and back. std::bit_cast would do, but not every standard
// library this core is built with has it yet; a memcpy of eight bytes compiles to the same move.
inline std::uint64_t BitsOf(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

inline double DoubleFromBits(std::uint64_t bits) {
  double x;
  std::memcpy(&x, &bits, sizeof x);
  return x;
}

}  // namespace tarvel
