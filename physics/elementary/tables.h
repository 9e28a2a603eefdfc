#pragma once

#include <cstdint>

// Constants of the correctly rounded exp and log, made by gen_tables.py (see tables.cpp).
namespace tarvel::elementary {

// ln 2 / 128 = kExpLn2By128Hi + kExpLn2By128Lo (the high part has 35 significant bits) and the
// double nearest to 128 / ln 2.
extern const double kExpLn2By128Hi;
extern const double kExpLn2By128Lo;
extern const double kExp128ByLn2;

// 2^(j/128) = first + second, first with 26 significant bits.
struct ExpTableEntry {
  double first;
  double second;
};
extern const ExpTableEntry kExpTable[128];

// ln 2 = kLogLn2Hi + kLogLn2Lo, the high part with 42 significant bits.
extern const double kLogLn2Hi;
extern const double kLogLn2Lo;

// The reduction of log's argument on interval i of the mantissa.
struct LogTableEntry {
  double inverse;     // about 1 / (centre of the interval), 9 significant bits
  double neg_log_hi;  // -ln(inverse) = neg_log_hi + neg_log_lo
  double neg_log_lo;
};
extern const LogTableEntry kLogTable[256];

// floor(ln 2 * 2^1600): 25 fraction limbs of 64 bits, most significant first.
inline constexpr int kLn2FractionLimbCount = 25;
extern const std::uint64_t kLn2FractionLimbs[kLn2FractionLimbCount];

}  // namespace tarvel::elementary
