// Ziv's strategy: evaluate with a proven error bound, and if the interval around the result
// holds a point where rounding changes (the midpoint between two doubles, or in the subnormal
// range between two multiples of 2^-1074), evaluate again with twice the precision. It ends
// unless the exact result is such a midpoint, which the callers rule out beforehand.
//
// How many bits can a result need? At n limbs every caller's bound is below 2^(25 - 32n) of
// the result, so the first step (192 bits) decides every result farther than 2^-112 ulp from a
// rounding boundary, the second (384 bits) every one farther than 2^-304 ulp, and the last
// (768 bits) every one farther than 2^-688 ulp.
// - sin, cos, tan and atan: the published searches for the hardest-to-round doubles (Lefevre and
//   Muller, over the ranges they cover) found none needing much more than twice a double's
//   precision; the correctly rounded libraries built on them carry their last step to about 120
//   bits. The results are transcendental, so the same random-bits argument as below covers the
//   rest, with 2^64 arguments.
// - pow: the exact results that are boundaries are rounded beforehand (SlowPow.cpp). The closest
//   inexact ones are structured: (1 + k 2^-52)^(n/2) = 1 + nk 2^-53 + O(2^-104) lies within
//   about (nk)^2 2^-56 ulp of a midpoint, (1 - 2^-53)^(1/2) within 2^-56 ulp. Beyond such
//   families the bits after a result's 54th behave as random: among the at most 2^128 argument
//   pairs the closest is expected near 2^-128 ulp, and the chance that any lies closer than
//   2^-688 ulp is about 2^-560.
// tests/render/math/SlowHardCasesTest.cpp holds the hardest inputs found (by MPFR searches, the
// families above, arguments next to multiples of pi/2 up to the largest doubles, pow next to
// overflow and underflow): all end at the first step, in at most about 20 us, and even forced
// through all three steps none takes 0.2 ms. So the last step is never expected to be needed;
// should it be, its value is returned as it stands, within 2^-741 of the exact result.
#pragma once

#include <algorithm>
#include <cstdint>

#include "render/math/BigFloat.h"

namespace orbisk::math::slow {

inline constexpr int kFirstLimbs = 6;  // 192 bits: nearly every input is decided here
inline constexpr int kLastLimbs = 24;  // 768 bits: see above

// For tests and benchmarks: the precision, in limbs, at which this thread's last evaluation
// ended, and a precision below which no step may decide (0: any), to time the longest path.
inline thread_local int lastLimbs = 0;
inline thread_local int decideFromLimbs = 0;

struct Approximation {
  mp::BigFloat value;
  int64_t errorExp = 0;  // the exact result lies within 2^errorExp of value
};

// approximate(n) evaluates with n limbs.
template <class Approximate>
double correctlyRounded(Approximate approximate) {
  for (int n = kFirstLimbs;; n = std::min(2 * n, kLastLimbs)) {
    lastLimbs = n;
    const Approximation a = approximate(n);
    const mp::BigFloat error = mp::powerOfTwo(a.errorExp);
    const double below = mp::toDouble(mp::addExact(a.value, mp::negated(error)));
    const double above = mp::toDouble(mp::addExact(a.value, error));
    if (__builtin_bit_cast(uint64_t, below) == __builtin_bit_cast(uint64_t, above) &&
        n >= decideFromLimbs)
      return below;
    if (n == kLastLimbs) return mp::toDouble(a.value);
  }
}

// An error bound for value from a bound 2^relExp on its error relative to the exact result.
inline int64_t absoluteErrorExp(const mp::BigFloat& value, int64_t relExp) {
  // |exact| < 2 |value| whenever the relative bound means anything; zero means nothing is known.
  return value.isZero() ? 4096 : value.topBit() + 2 + relExp;
}

}  // namespace orbisk::math::slow
