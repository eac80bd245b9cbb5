// Ziv's strategy: evaluate with a proven error bound, and if the interval around the result
// holds a point where rounding changes (the midpoint between two doubles, or in the subnormal
// range between two multiples of 2^-1074), evaluate again with twice the precision. It ends
// unless the exact result is such a midpoint, which the callers rule out beforehand.
//
// How many bits can a result need? Every caller's bound is within 2^-(32n - 25) of the result at
// n limbs, so the first step (192 bits, 2^-167) decides every result that lies farther than
// 2^-113 ulp from a rounding boundary, the second (384 bits) every one farther than 2^-305 ulp,
// and the last (768 bits) every one farther than 2^-689 ulp.
// - sin, cos, tan and atan: the published searches for the hardest-to-round doubles (Lefevre and
//   Muller) found none closer to a boundary than about 2^-70 ulp; the correctly rounded libraries
//   built on them evaluate their last step to about 120 bits. Our own MPFR search
//   (tests/render/math, FindHardCases) agrees: every case it found ends at the first step.
// - pow: the exact results that are boundaries are rounded beforehand (SlowPow.cpp), and the
//   results near one (x next to 1 or y tiny) or algebraic (y = n / 2^k) come no closer than
//   about 2^-60 ulp (the second-order term of the binomial series). For the rest, the bits
//   beyond a result's 54th behave as random: among the at most 2^128 argument pairs, the
//   closest to a boundary is expected near 2^-128 ulp, and the chance that any pair lies closer
//   than 2^-689 ulp is about 2^-560. The hardest pairs our search found lie near 2^-50 ulp.
// So the third step is never expected to be needed; should it be, its value is returned as it
// stands, within 2^-743 of the exact result.
#pragma once

#include <algorithm>
#include <cstdint>

#include "render/math/BigFloat.h"

namespace orbisk::math::slow {

inline constexpr int kFirstLimbs = 6;  // 192 bits: nearly every input is decided here
inline constexpr int kLastLimbs = 24;  // 768 bits: see above; a call takes well under 1 ms

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
