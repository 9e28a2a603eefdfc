#pragma once

#include <cfloat>
#include <limits>

// Error-free transformations of double arithmetic: each returns a rounded result together with
// its exact rounding error, using only rounded additions and multiplications (no fused
// multiply-add, so that the code is the same on every CPU). They hold for every finite argument
// whose intermediate results neither overflow nor (for the products) underflow.
namespace tarvel::elementary {

// Each of them takes the rounding error of an operation to be exactly what the next operation
// recovers, which holds only when every operation is rounded to double at once. A compiler that
// kept intermediate results in a wider format (x87's extended precision, FLT_EVAL_METHOD 2) would
// make them silently wrong.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must round each operation to double");
static_assert(std::numeric_limits<double>::is_iec559, "double must be IEEE 754 binary64");

struct Sum {
  double hi;  // fl(a + b)
  double lo;  // a + b − hi, exactly
};

// Any a, b (Knuth).
inline Sum TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  const double err = (a - (s - bb)) + (b - bb);
  return {s, err};
}

// |a| ≥ |b|, or a = 0 (Dekker).
inline Sum FastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a = hi + lo with hi of at most 26 significant bits and lo of at most 26 bits (Veltkamp), for
// |a| < 2^996.
inline Sum Split(double a) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  const double hi = c - (c - a);
  return {hi, a - hi};
}

// a · b = hi + lo exactly (Dekker), for |a|, |b| < 2^996 and a product far above the subnormals.
inline Sum TwoProduct(double a, double b) {
  const double p = a * b;
  const Sum x = Split(a);
  const Sum y = Split(b);
  const double err = ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
  return {p, err};
}

}  // namespace tarvel::elementary
