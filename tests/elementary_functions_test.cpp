// The correctly rounded exp, log and integer powers against MPFR rounding to nearest at 53 bits
// (with the subnormal range and overflow of a double): every result must have the same bits.
// The arguments cover the ranges the saturation pressure meets, hostile input up to the overflow
// bounds and the edges. TARVEL_ELEMENTARY_SCALE multiplies every count and
// TARVEL_ELEMENTARY_SEED picks other arguments: scripts/elementary-sweep runs 10^8 and more.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "physics/elementary/accurate.h"
#include "physics/elementary/correctly_rounded.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {
namespace {

enum class Function { Exp, Log, Pow2, Pow3, Pow4, Pow5, AccurateExp, AccurateLog };

const char* Name(Function f) {
  static const char* const kNames[] = {"exp",  "log",  "pow2",         "pow3",
                                       "pow4", "pow5", "accurate exp", "accurate log"};
  return kNames[static_cast<int>(f)];
}

double Ours(Function f, double x) {
  switch (f) {
    case Function::Exp:
      return Exp(x);
    case Function::Log:
      return Log(x);
    case Function::Pow2:
      return IntegerPower(x, 2);
    case Function::Pow3:
      return IntegerPower(x, 3);
    case Function::Pow4:
      return IntegerPower(x, 4);
    case Function::Pow5:
      return IntegerPower(x, 5);
    case Function::AccurateExp:
      return AccurateExp(x);
    case Function::AccurateLog:
      // Any start within 2^−40 will do; a slightly wrong one proves that the path corrects it.
      return AccurateLog(x, Log(x) * (1 + 0x1p-45));
  }
  return NAN;
}

// MPFR's correctly rounded value with the exponent range and subnormals of a double.
double Reference(Function f, double x) {
  mpfr_t v;
  mpfr_init2(v, 53);
  mpfr_set_d(v, x, MPFR_RNDN);
  int ternary = 0;
  switch (f) {
    case Function::Exp:
    case Function::AccurateExp:
      ternary = mpfr_exp(v, v, MPFR_RNDN);
      break;
    case Function::Log:
    case Function::AccurateLog:
      ternary = mpfr_log(v, v, MPFR_RNDN);
      break;
    default:
      ternary =
          mpfr_pow_si(v, v, static_cast<int>(f) - static_cast<int>(Function::Pow2) + 2, MPFR_RNDN);
      break;
  }
  mpfr_subnormalize(v, ternary, MPFR_RNDN);
  const double r = mpfr_get_d(v, MPFR_RNDN);
  mpfr_clear(v);
  return r;
}

bool SameDouble(double a, double b) {
  return BitsOf(a) == BitsOf(b) || (std::isnan(a) && std::isnan(b));
}

std::uint64_t EnvNumber(const char* name, std::uint64_t otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::strtoull(text, nullptr, 10) : otherwise;
}

// A small deterministic generator (splitmix64), the same on every platform.
class Arguments {
 public:
  explicit Arguments(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Bits() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
  }
  // Uniform in [lo, hi).
  double Uniform(double lo, double hi) {
    return lo + (hi - lo) * (static_cast<double>(Bits() >> 11) * 0x1p-53);
  }
  // Spread evenly over the binades of [lo, hi), 0 < lo < hi.
  double LogUniform(double lo, double hi) { return std::exp(Uniform(std::log(lo), std::log(hi))); }
  // Any finite double, sign included.
  double AnyFinite() {
    for (;;) {
      const double x = DoubleFromBits(Bits());
      if (std::isfinite(x))
        return x;
    }
  }

