// Writing a result as text, whatever the process locale, and the field operations that read and
// write through the same rules.

#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "panel/field_panel.h"
#include "panel/memory_panel.h"
#include "panel/number_text.h"

namespace tarvel {
namespace {

struct WriteCase {
  const char* name;
  double x;
  std::string_view expected;
};

// Rounding is of the exact binary value of the double: 0.125 and 0.375 are exact ties (to even);
// 0.015 is really 0.01499999..., 0.025 really 0.02500000..., although x * 100 gives 1.5 and 2.5.
constexpr WriteCase kWriteCases[] = {
    {"exact tie 0.125 to even", 0.125, "0.12"},
    {"exact tie 0.375 to even", 0.375, "0.38"},
    {"exact tie 0.625 to even", 0.625, "0.62"},
    {"exact tie 0.875 to even", 0.875, "0.88"},
    {"negative exact tie", -0.125, "-0.12"},
    {"0.015 lies below the half", 0.015, "0.01"},
    {"0.025 lies above the half", 0.025, "0.03"},
    {"0.075 lies below the half", 0.075, "0.07"},
    {"0.165 lies above the half", 0.165, "0.17"},
    {"0.005 lies above the half", 0.005, "0.01"},
    {"-0.005 lies below minus the half", -0.005, "-0.01"},
    {"1.005 lies below the half", 1.005, "1"},
    {"2.675 lies below the half", 2.675, "2.67"},
    {"12.345 lies above the half", 12.345, "12.35"},
    {"99.995 rounds up to a whole", 99.995, "100"},
    {"whole value has no decimal point", 100, "100"},
    {"thirty", 30, "30"},
    {"one decimal", 25.5, "25.5"},
    {"negative one decimal", -2.5, "-2.5"},
    {"two decimals", 38.52, "38.52"},
    {"shortest form after rounding", 0.1 + 0.2, "0.3"},
    {"three decimals rounded", 1234567.891, "1234567.89"},
    {"negative four decimals rounded", -1234.5678, "-1234.57"},
    {"zero", 0, "0"},
    {"negative zero", -0.0, "0"},
    {"small negative rounds to zero", -0.001, "0"},
    {"negative just below the half", -0.004999, "0"},
    {"tiny negative", -1e-300, "0"},
    {"1e15 with all digits", 1e15, "1000000000000000"},
    {"1e16 with all digits", 1e16, "10000000000000000"},
    {"1e22 with all digits", 1e22, "10000000000000000000000"},
    {"negative 1e15", -1e15, "-1000000000000000"},
    {"just below 1e15 keeps its fraction", 999999999999999.9, "999999999999999.9"},
};

TEST(NumberTextWrite, TableOfValues) {
  for (const WriteCase& row : kWriteCases) {
    SCOPED_TRACE(std::string(row.name) + ": x = " + testing::PrintToString(row.x));
    EXPECT_EQ(FormatNumber(row.x), row.expected);
  }
}

// Large values: the fewest significant digits that read back as the same double, then zeros up
// to the decimal point, not the double's exact binary digits.
TEST(NumberTextWrite, LargeValuesInTheirShortestForm) {
  const struct {
    double x;
    std::string_view digits;  // then `zeros` zeros
    std::size_t zeros;
  } rows[] = {
      {3.3631305881435355e51, "33631305881435355", 35},
      {473496545829660600000000.0, "4734965458296606", 8},
      {1e23, "1", 23},                               // the double is 99999999999999991611392
      {18014398509481992.0, "1801439850948199", 1},  // 2^54 + 8: one digit fewer reads back
      {-std::numeric_limits<double>::max(), "-17976931348623157", 292},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.x));
    const std::string expected = std::string(row.digits).append(row.zeros, '0');
    EXPECT_EQ(FormatNumber(row.x), expected);
    std::array<char, kNumberTextCapacity> buffer{};
    EXPECT_EQ(std::string_view(buffer.data(), FormatNumber(row.x, buffer.data())), expected);
  }
}

