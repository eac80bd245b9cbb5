// sin of x = j pi/512 + r from the table entry of j and short series in r (|r| <= pi/1024 and a
// hair), as a double-double: sin x = A cos r + B sin r with A and B sin and cos of the table's
// angle, signed and swapped by the quarter turn. No branch depends on the argument.
#pragma once

#include "render/math/DoubleDouble.h"
#include "render/math/TrigTables.h"

namespace orbisk::math {

// A bound on the kernel's relative error. The analysis puts the worst case near 2^-67.7 (the
// table's angle pi/512 away from a multiple of pi/2 with |r| at its largest, the other way,
// where the result is half the table's value and the rounding of A (cos r - 1) weighs most);
// TrigKernel.RelativeErrorStaysBelowTheBound observes at most about 2^-70.5. The bound also
// covers the rounding test's own sums of the unnormalised low part and the bound (2^-69), so
// 2^-67.2 in all.
inline constexpr double kTrigKernelError = 0x1p-66;

// A and B for j modulo a full turn, each as the table's 27 leading bits and the rest.
struct TableTerms {
  double aHi, aLo, bHi, bLo;
};

// Quarter 0: (sin a, cos a); 1: (cos a, -sin a); 2: (-sin a, -cos a); 3: (-cos a, sin a).
[[gnu::always_inline]] inline TableTerms tableTermsFor(unsigned j) {
  static constexpr double sign[2] = {1, -1};
  const double* e = kSinCosTable[j & 255];
  const unsigned odd = (j >> 8) & 1;
  const double signA = sign[(j >> 9) & 1], signB = signA * sign[odd];
  return {signA * e[2 * odd], signA * e[2 * odd + 1], signB * e[2 - 2 * odd],
          signB * e[3 - 2 * odd]};
}

// r with its leading 26 bits apart, and the series cos r - 1 and sin r - r to about 2^-80.
struct SmallAngle {
  double hi, lo;  // r
  double head;    // hi's leading 26 bits: its product with a table value is exact
  double cosMinusOne, sinTail;
};

[[gnu::always_inline]] inline SmallAngle smallAngle(double rh, double rl) {
  const double split = rh * 134217729.0;  // 2^27 + 1: Veltkamp's splitting
  const double head = split - (split - rh);
  const double z = rh * rh;
  const double cosMinusOne = z * (-0.5 + z * (0x1.5555555555555p-5 - z * 0x1.6c16c16c16c17p-10));
  const double sinMinusR =
      rh * z * (-0x1.5555555555555p-3 + z * (0x1.1111111111111p-7 - z * 0x1.a01a01a01a01ap-13));
  // r = rh + rl: sin r = sin rh + rl cos rh and cos r = cos rh - rl sin rh, leaving out terms
  // in rl^2, below 2^-88 with |rl| <= 2^-44.
  return {rh, rl, head, cosMinusOne - rh * rl, sinMinusR + rl * cosMinusOne};
}

// A cos r + B sin r = A + B r + A (cos r - 1) + B (sin r - r). Left unnormalised, since the
// rounding test does not need it: |lo| stays below 2^-15.9 |hi| (A (cos r - 1) is largest next
// to a multiple of pi/2, where the result is half of A).
[[gnu::always_inline]] inline DoubleDouble sinOfReduced(const TableTerms& t, const SmallAngle& r) {
  // |A| >= |B r| unless A is zero; the product is exact (27 by 26 bits).
  const DoubleDouble lead = fastTwoSum(t.aHi, t.bHi * r.head);
  const double a = t.aHi + t.aLo, b = t.bHi + t.bLo;
  const double tail = ((t.aLo + t.bHi * (r.hi - r.head)) + (b * r.lo + t.bLo * r.hi)) +
                      (a * r.cosMinusOne + b * r.sinTail);
  return {lead.hi, lead.lo + tail};
}

}  // namespace orbisk::math
