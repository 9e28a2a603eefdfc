// The searches with filtered verdicts against the plain ones: the same answers for every request.
// scripts/filter-sweep runs this on 10^8 requests; the suite on a few thousand. (Next to every
// threshold, step by step: filter_thresholds_test.cpp.)
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
#include "solver/calculate_command.h"

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

}  // namespace
}  // namespace tarvel