// The standard library's reference for a written text: x rounded to two decimals from its exact
// value (ties to even), read back, and the shortest digits of that double written in full.
std::string ReferenceText(double x) {
  std::array<char, 400> buffer{};
  char* const begin = buffer.data();
  char* const end = begin + buffer.size();
  double rounded = 0;
  std::from_chars(begin, std::to_chars(begin, end, x, std::chars_format::fixed, 2).ptr, rounded);
  if (rounded == 0)
    return "0";
  const std::string scientific(
      begin, std::to_chars(begin, end, rounded, std::chars_format::scientific).ptr);
  const std::size_t e = scientific.find('e');
  std::string digits;
  for (const char c : scientific.substr(0, e)) {
    if (c != '-' && c != '.')
      digits += c;
  }
  const int whole = std::stoi(scientific.substr(e + 1)) + 1;
  const int count = static_cast<int>(digits.size());
  std::string text = rounded < 0 ? "-" : "";
  if (whole >= count)
    return text + digits + std::string(whole - count, '0');
  if (whole > 0)
    return text + digits.substr(0, whole) + "." + digits.substr(whole);
  return text + "0." + std::string(-whole, '0') + digits;
}

// Every binary exponent with a few mantissas, and the hundredths and exact half-hundredths of
// every size with their neighbours.
TEST(NumberTextWrite, MatchesTheStandardLibraryOnAGrid) {
  std::vector<double> grid;
  for (std::uint64_t exponent = 0; exponent < 0x7ff; ++exponent) {
    for (const std::uint64_t mantissa : {0x0ULL, 0x1ULL, 0x5555555555555ULL, 0x8000000000000ULL,
                                         0x123456789abcdULL, 0xfffffffffffffULL}) {
      const std::uint64_t bits = (exponent << 52) | mantissa;
      double x = 0;
      std::memcpy(&x, &bits, sizeof x);
      grid.push_back(x);
    }
  }
  for (int scale = 0; scale <= 50; ++scale) {
    for (int j = 0; j < 400; ++j) {
      grid.push_back(std::ldexp(1.0, scale) + j / 200.0);
      grid.push_back(std::ldexp(1.0, scale) + j * 0.125);
    }
  }
  int mismatches = 0;
  int value_mismatches = 0;
  for (const double value : grid) {
    for (const double x :
         {value, -value, std::nextafter(value, 0.0), std::nextafter(value, 1e300)}) {
      const std::string expected = ReferenceText(x);
      if (FormatNumber(x) != expected && ++mismatches <= 10)
        ADD_FAILURE() << "x = " << testing::PrintToString(x) << ": written \"" << FormatNumber(x)
                      << "\", expected \"" << expected << "\"";
      // The value a panel keeps for the written text is the one reading the text gives.
      char text[kNumberTextCapacity];
      const FormattedNumber written = FormatNumberWithValue(x, text);
      const double read = ParseNumber(std::string_view(text, written.length));
      if (std::bit_cast<std::uint64_t>(written.value) != std::bit_cast<std::uint64_t>(read) &&
          ++value_mismatches <= 10)
        ADD_FAILURE() << "x = " << testing::PrintToString(x) << ": kept " << written.value
                      << ", read " << read;
    }
  }
  EXPECT_EQ(mismatches, 0) << "of " << 4 * grid.size() << " values";
  EXPECT_EQ(value_mismatches, 0) << "of " << 4 * grid.size() << " values";
}

// A name reads as no number at all, which is 0 (never -0), and that is the value kept for it.
TEST(NumberTextWrite, ANameKeepsTheValueItReadsAs) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  for (const double x : {std::numeric_limits<double>::quiet_NaN(), kInfinity, -kInfinity}) {
    char text[kNumberTextCapacity];
    const FormattedNumber written = FormatNumberWithValue(x, text);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(written.value),
              std::bit_cast<std::uint64_t>(ParseNumber(std::string_view(text, written.length))))
        << std::string_view(text, written.length);
  }
}

