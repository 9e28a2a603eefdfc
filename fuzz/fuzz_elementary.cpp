// libFuzzer target: the correctly rounded exp, log and powers on arbitrary doubles (the input's
// first eight bytes), each compared bit for bit with MPFR. Any difference aborts.
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "physics/elementary/correctly_rounded.h"
#include "physics/float_bits.h"

namespace {

using tarvel::BitsOf;

enum class Kind { Exp, Log, Power };

double Reference(Kind kind, double x, int n) {
  mpfr_t v;
  mpfr_init2(v, 53);
  mpfr_set_d(v, x, MPFR_RNDN);
  const int ternary = kind == Kind::Exp   ? mpfr_exp(v, v, MPFR_RNDN)
                      : kind == Kind::Log ? mpfr_log(v, v, MPFR_RNDN)
                                          : mpfr_pow_si(v, v, n, MPFR_RNDN);
  mpfr_subnormalize(v, ternary, MPFR_RNDN);
  const double r = mpfr_get_d(v, MPFR_RNDN);
  mpfr_clear(v);
  return r;
}

void Expect(double ours, double reference) {
  if (BitsOf(ours) != BitsOf(reference) && !(std::isnan(ours) && std::isnan(reference)))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8)
    return 0;
  mpfr_set_emin(-1073);
  mpfr_set_emax(1024);
  std::uint64_t bits;
  std::memcpy(&bits, data, sizeof bits);
  const double x = tarvel::DoubleFromBits(bits);
  Expect(tarvel::elementary::Exp(x), Reference(Kind::Exp, x, 0));
  Expect(tarvel::elementary::Log(x), Reference(Kind::Log, x, 0));
  for (int n = 2; n <= 5; ++n)
    Expect(tarvel::elementary::IntegerPower(x, n), Reference(Kind::Power, x, n));
  return 0;
}
