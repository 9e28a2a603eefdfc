#pragma once

#include <cstdint>

#include "physics/elementary/limbs.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {

// A signed fixed-point number of L 64-bit limbs in two's complement, least significant limb
// first: the top limb is the integer part, the other L − 1 limbs hold kFractionBits = 64 (L − 1)
// bits of fraction. One unit in the last place (ulp) is 2^−kFractionBits. The accurate paths of
// exp and log compute in it with truncating operations whose errors are counted in ulps; it
// handles values of magnitude below 2^62.
template <int L>
struct Fixed {
  static constexpr int kFractionBits = 64 * (L - 1);
  std::uint64_t limb[L] = {};

  static Fixed Integer(std::int64_t n) {
    Fixed f;
    f.limb[L - 1] = static_cast<std::uint64_t>(n);  // the fraction limbs of an integer are 0
    return f;
  }
  bool Negative() const { return (limb[L - 1] >> 63) != 0; }
  bool IsZero() const {
    for (std::uint64_t w : limb) {
      if (w != 0)
        return false;
    }
    return true;
  }
};

template <int L>
Fixed<L> operator+(const Fixed<L>& a, const Fixed<L>& b) {
  Fixed<L> r;
  std::uint64_t carry = 0;
  for (int i = 0; i < L; ++i) {
    const UInt128 s = static_cast<UInt128>(a.limb[i]) + b.limb[i] + carry;
    r.limb[i] = static_cast<std::uint64_t>(s);
    carry = static_cast<std::uint64_t>(s >> 64);
  }
  return r;
}

template <int L>
Fixed<L> operator-(const Fixed<L>& a) {
  Fixed<L> r;
  std::uint64_t carry = 1;
  for (int i = 0; i < L; ++i) {
    const UInt128 s = static_cast<UInt128>(~a.limb[i]) + carry;
    r.limb[i] = static_cast<std::uint64_t>(s);
    carry = static_cast<std::uint64_t>(s >> 64);
  }
  return r;
}

template <int L>
Fixed<L> operator-(const Fixed<L>& a, const Fixed<L>& b) {
  return a + (-b);
}

template <int L>
Fixed<L> Abs(const Fixed<L>& a) {
  return a.Negative() ? -a : a;
}

// n ulps.
template <int L>
Fixed<L> Ulps(std::uint64_t n) {
  Fixed<L> f;
  f.limb[0] = n;
  return f;
}

// The double x exactly; x must be a multiple of one ulp, with |x| < 2^62.
template <int L>
Fixed<L> FromDouble(double x) {
  const BinaryParts parts = SplitBinary(x);
  Fixed<L> f;
  if (parts.significand == 0)
    return f;
  // x = m · 2^q: place m at bit q + kFractionBits of the limb array.
  const int position = parts.exponent + Fixed<L>::kFractionBits;
  const int word = position / 64;
  const int offset = position % 64;
  f.limb[word] = parts.significand << offset;
  if (offset != 0 && word + 1 < L)
    f.limb[word + 1] = parts.significand >> (64 - offset);
  return parts.negative ? -f : f;
}

// a · n for a signed integer n, exactly (the caller keeps the product in range).
template <int L>
Fixed<L> MultiplySmall(const Fixed<L>& a, std::int64_t n) {
  const bool negative = a.Negative() != (n < 0);
  Fixed<L> r = Abs(a);
  MultiplyLimbs(r.limb, L, n < 0 ? 0 - static_cast<std::uint64_t>(n) : n);
  return negative ? -r : r;
}

// a / d truncated toward zero, d > 0: an error below 1 ulp.
template <int L>
Fixed<L> DivideSmall(const Fixed<L>& a, std::uint64_t d) {
  const bool negative = a.Negative();
  const Fixed<L> m = Abs(a);
  Fixed<L> r;
  UInt128 remainder = 0;
  for (int i = L - 1; i >= 0; --i) {
    const UInt128 current = (remainder << 64) | m.limb[i];
    r.limb[i] = static_cast<std::uint64_t>(current / d);
    remainder = current % d;
  }
  return negative ? -r : r;
}

// a · b truncated toward zero: an error below 1 ulp.
template <int L>
Fixed<L> operator*(const Fixed<L>& a, const Fixed<L>& b) {
  const bool negative = a.Negative() != b.Negative();
  const Fixed<L> x = Abs(a);
  const Fixed<L> y = Abs(b);
  std::uint64_t product[2 * L] = {};
  for (int i = 0; i < L; ++i) {
    std::uint64_t carry = 0;
    for (int j = 0; j < L; ++j) {
      const UInt128 p = static_cast<UInt128>(x.limb[i]) * y.limb[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint64_t>(p);
      carry = static_cast<std::uint64_t>(p >> 64);
    }
    product[i + L] = carry;
  }
  // The product has 2 kFractionBits fraction bits: drop the lowest L − 1 limbs.
  Fixed<L> r;
  for (int i = 0; i < L; ++i)
    r.limb[i] = product[i + L - 1];
  return negative ? -r : r;
}

// a · 2^−s rounded toward −∞, 0 ≤ s < 64 (L − 1): an error below 1 ulp.
template <int L>
Fixed<L> ShiftRight(const Fixed<L>& a, int s) {
  const int words = s / 64;
  const int bits = s % 64;
  const std::uint64_t fill = a.Negative() ? ~std::uint64_t{0} : 0;
  Fixed<L> r;
  for (int i = 0; i < L; ++i) {
    const int from = i + words;
    const std::uint64_t lo = from < L ? a.limb[from] : fill;
    const std::uint64_t hi = from + 1 < L ? a.limb[from + 1] : fill;
    r.limb[i] = bits == 0 ? lo : (lo >> bits) | (hi << (64 - bits));
  }
  return r;
}

// a · 2^s for 0 ≤ s < 64, exactly (the caller keeps the result in range).
template <int L>
Fixed<L> ShiftLeft(const Fixed<L>& a, int s) {
  if (s == 0)
    return a;
  Fixed<L> r;
  for (int i = L - 1; i >= 0; --i)
    r.limb[i] = (a.limb[i] << s) | (i > 0 ? a.limb[i - 1] >> (64 - s) : 0);
  return r;
}

// The double nearest to a · 2^k (see RoundToDouble); a must not be zero.
template <int L>
double RoundScaled(const Fixed<L>& a, int k) {
  const Fixed<L> m = Abs(a);
  int count = L;
  while (m.limb[count - 1] == 0)
    --count;
  return RoundLimbsToDouble(a.Negative(), m.limb, count, k - Fixed<L>::kFractionBits);
}

}  // namespace tarvel::elementary