 private:
  std::uint64_t state_;
};

class ElementaryFunctions : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
  }

  // Compares `count` (times the scale) arguments drawn by `draw` for each function in `functions`.
  void Sweep(const char* family, std::initializer_list<Function> functions, std::uint64_t count,
             const std::function<double(Arguments&)>& draw) {
    Arguments arguments(seed_ * 7919 + std::hash<std::string>{}(family));
    const std::uint64_t n = count * scale_;
    for (std::uint64_t i = 0; i < n; ++i) {
      const double x = draw(arguments);
      for (Function f : functions)
        Check(family, f, x);
    }
  }

  void Check(const char* family, Function f, double x) {
    const double ours = Ours(f, x);
    const double reference = Reference(f, x);
    if (!SameDouble(ours, reference) && ++failures_ <= 10) {
      ADD_FAILURE() << family << ": " << Name(f) << "(" << std::hexfloat << x << ") = " << ours
                    << ", correctly rounded " << reference;
    }
  }

  const std::uint64_t scale_ = EnvNumber("TARVEL_ELEMENTARY_SCALE", 1);
  const std::uint64_t seed_ = EnvNumber("TARVEL_ELEMENTARY_SEED", 1);
  int failures_ = 0;
};

TEST_F(ElementaryFunctions, MatchMpfrOnTheRangesOfTheSaturationPressure) {
  // ln T, T², T³, T⁴ for the kelvin temperature of the ice formula.
  Sweep("kelvin", {Function::Log, Function::Pow2, Function::Pow3, Function::Pow4}, 120000,
        [](Arguments& a) { return a.Uniform(0, 273.15); });
  Sweep("kelvin near absolute zero",
        {Function::Log, Function::Pow2, Function::Pow3, Function::Pow4}, 30000,
        [](Arguments& a) { return a.LogUniform(0x1p-1074, 173.15); });
  // The exponent q + 6.4147 of the fit from 0 °C to 30 °C, and the ice exponent s from −100 °C
  // to 0 °C.
  Sweep("fit exponent", {Function::Exp}, 200000, [](Arguments& a) {
    const double t = a.Uniform(0, 30);
    return 17.438 * t / (239.78 + t) + 6.4147;
  });
  Sweep("ice exponent", {Function::Exp}, 200000, [](Arguments& a) { return a.Uniform(-7, 6.42); });
  // t², …, t⁵ of the polynomial from 30 °C to 10^6 °C.
  Sweep("polynomial", {Function::Pow2, Function::Pow3, Function::Pow4, Function::Pow5}, 100000,
        [](Arguments& a) { return a.LogUniform(30, 1e6); });
}

TEST_F(ElementaryFunctions, MatchMpfrOnHostileArguments) {
  // Up to the overflow bounds and down through the subnormal results.
  Sweep("exp anywhere", {Function::Exp}, 150000, [](Arguments& a) { return a.Uniform(-760, 720); });
  Sweep("exp small", {Function::Exp}, 20000,
        [](Arguments& a) { return (a.Bits() & 1 ? 1 : -1) * a.LogUniform(0x1p-60, 1); });
  Sweep("exp subnormal results", {Function::Exp}, 20000,
        [](Arguments& a) { return a.Uniform(-745.2, -708.3); });
  Sweep("log anywhere", {Function::Log}, 100000, [](Arguments& a) { return a.AnyFinite(); });
  Sweep("log near 1", {Function::Log}, 50000,
        [](Arguments& a) { return 1 + (a.Bits() & 1 ? 1 : -1) * a.LogUniform(0x1p-53, 0x1p-6); });
  Sweep("powers anywhere", {Function::Pow2, Function::Pow3, Function::Pow4, Function::Pow5}, 50000,
        [](Arguments& a) { return a.AnyFinite(); });
  // Integers whose powers are exact or halfway between two doubles: the ties.
  Sweep("powers of integers", {Function::Pow3, Function::Pow4, Function::Pow5}, 30000,
        [](Arguments& a) { return static_cast<double>((a.Bits() >> (a.Bits() % 50 + 14)) | 1); });
}

TEST_F(ElementaryFunctions, TakeTheAccuratePathCorrectly) {
  // The paths for the arguments the fast paths cannot decide, run directly.
  Sweep("accurate exp", {Function::AccurateExp}, 4000,
        [](Arguments& a) { return a.Uniform(-745.2, 709.78); });
  Sweep("accurate log", {Function::AccurateLog}, 2000, [](Arguments& a) {
    const double x = std::fabs(a.AnyFinite());
    return x == 1 || x == 0 ? 2 : x;
  });
}

