// Reading a field's text as a number: the rule every input of the calculator goes through.

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "panel/number_text.h"

namespace tarvel {
namespace {

struct ReadCase {
  const char* name;
  std::string_view text;
  double expected;
};

// Every row is a value that the nearest-double rule makes exact, so rows compare with ==.
constexpr ReadCase kReadCases[] = {
    {"plain decimal", "12.5", 12.5},
    {"blanks around the number", " 12.5 ", 12.5},
    {"leading tab and line feed skipped", "\t\n12.5", 12.5},
    {"blank inside the number ignored", "1 2", 12},
    {"blanks inside a decimal ignored", "1 2.5", 12.5},
    {"comma is not a decimal point", "1,5", 1},
    {"text after the number ignored", "12abc", 12},
    {"unit sign after the number", "25℃", 25},
    {"second decimal point stops reading", "1.2.3", 1.2},
    {"leading decimal point", ".5", 0.5},
    {"trailing decimal point", "5.", 5},
    {"negative number", "-2.5", -2.5},
    {"explicit plus sign", "+3", 3},
    {"as typed with a trailing zero", "20.0", 20},
    {"tenth is the nearest double", "0.1", 0.1},
    {"exponent lower e", "1e2", 100},
    {"exponent upper E", "1E2", 100},
    {"exponent upper D", "1D2", 100},
    {"exponent lower d", "1d2", 100},
    {"negative exponent", "1e-2", 0.01},
    {"exponent with plus sign", "2.5E+3", 2500},
    {"lone minus sign", "-", 0},
    {"empty text", "", 0},
    {"blanks only", "   ", 0},
    {"letters only", "abc", 0},
    {"inf is not a number", "inf", 0},
    {"INF is not a number", "INF", 0},
    {"nan is not a number", "nan", 0},
    {"infinity is not a number", "infinity", 0},
    {"C hexadecimal float reads its leading 0", "0x1p3", 0},
    {"hexadecimal upper prefix", "&HFF", 255},
    {"hexadecimal lower prefix and digits", "&hff", 255},
    {"hexadecimal mixed case", "&hFf", 255},
    {"hexadecimal stops at a non-digit", "&H1G", 1},
    {"hexadecimal prefix without digits", "&H", 0},
    {"hexadecimal of 64 bits is not wrapped", "&HFFFFFFFFFFFFFFFF", 18446744073709551616.0},
    {"octal upper prefix", "&O17", 15},
    {"octal lower prefix", "&o17", 15},
    {"octal stops at digit 8", "&O78", 7},
    {"octal with no octal digit", "&O8", 0},
    {"decimal too small reads as zero", "1e-400", 0},
    {"ties to even at 2^53 + 1", "9007199254740993", 9007199254740992.0},
};

TEST(NumberTextRead, TableOfTexts) {
  for (const ReadCase& row : kReadCases) {
    SCOPED_TRACE(std::string(row.name) + ": text \"" + std::string(row.text) + "\"");
    EXPECT_EQ(ParseNumber(row.text), row.expected);
  }
}

// A text of a sign, digits and a decimal point alone is read by a shorter road than one with a
// blank in it. Both must give the same double, bit for bit (a "-0" stays -0): each text of the
// grid, up to 22 digits with the point anywhere, is read as it stands and after a blank.
TEST(NumberTextRead, PlainTextReadsAsWithALeadingBlank) {
  std::vector<std::string> texts = {"-0",
                                    "+0",
                                    "0.",
                                    ".",
                                    "-.",
                                    "-",
                                    "+",
                                    "..5",
                                    "9007199254740992",
                                    "9007199254740993",
                                    "-9007199254740993.",
                                    "0.000000000000000000001"};
  std::uint64_t state = 12345;
  const auto next_digit = [&state] {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return static_cast<char>('0' + (state >> 33) % 10);
  };
  for (const char* sign : {"", "-", "+"}) {
    for (int length = 1; length <= 22; ++length) {
      for (int point = -1; point <= length; ++point) {
        std::string text = sign;
        for (int i = 0; i < length; ++i) {
          if (i == point)
            text += '.';
          text += next_digit();
        }
        if (point == length)
          text += '.';
        texts.push_back(text);
      }
    }
  }
  for (const std::string& text : texts) {
    SCOPED_TRACE("text \"" + text + "\"");
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ParseNumber(text)),
              std::bit_cast<std::uint64_t>(ParseNumber(" " + text)));
  }
}

TEST(NumberTextRead, TooLargeReadsAsInfinityOfItsSign) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ParseNumber("1e400"), kInf) << "decimal exponent 400";
  EXPECT_EQ(ParseNumber("-1e400"), -kInf) << "negative, decimal exponent 400";
  EXPECT_EQ(ParseNumber(std::string("1").append(400, '0')), kInf) << "401 decimal digits";
  EXPECT_EQ(ParseNumber(std::string("&H").append(300, 'F')), kInf) << "300 hexadecimal digits";
  EXPECT_EQ(ParseNumber(std::string("&O").append(400, '7')), kInf) << "400 octal digits";
}

// Integers and decimals longer than a double: rounded once from their exact value, ties to
// even, however far the digit that breaks a tie stands from the leading ones. The compiler's
// reading of a literal is the reference for the decimals beyond an exact operation.
TEST(NumberTextRead, LongNumbersRoundOnceToNearest) {
  const std::string zeros(60, '0');
  const std::string far_zeros(1000, '0');
  const struct {
    std::string text;
    double expected;
  } rows[] = {
      {"&H20000000000001", 9007199254740992.0},  // 2^53 + 1: tie, down to even
      {"&H20000000000003", 9007199254740996.0},  // 2^53 + 3: tie, up to even
      {"&H20000000000001" + zeros, std::ldexp(9007199254740992.0, 240)},
      {"&H20000000000001" + zeros + "1", std::ldexp(9007199254740994.0, 244)},
      {"&H1FFFFFFFFFFFFF7FFFFFFF", std::ldexp(9007199254740991.0, 32)},
      {"&O4" + std::string(16, '0') + "1", 9007199254740992.0},  // octal 2^53 + 1
      {"&O4" + std::string(16, '0') + "3", 9007199254740996.0},
      {"&O4" + std::string(16, '0') + "1" + zeros + "1", std::ldexp(9007199254740994.0, 183)},
      {"&H" + far_zeros + "FF", 255},
      {"&HFFFFFFFFFFFFF8" + std::string(242, '0'), std::numeric_limits<double>::max()},
      {"&HFFFFFFFFFFFFFBFF" + std::string(240, 'F'), std::numeric_limits<double>::max()},
      {"&HFFFFFFFFFFFFFC" + std::string(242, '0'), std::numeric_limits<double>::infinity()},
      {"9007199254740993." + far_zeros, 9007199254740992.0},
      {"9007199254740993." + far_zeros + "1", 9007199254740994.0},
      {"0." + far_zeros + "9007199254740993" + far_zeros + "1e1016", 9007199254740994.0},
      {"1e22", 1e22},
      {"1e23", 1e23},
      {"9007199254740993e-22", 9007199254740993e-22},
      {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"2.4703282292062327e-324", 0},
      {"1.7976931348623158e308", std::numeric_limits<double>::max()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 40) + "... (" + std::to_string(row.text.size()) + " chars)");
    EXPECT_EQ(ParseNumber(row.text), row.expected);
  }
}

}  // namespace
}  // namespace tarvel
