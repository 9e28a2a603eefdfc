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

// A finite double as the exact product ±significand · 2^exponent of an integer and a power of two.
struct BinaryParts {
  bool negative;
  std::uint64_t significand;  // below 2^53; from 2^52 on for a normal number, 0 for a zero
  int exponent;               // −1074 for the subnormal numbers and the zeros
};

// The parts of a finite x (for an infinity or a NaN the significand holds the payload).
inline BinaryParts SplitBinary(double x) {
  const std::uint64_t bits = BitsOf(x);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  const std::uint64_t fraction = bits & 0x000fffffffffffffu;
  if (biased == 0)
    return {(bits >> 63) != 0, fraction, -1074};
  return {(bits >> 63) != 0, fraction | (std::uint64_t{1} << 52), biased - 1075};
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
