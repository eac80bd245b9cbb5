// sin and cos of a + r, a = i pi/512 from the table (0 <= i < 256) and r the reduced rest
// (|r| <= pi/1024 and a hair), as double-doubles: the table's values and the product with r's
// leading part carry 106 bits, the series' small terms plain doubles.
#pragma once

#include "render/math/DoubleDouble.h"
#include "render/math/TrigTables.h"

namespace orbisk::math {

// A bound on the kernels' relative error. The analysis puts the worst case near 2^-67.7 (i = 1
// or 255 with |r| at its largest, where the result is half the table's value and the rounding
// of S (cos r - 1) weighs most); TrigKernelTest observes at most about 2^-70.5.
inline constexpr double kTrigKernelError = 0x1p-66;

// The series of r: cos r - 1 and sin r - r beyond r itself, to about 2^-80 relative.
struct SmallAngleTerms {
  double cosMinusOne;
  double sinTail;
};

inline SmallAngleTerms smallAngleTerms(double rh, double rl) {
  const double z = rh * rh;
  const double cosMinusOne = z * (-0.5 + z * (0x1.5555555555555p-5 - z * 0x1.6c16c16c16c17p-10));
  const double sinMinusR =
      rh * z * (-0x1.5555555555555p-3 + z * (0x1.1111111111111p-7 - z * 0x1.a01a01a01a01ap-13));
  // r = rh + rl: sin r = sin rh + rl cos rh, cos r = cos rh - rl sin rh, to second order.
  return {cosMinusOne - rh * rl, sinMinusR + rl * cosMinusOne};
}

// sin(a + r) = S + C r + S (cos r - 1) + C (sin r - r).
inline DoubleDouble sinOfSum(const SinCosEntry& e, double rh, double rl, const SmallAngleTerms& t) {
  const DoubleDouble cr = twoProduct(e.cosHi, rh);
  const DoubleDouble head = fastTwoSum(e.sinHi, cr.hi);  // |S| >= |C r| for i >= 1, S = 0 for 0
  const double tail = ((e.sinLo + cr.lo) + (e.cosLo * rh + e.cosHi * rl)) +
                      (e.sinHi * t.cosMinusOne + e.cosHi * t.sinTail);
  return fastTwoSum(head.hi, head.lo + tail);
}

// cos(a + r) = C - S r + C (cos r - 1) - S (sin r - r).
inline DoubleDouble cosOfSum(const SinCosEntry& e, double rh, double rl, const SmallAngleTerms& t) {
  const DoubleDouble sr = twoProduct(e.sinHi, rh);
  const DoubleDouble head = fastTwoSum(e.cosHi, -sr.hi);  // C >= sin(pi/512) >= |S r|
  const double tail = ((e.cosLo - sr.lo) - (e.sinLo * rh + e.sinHi * rl)) +
                      (e.cosHi * t.cosMinusOne - e.sinHi * t.sinTail);
  return fastTwoSum(head.hi, head.lo + tail);
}

}  // namespace orbisk::math
