// Rounding a binary value to whole units of 1/scale, ties to even, by one sum and one shift: the
// edges of its domain, which the written texts never reach (they round with k from 7 and a
// product below 2^60), against the quotient and remainder in 128-bit arithmetic.

#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "panel/decimal_digits.h"

namespace tarvel {
namespace {

__extension__ typedef unsigned __int128 Wide;

// s / 2^k rounded to nearest, ties to even, with the remainder compared in twice its width.
std::uint64_t ExactRounding(std::uint64_t m, std::uint64_t scale, int k) {
  const Wide s = Wide{m} * scale;
  const Wide one = Wide{1} << k;
  const auto quotient = static_cast<std::uint64_t>(s >> k);
  const Wide twice_rest = 2 * (s & (one - 1));
  const bool up = twice_rest > one || (twice_rest == one && (quotient & 1) != 0);
  return quotient + up;
}

// Every k, the remainders around the half and at both ends, even and odd quotients, and products
// up to the largest allowed (2^63 − 1).
TEST(RoundToUnits, MatchesExactRoundingAtTheEdges) {
  constexpr std::uint64_t kLargest = (std::uint64_t{1} << 63) - 1;
  int checked = 0;
  for (int k = 1; k < 64; ++k) {
    const std::uint64_t one = std::uint64_t{1} << k;
    const std::uint64_t half = one >> 1;
    for (const std::uint64_t rest : {std::uint64_t{0}, half - 1, half, half + 1, one - 1}) {
      for (std::uint64_t quotient = 0; quotient < 4; ++quotient) {
        // The smallest products of each remainder, and the largest below 2^63.
        const std::uint64_t top = (kLargest - rest) / one - quotient;
        for (const std::uint64_t q : {quotient, top}) {
          if (q > (kLargest - rest) / one || rest >= one)
            continue;
          const std::uint64_t s = q * one + rest;
          EXPECT_EQ(RoundToUnits(s, 1, k), ExactRounding(s, 1, k)) << "s = " << s << ", k = " << k;
          ++checked;
        }
      }
    }
  }
  // Random significands against the scales the texts use, wherever the product fits.
  std::mt19937_64 random(17);
  for (const std::uint64_t scale : {10ULL, 100ULL, 1000ULL, 1000000ULL}) {
    for (int i = 0; i < 20000; ++i) {
      const std::uint64_t m = random() % (kLargest / scale + 1);
      const int k = 1 + static_cast<int>(random() % 63);
      EXPECT_EQ(RoundToUnits(m, scale, k), ExactRounding(m, scale, k))
          << "m = " << m << ", scale = " << scale << ", k = " << k;
      ++checked;
    }
  }
  EXPECT_GT(checked, 80000);
}

}  // namespace
}  // namespace tarvel
