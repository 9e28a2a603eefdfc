#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

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

// The next double above a finite x (+∞ above the largest), and the next below.
inline double NextUp(double x) {
  if (x == 0)
    return std::numeric_limits<double>::denorm_min();
  const std::uint64_t bits = BitsOf(x);
  return DoubleFromBits(x > 0 ? bits + 1 : bits - 1);
}
inline double NextDown(double x) {
  return -NextUp(-x);
}

}  // namespace tarvel
