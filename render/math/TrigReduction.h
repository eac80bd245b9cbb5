// Reduction of a trigonometric argument by multiples of pi/512: x = (j + 1024 n) pi/512 + r with
// |r| at most about pi/1024, so sin x and cos x follow from the table entry of j modulo a quarter
// turn, the quarter, and short series in r.
#pragma once

#include <cmath>
#include <cstdint>

#include "render/math/DoubleDouble.h"
#include "render/math/TrigTables.h"

namespace orbisk::math {

struct ReducedAngle {
  unsigned j = 0;  // the multiple of pi/512 nearest x, modulo a full turn (0..1023)
  double hi = 0;   // r, the rest, as hi + lo with |lo| <= 2^-53 |hi| + 2^-44
  double lo = 0;   // (and |lo| <= 2^-20 |hi|: the 2^-44 comes only with |hi| >= 2^-24)
  double err = 0;  // a bound on |r - (hi + lo)|
};

// Below this the quick reduction's multiples of pi/512 fit in 24 bits.
inline constexpr double kQuickReductionLimit = 0x1p16;

// Cody and Waite's reduction with pi/512 in three parts, for |x| below kQuickReductionLimit.
// false when cancellation leaves r so small that the reduction error could matter; then
// reducePrecise must do it. With kFma (code compiled for processors with a fused multiply-add)
// the multiple comes one rounding earlier and the exact first difference in one step; k may then
// differ by one where x 512/pi lies within a rounding of a half, which leaves |r| within pi/1024
// and a hair all the same.
template <bool kFma = false>
[[gnu::always_inline]] inline bool reduceQuick(double x, ReducedAngle& out) {
  constexpr double shifter = 0x1.8p52;  // adding it rounds to an integer, ties to even
  const double shifted = multiplyAdd<kFma>(x, k512OverPi, shifter);
  const double kd = shifted - shifter;
  // Exact: k has at most 24 bits and the first two parts 29, and x lies within a factor of two
  // of k times the first part whenever k is not zero (so the fused operation rounds nothing).
  const double s = multiplyAdd<kFma>(-kd, kPiOver512Part0, x);
  const DoubleDouble y = twoSum(s, -(kd * kPiOver512Part1));
  if (std::fabs(y.hi) < 0x1p-24 && kd != 0) return false;
  out.j = static_cast<unsigned>(bitsOf(shifted)) & 1023;  // k's low bits
  // Not renormalised, so that the kernels can start on hi while lo is still being summed: |lo|
  // stays below 2^-53 |hi| + |k| 2^-67.5.
  out.hi = y.hi;
  out.lo = multiplyAdd<kFma>(-kd, kPiOver512Part2, y.lo);
  // The parts miss pi/512 by under 2^-121, k times the third part is rounded by under
  // |k| 2^-120.5 and so is lo (fused, only lo's rounding); what scales with r counts in the
  // evaluation's bound.
  out.err = std::fabs(kd) * 0x1p-117;
  return true;
}

// Payne and Hanek's reduction with the bits of 2/pi, exact up to a relative error far below
// 2^-100 for any finite x with |x| >= 2^-70. false only for inputs outside that range.
bool reducePrecise(double x, ReducedAngle& out);

}  // namespace orbisk::math
