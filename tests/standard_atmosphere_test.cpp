// The standard atmosphere's pressure at an altitude: the formula's own order of operations with
// correctly rounded exp and ln, so the same bits everywhere, and close to the exact value.

#include <cmath>

#include <gtest/gtest.h>
#include <mpfr.h>

#include "physics/float_bits.h"
#include "physics/standard_atmosphere.h"

namespace tarvel {
namespace {

using namespace standard_atmosphere;

// The formula in MPFR at `bits` of precision, each operation rounded to nearest: at 53 bits that is
// what the double evaluation must give to the bit, at 200 bits the exact value for all purposes.
double Reference(double metres, mpfr_prec_t bits) {
  mpfr_t v;
  mpfr_init2(v, bits);
  mpfr_set_d(v, metres, MPFR_RNDN);
  mpfr_mul_d(v, v, kLapseOverSeaLevelTemperature, MPFR_RNDN);
  mpfr_d_sub(v, 1, v, MPFR_RNDN);
  mpfr_log(v, v, MPFR_RNDN);
  mpfr_mul_d(v, v, kPressureExponent, MPFR_RNDN);
  mpfr_exp(v, v, MPFR_RNDN);
  mpfr_mul_d(v, v, kSeaLevelPressure, MPFR_RNDN);
  const double r = mpfr_get_d(v, MPFR_RNDN);
  mpfr_clear(v);
  return r;
}

TEST(StandardAtmosphere, KnownAltitudes) {
  EXPECT_EQ(PressureAtAltitude(0), kSeaLevelPressure);
  EXPECT_EQ(std::round(PressureAtAltitude(1000) * 1000) / 1000, 89.875);
  EXPECT_EQ(PressureAtAltitude(1 / kLapseOverSeaLevelTemperature), 0);
  EXPECT_TRUE(std::isnan(PressureAtAltitude(50000)));
  EXPECT_TRUE(std::isnan(PressureAtAltitude(NAN)));
}

TEST(StandardAtmosphere, EachStepRoundedAndNearTheExactValue) {
  for (double metres = -1000; metres < 44330; metres += 7.3) {
    const double p = PressureAtAltitude(metres);
    ASSERT_EQ(BitsOf(p), BitsOf(Reference(metres, 53))) << metres;
    // Up to the tropopause, where the formula is meant for; above it 1 − 2.25577 × 10⁻⁵ · Z loses
    // digits to cancellation, as any evaluation in doubles does.
    if (metres < 11000) {
      ASSERT_NEAR(p, Reference(metres, 200), 1e-14 * p) << metres;
    }
  }
}

}  // namespace
}  // namespace tarvel
