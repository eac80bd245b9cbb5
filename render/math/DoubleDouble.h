// Error-free transformations on doubles: a value carried as an unevaluated sum hi + lo of two
// doubles holds about 106 bits. Every operation here is exact or has a known error bound under
// round-to-nearest, and gives the same bits on every IEEE-754 machine: the product uses a fused
// multiply-add where the compiler targets one and Dekker's splitting elsewhere, and both give
// the same exact error term.
#pragma once

#include <cfloat>
#include <cstdint>

// Every bound here assumes that each operation rounds once to a double (x87 arithmetic keeps
// wider intermediates).
static_assert(FLT_EVAL_METHOD == 0, "the math needs double arithmetic without excess precision");

namespace orbisk::math {

// A double's bit pattern and back (the compilers' builtin: some standard libraries the program
// is built with, emscripten's among them, lack std::bit_cast).
inline uint64_t bitsOf(double d) {
  return __builtin_bit_cast(uint64_t, d);
}
inline double fromBits(uint64_t b) {
  return __builtin_bit_cast(double, b);
}

// 2^e for e in [-1022, 1023], exactly.
inline double powerOfTwo(int e) {
  return fromBits(static_cast<uint64_t>(1023 + e) << 52);
}

struct DoubleDouble {
  double hi = 0;  // the value rounded to a double
  double lo = 0;  // what remains, |lo| <= half an ulp of hi
};

// a + b exactly, for any a and b (Knuth).
inline DoubleDouble twoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  const double e = (a - (s - bb)) + (b - bb);
  return {s, e};
}

// a + b exactly, when |a| >= |b| or a is zero (Dekker).
inline DoubleDouble fastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a * b exactly, as long as the product neither overflows nor comes near the subnormal range
// (|a * b| above about 2^-969) and, without a fused multiply-add, |a| and |b| stay below 2^995.
inline DoubleDouble twoProduct(double a, double b) {
  const double p = a * b;
#if defined(__FMA__) || defined(__aarch64__)
  return {p, __builtin_fma(a, b, -p)};
#else
  constexpr double split = 134217729.0;  // 2^27 + 1
  const double ta = split * a, tb = split * b;
  const double ah = ta - (ta - a), al = a - ah;
  const double bh = tb - (tb - b), bl = b - bh;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
#endif
}

// a * b + c, fused (one rounding) when kFma and otherwise a product and a sum (two roundings).
// The kernels' error bounds allow one rounding for the product and one for the sum, so they hold
// for both: the fused result is within half an ulp of the exact a b + c, as the plain sum is of
// its rounded product plus c.
template <bool kFma>
[[gnu::always_inline]] inline double multiplyAdd(double a, double b, double c) {
  if constexpr (kFma)
    return __builtin_fma(a, b, c);
  else
    return a * b + c;
}

// The correctly rounded value of any number within err of hi + lo, when all of them round to
// the same double: then out is set and the result is true. err is a bound on the absolute error
// that already covers its own rounding and that of lo - err and lo + err (negligible when hi is
// the sum rounded, as fastTwoSum leaves it; rounding is monotonic, so hi need not be), and the
// result a normal number (the rounding of subnormal results needs its own test).
inline bool roundsTo(double hi, double lo, double err, double& out) {
  const double below = hi + (lo - err), above = hi + (lo + err);
  if (below != above) return false;
  out = below;
  return true;
}

}  // namespace orbisk::math
