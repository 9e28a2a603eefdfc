#pragma once

#include <cstdint>

#include "physics/float_bits.h"

namespace tarvel::elementary {

__extension__ typedef unsigned __int128 UInt128;

// Number of leading zero bits of a non-zero 64-bit word.
inline int LeadingZeros(std::uint64_t x) {
  return __builtin_clzll(x);
}

// The double nearest to the real number
//     ±(top · 2^(exponent − 63) + tail),    top ≥ 2^63, 0 ≤ tail < 2^(exponent − 63),
// ties to even, where `sticky` says whether tail is non-zero. So `exponent` is the binary exponent
// of the leading bit. This is IEEE rounding to nearest with the exponent range of a double:
// results at or beyond 2^1024 after rounding are infinite, results below 2^−1022 are rounded at
// the fixed position 2^−1074 of the subnormal numbers, and a value at most half of 2^−1074 is 0.
// Every correctly rounded function ends here or in one IEEE operation.
inline double RoundToDouble(bool negative, std::uint64_t top, bool sticky, int exponent) {
  const std::uint64_t sign = negative ? std::uint64_t{1} << 63 : 0;
  if (exponent > 1023)
    return DoubleFromBits(sign | 0x7ff0000000000000u);
  // Bits of `top` that fall below the last place kept: 11 for a normal result, more for a
  // subnormal one (the last place is then 2^−1074).
  int dropped = 11;
  if (exponent < -1022)
    dropped += -1022 - exponent;
  if (dropped > 64) {
    // Below 2^−1075: rounds to zero.
    return DoubleFromBits(sign);
  }
  std::uint64_t kept;
  bool round_bit;
  bool rest;
  if (dropped == 64) {
    // In [2^−1075, 2^−1074): the first bit of `top` is the rounding bit.
    kept = 0;
    round_bit = true;
    rest = sticky || (top << 1) != 0;
  } else {
    kept = top >> dropped;
    round_bit = (top >> (dropped - 1)) & 1;
    rest = sticky || (top & ((std::uint64_t{1} << (dropped - 1)) - 1)) != 0;
  }
  if (round_bit && (rest || (kept & 1)))
    ++kept;
  if (exponent < -1022) {
    // Subnormal encoding: the biased exponent is 0 and `kept` is the whole significand; a carry
    // into bit 52 gives the smallest normal number, whose encoding is the same integer.
    return DoubleFromBits(sign | kept);
  }
  // `kept` has its leading bit at 52, or at 53 after a carry from 2^53 − 1.
  int biased = exponent + 1023;
  if (kept >> 53) {
    kept >>= 1;
    ++biased;
    if (biased > 2046)
      return DoubleFromBits(sign | 0x7ff0000000000000u);
  }
  return DoubleFromBits(sign | (static_cast<std::uint64_t>(biased) << 52) |
                        (kept & 0x000fffffffffffffu));
}

}  // namespace tarvel::elementary
