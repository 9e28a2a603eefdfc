#pragma once

#include <cstdint>

#include "physics/elementary/rounding.h"

namespace tarvel::elementary {

// Non-negative integers held in arrays of 64-bit limbs, least significant limb first. The exact
// powers and the fixed-point accurate paths both work on them.

// limbs[0..count) times `factor`, in place; returns the limb carried out of the top, which the
// caller appends or knows to be 0.
inline std::uint64_t MultiplyLimbs(std::uint64_t* limbs, int count, std::uint64_t factor) {
  std::uint64_t carry = 0;
  for (int i = 0; i < count; ++i) {
    const UInt128 p = static_cast<UInt128>(limbs[i]) * factor + carry;
    limbs[i] = static_cast<std::uint64_t>(p);
    carry = static_cast<std::uint64_t>(p >> 64);
  }
  return carry;
}

// The double nearest to ±N · 2^scale, N the integer in limbs[0..count) with a non-zero top limb
// limbs[count − 1]: its leading 64 bits and whether any bit below them is set are all that the
// rounding needs (see RoundToDouble).
inline double RoundLimbsToDouble(bool negative, const std::uint64_t* limbs, int count, int scale) {
  const std::uint64_t high = limbs[count - 1];
  const int shift = LeadingZeros(high);
  std::uint64_t top = high << shift;
  bool sticky = false;
  if (count > 1) {
    const std::uint64_t next = limbs[count - 2];
    if (shift != 0)
      top |= next >> (64 - shift);
    sticky = (shift != 0 ? next << shift : next) != 0;
    for (int i = count - 3; i >= 0 && !sticky; --i)
      sticky = limbs[i] != 0;
  }
  // N has 64 count − shift bits, so its leading bit stands at 2^(64 count − shift − 1 + scale).
  return RoundToDouble(negative, top, sticky, 64 * count - shift - 1 + scale);
}

}  // namespace tarvel::elementary