// A numpunct that writes a decimal comma and groups thousands, like many user locales.
class CommaDecimal : public std::numpunct<char> {
 protected:
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(NumberTextLocale, GlobalLocaleWithDecimalCommaChangesNothing) {
  const std::locale saved =
      std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  const std::string written = FormatNumber(1234.5);
  const double read = ParseNumber("1234.5");
  std::locale::global(saved);
  EXPECT_EQ(written, "1234.5");
  EXPECT_EQ(read, 1234.5);
}

TEST(NumberTextLocale, CLocaleWithDecimalCommaChangesNothing) {
  const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                              "ru_RU.UTF-8"};
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* chosen = nullptr;
  for (const char* name : candidates) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) {
    std::setlocale(LC_ALL, saved.c_str());
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  const std::string written = FormatNumber(1234.5);
  const double read = ParseNumber("1234.5");
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(written, "1234.5") << chosen;
  EXPECT_EQ(read, 1234.5) << chosen;
}

// The field operations go through the same rules: a read sees the text as typed, a write stores
// the rounded text, and the next read sees the rounded value.
TEST(NumberTextFields, WriteThenReadGoesThroughTheRoundedText) {
  MemoryPanel panel({"", "", "", "", "", ""}, "101.325", MemoryPanel::Recording::On);
  WriteNumber(panel, AirField::MoistureContent, 7.2611);
  EXPECT_EQ(panel.Text(AirField::MoistureContent), "7.26");
  EXPECT_EQ(ReadNumber(panel, AirField::MoistureContent), 7.26);
  EXPECT_EQ(ReadNumber(panel, AirField::Pressure), 101.325);
  ASSERT_EQ(panel.Events().size(), 1u);
  EXPECT_EQ(panel.Events()[0].kind, MemoryPanel::Event::Kind::Write);
  EXPECT_EQ(panel.Events()[0].field, AirField::MoistureContent);
  EXPECT_EQ(panel.Events()[0].text, "7.26");
}

// A value the panel keeps for a field lasts only as long as the text it belongs to: any other
// text put in the field is read again, and a text typed with its value reads as that value.
TEST(NumberTextFields, AKeptValueGoesWithItsText) {
  MemoryPanel panel({"", "", "", "", "", ""}, "101.325");
  WriteNumber(panel, AirField::DryBulb, -0.004);
  EXPECT_EQ(panel.Text(AirField::DryBulb), "0");
  EXPECT_FALSE(std::signbit(ReadNumber(panel, AirField::DryBulb)));
  panel.SetText(AirField::DryBulb, " 2 5");
  EXPECT_EQ(ReadNumber(panel, AirField::DryBulb), 25);
  panel.SetText(AirField::DryBulb, "0.1", 0.1);
  EXPECT_EQ(ReadNumber(panel, AirField::DryBulb), 0.1);
  panel.SetText(AirField::DryBulb, "abc", std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(ReadNumber(panel, AirField::DryBulb), 0);
  WriteNumber(panel, AirField::DryBulb, 12.25);
  panel.SetText(AirField::DryBulb, panel.Text(AirField::DryBulb).substr(1));  // a view of itself
  EXPECT_EQ(panel.Text(AirField::DryBulb), "2.25");
  EXPECT_EQ(ReadNumber(panel, AirField::DryBulb), 2.25);
}

TEST(NumberTextFields, BlankFieldReadsAsZeroAndKeepsItsText) {
  MemoryPanel panel({" ", "  ", "\t", "", "", ""}, " ", MemoryPanel::Recording::On);
  EXPECT_EQ(ReadNumber(panel, AirField::DryBulb), 0);
  EXPECT_EQ(ReadNumber(panel, AirField::WetBulb), 0);
  EXPECT_EQ(ReadNumber(panel, AirField::RelHumidity), 0);
  EXPECT_EQ(ReadNumber(panel, AirField::Pressure), 0);
  EXPECT_EQ(panel.Text(AirField::DryBulb), " ");
  EXPECT_TRUE(panel.Events().empty()) << "reading must not write";
}

}  // namespace
}  // namespace tarvel
