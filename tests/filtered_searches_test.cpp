// The searches with filtered verdicts against the plain ones: the same answers for every request,
// and the same verdict as the exact evaluation at every step a filter decides, next to every
// threshold. scripts/filter-sweep runs the first on 10^8 requests; the suite on a few thousand.
#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "panel/memory_panel.h"
#include "physics/float_bits.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"
#include "solver/calculate_command.h"
#include "solver/flat_saturation.h"
#include "solver/saturation_level.h"
#include "solver/search_residuals.h"

namespace tarvel {
namespace {

using Texts = std::array<std::string, kParameterCount>;

long EnvironmentNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::atol(text) : fallback;
}

std::string Decimal(double x, int digits) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, digits);
  return std::string(buffer, result.ptr);
}

// Texts as people type them, and as nobody should.
class RequestMaker {
 public:
  explicit RequestMaker(std::uint64_t seed) : random_(seed) {}

  double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(random_); }
  int Below(int n) { return std::uniform_int_distribution<>(0, n - 1)(random_); }

  std::string Number(double x) {
    const int style = Below(20);
    if (style < 14)
      return Decimal(x, Below(4));
    if (style < 17)
      return Decimal(x, 6 + Below(10));
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, Below(8));
    return std::string(buffer, result.ptr);
  }

  std::string Odd() {
    static const char* const kOdd[] = {" ",        "abc",
                                       "-",        ".",
                                       "1e",       "1d2",
                                       "&H1A",     "&O17",
                                       "1,5",      "--5",
                                       "5-",       "NaN",
                                       "inf",      "1e308",
                                       "-1e308",   "1e-320",
                                       "4.9e-324", "-0",
                                       "0",        "0.0",
                                       "-0.001",   "0.005",
                                       "99.995",   "1e400",
                                       "12 .5",    "二十",
                                       "\u00a05",  "1e-300",
                                       "-1e-300",  "100",
                                       "-99",      "-100",
                                       "30",       "29.999999999999996",
                                       "1e99999"};
    return kOdd[Below(static_cast<int>(std::size(kOdd)))];
  }

  std::string Pressure() {
    static const char* const kPressures[] = {"101.325",  "101.325", "101.325", "80",   "50.5",
                                             "120",      "10",      "300",     "1",    "0.001",
                                             "-101.325", "0",       "1e-300",  "1e306"};
    const int style = Below(10);
    if (style < 6)
      return kPressures[Below(static_cast<int>(std::size(kPressures)))];
    if (style < 9)
      return Number(Uniform(20, 150));
    return Odd();
  }

  // A plausible value of parameter i, sometimes beyond the plausible.
  double Value(int i) {
    static const double kRanges[kParameterCount][2] = {{-60, 90}, {-60, 60}, {0, 100},
                                                       {-70, 60}, {0, 60},   {-60, 200}};
    const double width = kRanges[i][1] - kRanges[i][0];
    const double lo = kRanges[i][0] - (Below(10) == 0 ? width / 4 : 0);
    const double hi = kRanges[i][1] + (Below(10) == 0 ? width / 4 : 0);
    return Uniform(lo, hi);
  }

  // Two (sometimes more) of the six fields given, with numbers or odd texts.
  Texts Messy() {
    Texts texts;
    const int first = Below(kParameterCount);
    int second = Below(kParameterCount - 1);
    second += second >= first;
    for (int i = 0; i < kParameterCount; ++i) {
      if (i == first || i == second || Below(12) == 0)
        texts[i] = Below(8) == 0 ? Odd() : Number(Value(i));
    }
    return texts;
  }

 private:
  std::mt19937_64 random_;
};

struct Answer {
  CalculateOutcome outcome;
  std::vector<MemoryPanel::Event> events;
  std::vector<MemoryPanel::Message> messages;
};

Answer Calculate(const Texts& texts, const std::string& pressure, SearchMode mode) {
  MemoryPanel panel(texts, pressure, MemoryPanel::Recording::On);
  const CalculateOutcome outcome = RunCalculate(panel, mode);
  return {outcome, panel.Events(), panel.Messages()};
}

bool SameAnswer(const Answer& a, const Answer& b) {
  if (a.outcome != b.outcome || a.messages != b.messages || a.events.size() != b.events.size())
    return false;
  for (std::size_t i = 0; i < a.events.size(); ++i) {
    if (a.events[i].kind != b.events[i].kind || a.events[i].field != b.events[i].field ||
        a.events[i].text != b.events[i].text)
      return false;
  }
  return true;
}

std::string Describe(const Texts& texts, const std::string& pressure) {
  std::string s;
  for (const std::string& t : texts)
    s += "\"" + t + "\" ";
  return s + "pressure \"" + pressure + "\"";
}

