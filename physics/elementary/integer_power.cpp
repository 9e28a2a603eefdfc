// x^n rounded once from the exact power.
//
// A double is x = ±M · 2^q with an integer M < 2^53, so x^n = ±M^n · 2^(nq) exactly, and M^n has at
// most 5 · 53 = 265 bits: five 64-bit limbs hold it. The rounding then needs only its leading 64
// bits and whether any bit below them is set.
#include <cstdint>

#include "physics/elementary/correctly_rounded.h"
#include "physics/elementary/rounding.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {
namespace {

constexpr int kMaxLimbs = 5;

// limbs[0..count) (least significant first) times m, in place; returns the new count.
int MultiplyBy(std::uint64_t* limbs, int count, std::uint64_t m) {
  std::uint64_t carry = 0;
  for (int i = 0; i < count; ++i) {
    const UInt128 p = static_cast<UInt128>(limbs[i]) * m + carry;
    limbs[i] = static_cast<std::uint64_t>(p);
    carry = static_cast<std::uint64_t>(p >> 64);
  }
  if (carry != 0)
    limbs[count++] = carry;
  return count;
}

}  // namespace

double IntegerPower(double x, int n) {
  // The product of two doubles is already the correctly rounded square.
  if (n == 2)
    return x * x;

  const std::uint64_t bits = BitsOf(x);
  const bool negative = (bits >> 63) != 0 && (n & 1) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  std::uint64_t m = bits & 0x000fffffffffffffu;
  if (biased == 0x7ff) {
    // ±∞ stays infinite (with the sign of x^n), NaN stays NaN.
    if (m != 0)
      return x;
    return DoubleFromBits((negative ? std::uint64_t{1} << 63 : 0) | 0x7ff0000000000000u);
  }
  int q;
  if (biased == 0) {
    if (m == 0)
      return negative ? -0.0 : 0.0;
    q = -1074;  // subnormal: x = m · 2^−1074
  } else {
    m |= std::uint64_t{1} << 52;
    q = biased - 1075;
  }

  std::uint64_t limbs[kMaxLimbs] = {m};
  int count = 1;
  for (int i = 1; i < n; ++i)
    count = MultiplyBy(limbs, count, m);

  // Leading 64 bits of M^n and the sticky bit of everything below them.
  const std::uint64_t high = limbs[count - 1];
  const int shift = LeadingZeros(high);
  const int length = 64 * count - shift;  // bits in M^n
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
  return RoundToDouble(negative, top, sticky, length - 1 + n * q);
}

}  // namespace tarvel::elementary
