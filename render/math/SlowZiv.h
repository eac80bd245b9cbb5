// Ziv's strategy: evaluate with a proven error bound, and if the interval around the result
// holds a point where rounding changes (the midpoint between two doubles, or in the subnormal
// range between two multiples of 2^-1074), evaluate again with twice the precision. It ends
// unless the exact result is such a midpoint, which the callers rule out beforehand.
#pragma once

#include <algorithm>
#include <cstdint>

#include "render/math/BigFloat.h"

namespace orbisk::math::slow {

inline constexpr int kFirstLimbs = 6;  // 192 bits: nearly every input is decided here
// 8192 bits: beyond anything a double input needs, and still well under a second per call.
inline constexpr int kLastLimbs = 256;

struct Approximation {
  mp::BigFloat value;
  int64_t errorExp = 0;  // the exact result lies within 2^errorExp of value
};

// approximate(n) evaluates with n limbs. Should even the last precision not decide (which no
// input is known to need), the nearest double to its value is the answer.
template <class Approximate>
double correctlyRounded(Approximate approximate) {
  for (int n = kFirstLimbs;; n = std::min(2 * n, kLastLimbs)) {
    const Approximation a = approximate(n);
    const mp::BigFloat error = mp::powerOfTwo(a.errorExp);
    const double below = mp::toDouble(mp::addExact(a.value, mp::negated(error)));
    const double above = mp::toDouble(mp::addExact(a.value, error));
    if (__builtin_bit_cast(uint64_t, below) == __builtin_bit_cast(uint64_t, above)) return below;
    if (n == kLastLimbs) return mp::toDouble(a.value);
  }
}

// An error bound for value from a bound 2^relExp on its error relative to the exact result.
inline int64_t absoluteErrorExp(const mp::BigFloat& value, int64_t relExp) {
  // |exact| < 2 |value| whenever the relative bound means anything; zero means nothing is known.
  return value.isZero() ? 4096 : value.topBit() + 2 + relExp;
}

}  // namespace orbisk::math::slow