// Random states completed by the plain searches, then asked again from every pair of their six
// values; random texts; both at several pressures. Each request runs both ways and must give the
// same writes, messages and outcome.
TEST(FilteredSearches, AnswerAsThePlainSearchesDo) {
  const long count = EnvironmentNumber("TARVEL_FILTER_SWEEP_COUNT", 30000);
  RequestMaker maker(static_cast<std::uint64_t>(EnvironmentNumber("TARVEL_FILTER_SWEEP_SEED", 1)));
  long requests = 0;
  long differences = 0;
  long outcomes[3] = {0, 0, 0};  // completed, message, numeric fault
  const auto compare = [&](const Texts& texts, const std::string& pressure) {
    ++requests;
    const Answer exact = Calculate(texts, pressure, SearchMode::Exact);
    ++outcomes[static_cast<int>(exact.outcome)];
    if (!SameAnswer(exact, Calculate(texts, pressure, SearchMode::Filtered))) {
      if (++differences <= 5)
        ADD_FAILURE() << "different answers for " << Describe(texts, pressure);
    }
  };
  while (requests < count) {
    const std::string pressure = maker.Pressure();
    if (maker.Below(3) == 0) {
      compare(maker.Messy(), pressure);
      continue;
    }
    // A state from a dry bulb and a relative humidity, completed exactly.
    Texts state;
    state[0] = maker.Number(maker.Value(0));
    state[2] = maker.Number(maker.Uniform(-5, 110));
    MemoryPanel completion(state, pressure);
    if (RunCalculate(completion, SearchMode::Exact) != CalculateOutcome::Completed)
      continue;
    for (int i = 0; i < kParameterCount; ++i)
      state[i] = std::string(completion.Text(ParameterField(i)));
    for (int i = 0; i < kParameterCount; ++i) {
      for (int j = i + 1; j < kParameterCount; ++j) {
        Texts pair;
        pair[i] = state[i];
        pair[j] = state[j];
        compare(pair, pressure);
      }
    }
  }
  EXPECT_EQ(differences, 0) << "of " << requests << " requests";
  std::printf(
      "filtered searches: %ld requests (%ld completed, %ld messages, %ld faults), %ld "
      "differences\n",
      requests, outcomes[0], outcomes[1], outcomes[2], differences);
}

// Next to every threshold: residuals within a few dozen ulps of −tolerance and +tolerance, at
// midpoints on every branch and path of the filters (the ice formula, the fit's table near and
// between its grid points, its exponent, the polynomial), for every kind of search. Wherever a
// filter decides, it must give the exact verdict; bounds too small by 2^10 make some of these
// decide wrongly (docs/performance.md).
std::vector<double> AdversarialMidpoints() {
  std::vector<double> m = {-139.5,
                           -99,
                           -61.3,
                           -40,
                           -20.25,
                           -10,
                           -3.7,
                           -0.5,
                           -1e-7,
                           0,
                           1e-12,
                           0.03125 + 1e-13,
                           5.125,
                           9.2656781949176388,
                           13.897,
                           17.447558403015137,
                           20 + 1e-11,
                           25.33,
                           29.96875 + 3e-12,
                           29.999999999999996,
                           30,
                           31.7,
                           45.5,
                           60,
                           99.99,
                           150,
                           199};
  std::mt19937_64 random(17);
  for (const auto& [lo, hi] : {std::pair{-139.0, 0.0}, {0.0, 30.0}, {30.0, 199.0}}) {
    for (int i = 0; i < 12; ++i)
      m.push_back(std::uniform_real_distribution<>(lo, hi)(random));
  }
  return m;
}

// `probe(target)` gives the filter's decision and the exact verdict for a target (a double of the
// residual's chain that the residual decreases with); the targets tried are those that put the
// exact residual within `ulps` steps of either side of the tolerance.
template <typename Probe>
void ProbeThresholds(const char* search, double m, double at_zero_target, double tolerance,
                     Probe&& probe, long& decided) {
  constexpr int kUlps = 24;
  for (const int side : {-1, 1}) {
    double target = at_zero_target - side * tolerance;
    for (int k = 0; k < kUlps; ++k)
      target = NextDown(target);
    for (int k = -kUlps; k <= kUlps; ++k, target = NextUp(target)) {
      const auto [decision, exact] = probe(target);
      if (decision == Decision::Undecided)
        continue;
      ++decided;
      EXPECT_EQ(VerdictOf(decision), exact)
          << search << " at m = " << m << ", target " << target << " (" << k << " ulps)";
    }
  }
}

TEST(FilteredSearches, DecideAsTheExactEvaluationNextToEveryThreshold) {
  const double pressure = 101.325;
  long decided = 0;
  for (const double m : AdversarialMidpoints()) {
    const double p = Pb(m);
    for (const Tolerance tolerance :
         {kFineDewPointTolerance, kDewPointTolerance, kDryBulbTolerance}) {
      ProbeThresholds(
          "saturation level", m, p, tolerance.width,
          [&](double target) {
            const SaturationLevel level(target, tolerance);
            return std::pair{level(m), tolerance(p - target)};
          },
          decided);
    }
    for (const double t : {m + 0.5, m + 30}) {
      ProbeThresholds(
          "wet bulb", m, Pv1(p, t, m, pressure), kWetBulbTolerance.width,
          [&](double pw) {
            const WetBulbResidual r{t, pw, pressure};
            return std::pair{EnclosedVerdict(kWetBulbTolerance, r, m), kWetBulbTolerance(r(p, m))};
          },
          decided);
    }
    // Pair 8: the target is the psychrometer's saturation pressure at the wet bulb, which the
    // residual decreases with.
    const double tw = m - 3;
    const double depression = Pv1(0.0, m, tw, pressure);  // −k2·f
    ProbeThresholds(
        "wet bulb and relative humidity", m, PvFromRelHumidityB(50, p) - depression,
        kDryBulbTolerance.width,
        [&](double psw) {
          const PsychrometerDryBulbResidual r{50, psw, tw, pressure};
          return std::pair{EnclosedVerdict(kDryBulbTolerance, r, m), kDryBulbTolerance(r(p, m))};
        },
        decided);
    for (const double phi : {50.0, 100.0}) {
      const RelHumidityDryBulbResidual at_zero{phi, pressure, 0};
      ProbeThresholds(
          "relative humidity and enthalpy", m, at_zero(p, m), kDryBulbTolerance.width,
          [&](double h) {
            const RelHumidityDryBulbResidual r{phi, pressure, h};
            return std::pair{EnclosedVerdict(kDryBulbTolerance, r, m), kDryBulbTolerance(r(p, m))};
          },
          decided);
    }
  }
  EXPECT_GT(decided, 10000) << "the filters should decide most probes";
}

}  // namespace
}  // namespace tarvel
