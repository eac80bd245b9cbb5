// Double-double sums, products and quotients for atan, pow and the accurate trigonometric
// kernels (TrigAccurate.h), built on the error-free transformations of DoubleDouble.h. Each
// result is normalised (hi is the sum rounded) and carries a relative error of a few units of
// 2^-104 unless noted; callers add those bounds into the padded error they hand to roundsTo.
#pragma once

#include <cstdint>

#include "render/math/DoubleDouble.h"

namespace orbisk::math::dd {

// a + b, for any two normalised values.
inline DoubleDouble add(DoubleDouble a, DoubleDouble b) {
  const DoubleDouble s = twoSum(a.hi, b.hi);
  return fastTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

// a + b, for a double a.
inline DoubleDouble add(double a, DoubleDouble b) {
  const DoubleDouble s = twoSum(a, b.hi);
  return fastTwoSum(s.hi, s.lo + b.lo);
}

// a * b, for a double b.
inline DoubleDouble mul(DoubleDouble a, double b) {
  const DoubleDouble p = twoProduct(a.hi, b);
  return fastTwoSum(p.hi, p.lo + a.lo * b);
}

// a * b; the product of the two low parts (below 2^-106 of the result) is left out.
inline DoubleDouble mul(DoubleDouble a, DoubleDouble b) {
  const DoubleDouble p = twoProduct(a.hi, b.hi);
  return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// a / b: the quotient of the high parts, corrected by the exact remainder.
inline DoubleDouble div(DoubleDouble a, DoubleDouble b) {
  const double q = a.hi / b.hi;
  const DoubleDouble p = twoProduct(q, b.hi);
  const double remainder = ((a.hi - p.hi) - p.lo) + (a.lo - q * b.lo);
  return fastTwoSum(q, remainder / b.hi);
}

// a * a exactly, under the conditions of twoProduct: one split instead of two.
inline DoubleDouble square(double a) {
  const double p = a * a;
#if defined(__FMA__) || defined(__aarch64__)
  return {p, __builtin_fma(a, a, -p)};
#else
  const double t = 134217729.0 * a;  // 2^27 + 1
  const double ah = t - (t - a), al = a - ah;
  return {p, ((ah * ah - p) + 2 * ah * al) + al * al};
#endif
}

// On x86-64 builds for processors that may lack a fused multiply-add, the fast paths come twice:
// with the products below as Dekker's splitting, and compiled for processors with one, chosen
// once at run time. Both give the same exact error terms, so the same results.
#if defined(__x86_64__) && !defined(__FMA__) && defined(__GNUC__)
#define ORBISK_MATH_FMA_AT_RUN_TIME 1
inline const bool kProcessorHasFma = (__builtin_cpu_init(), __builtin_cpu_supports("fma"));
#endif

// twoProduct and square, with a fused multiply-add when kFma.
template <bool kFma>
[[gnu::always_inline]] inline DoubleDouble product(double a, double b) {
  if constexpr (kFma) {
    const double p = a * b;
    return {p, __builtin_fma(a, b, -p)};
  } else {
    return twoProduct(a, b);
  }
}
// a b + c: one fused operation when kFma (a single rounding), else a product and a sum.
template <bool kFma>
[[gnu::always_inline]] inline double mulAdd(double a, double b, double c) {
  if constexpr (kFma)
    return __builtin_fma(a, b, c);
  else
    return a * b + c;
}

template <bool kFma>
[[gnu::always_inline]] inline DoubleDouble square(double a) {
  if constexpr (kFma)
    return product<true>(a, a);
  else
    return square(a);
}

}  // namespace orbisk::math::dd
