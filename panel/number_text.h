#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvel {

// Reads a number from free text the way the calculator reads every field, whatever the process
// locale: leading blanks, tabs and line feeds are skipped and blanks inside the number are
// ignored; an optional sign, decimal digits with '.' as the decimal point and an optional
// exponent (E or D, either case, sign, digits); or &H / &O followed by a hexadecimal or octal
// integer. Reading stops at the first character that cannot continue the number; text that holds
// no number reads as 0. The value is the double nearest to the decimal (or integer) read; a value
// too large for a double reads as an infinity of its sign, one too small as zero. Never fails and
// allocates nothing, however long the text.
double ParseNumber(std::string_view text);

// The most characters FormatNumber writes: a '-' and the 309 digits of the largest double.
inline constexpr std::size_t kNumberTextCapacity = 310;

// The text the calculator writes for a result: x rounded to two decimals (the exact binary value
// of x, ties to even), written as the shortest decimal form of the rounded double (the fewest
// significant digits that read back as that double, the nearest of them to it), '-' for negative
// values, '.' as the decimal point, no exponent (a large value is written in full, its digits
// after the shortest ones being zeros), no trailing zeros, no decimal point for whole values and
// never "-0". x must be finite.
//
// Writes the text to out, which must have room for kNumberTextCapacity characters, and returns
// its length; allocates nothing.
std::size_t FormatNumber(double x, char* out);

// The same text as a string.
std::string FormatNumber(double x);

// FormatNumber's text and the value it reads as, ParseNumber of the text to the bit, found without
// reading it: a panel that writes a result keeps that value for the next read of the field.
struct FormattedNumber {
  std::size_t length;
  double value;
};
FormattedNumber FormatNumberWithValue(double x, char* out);

// The most characters RoundTripText writes: "-1.2345678901234567e-308".
inline constexpr std::size_t kRoundTripTextCapacity = 24;

// The text a program types into a field for the double x, so that the field reads back as exactly
// x: the fewest significant digits that ParseNumber reads as x (the nearest of them to x), the
// digits Python's repr shows, laid out as repr lays them out: plain from 1e-4 up to below 1e16,
// else one digit, the others after a point and an exponent "e-05", "e+16" of at least two digits.
// Unlike repr, a whole number has no ".0" ("20", as a person types it); negative zero is "-0".
// x must be finite. Writes to out, which must have room for kRoundTripTextCapacity characters, and
// returns the length; allocates nothing.
std::size_t RoundTripText(double x, char* out);

// The same text as a string.
std::string RoundTripText(double x);

}  // namespace tarvel