TEST_F(ElementaryFunctions, MatchMpfrOnTheEdges) {
  const double kExpEdges[] = {
      0,
      -0.0,
      0x1p-54,
      -0x1p-54,
      0x1.0000000000001p-54,
      -0x1.0000000000001p-54,
      1,
      -1,
      6.4147,                                              // Pb(0)
      17.438 * 29.999999 / (239.78 + 29.999999) + 6.4147,  // just below 30 °C
      0x1.62e42fefa39efp+9,
      0x1.62e42fefa39f0p+9,  // the overflow threshold
      709.8,
      710,
      -0x1.6232bdd7abcd2p+9,
      -0x1.6232bdd7abcd3p+9,  // 2^−1022 and below
      -0x1.74385446d71c3p+9,
      -0x1.74385446d71c4p+9,
      -0x1.74910d52d3051p+9,  // down to 2^−1075
      -745.2,
      -1e5,
      1e5,
      INFINITY,
      -INFINITY,
      NAN};
  const double kLogEdges[] = {1,
                              0x1.0000000000001p0,
                              0x1.fffffffffffffp-1,
                              2,
                              0.5,
                              273.15,
                              273.15 - 1e-9,
                              2.718281828,
                              DBL_MIN,
                              DBL_TRUE_MIN,
                              3e-320,
                              DBL_MAX,
                              0,
                              -0.0,
                              -1,
                              INFINITY,
                              NAN};
  const double kPowerEdges[] = {2,
                                0.5,
                                134217727,
                                134217729,
                                0x1.fffffffffffffp0,
                                4.48e61,
                                4.5e61,
                                1e77,
                                1e103,
                                1e154,
                                1e155,
                                1e-62,
                                1e-65,
                                1e-100,
                                1e-150,
                                1e-200,
                                1e-216,
                                1e-310,
                                DBL_TRUE_MIN,
                                DBL_MIN,
                                DBL_MAX,
                                -3,
                                -1e-100,
                                0,
                                -0.0,
                                INFINITY,
                                -INFINITY,
                                NAN};
  for (double x : kExpEdges)
    Check("edge", Function::Exp, x);
  for (double x : kLogEdges)
    Check("edge", Function::Log, x);
  for (double x : kPowerEdges) {
    for (Function f : {Function::Pow2, Function::Pow3, Function::Pow4, Function::Pow5})
      Check("edge", f, x);
  }
}

// Arguments whose exact result lies within 2^−22 of an ulp from a rounding boundary, found by a
// search with MPFR at 140 bits over the ranges of the saturation pressure: the fast paths must
// hand each of them to the accurate path, or decide them rightly.
TEST_F(ElementaryFunctions, RoundHardCasesCorrectly) {
  const double kExpHardCases[] = {
      0x1.01f5d26efb3d8p+3, 0x1.a168a4e1013bep+2,  0x1.04e468dc720e9p+3,  0x1.f63a44b8f9036p+2,
      0x1.c7c4ac34dcf69p+2, 0x1.d608494212866p+2,  0x1.efc099ab535f1p+2,  0x1.fafc10e522315p+2,
      0x1.8fd63d307867cp+2, -0x1.0c0b3161179f4p+0, 0x1.687e3f443d18ep+2,  0x1.6820786b0bbp-2,
      0x1.9bcfc26a4fd94p+1, 0x1.33b899fe16d68p+2,  -0x1.e93f0d75960f2p+1, -0x1.95da5b243dfc4p+1,
  };
  const double kLogHardCases[] = {
      0x1.af4fc93e43acfp+6, 0x1.03eace7c0d77cp+8, 0x1.3b0432123f8c5p+7, 0x1.4de23b6751fc7p+7,
      0x1.251765ef0b681p+7, 0x1.64a0f9e8f5ef8p+7, 0x1.f848c63d29474p+6, 0x1.b9abbdf051bc3p+7,
  };
  for (double x : kExpHardCases)
    Check("hard case", Function::Exp, x);
  for (double x : kLogHardCases)
    Check("hard case", Function::Log, x);
}

}  // namespace
}  // namespace tarvel::elementary
