#pragma once

#include <cstdint>

#include "physics/elementary/tables.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {

// A positive normal double, given by its bits, as 2^exponent · m with m = 1.fraction, halved (and
// the exponent raised) from 1.5 on, so that m lies in [0.75, 1.5); and the entry of kLogTable for
// m's interval, chosen by the eight leading fraction bits. Every step is exact.
struct LogReduction {
  int exponent;
  double m;
  const LogTableEntry& entry;
};

inline LogReduction ReduceForLog(std::uint64_t bits) {
  int e = static_cast<int>(bits >> 52) - 1023;
  const int i = static_cast<int>((bits >> 44) & 255);
  const std::uint64_t fraction = bits & 0x000fffffffffffffu;
  std::uint64_t biased_m = 1023;
  if (i >= 128) {
    biased_m = 1022;
    ++e;
  }
  return {e, DoubleFromBits((biased_m << 52) | fraction), kLogTable[i]};
}

}  // namespace tarvel::elementary
