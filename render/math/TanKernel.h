// tan of x = j pi/512 + r (|r| <= pi/1024 and a hair) as a quotient of two double-doubles:
// tan(a + r) = (T + t) / (1 - T t) with T = tan a from the table and t = tan r from its series;
// in the odd quarters tan x = -cot(a + r), the same two the other way up.
#pragma once

#include "render/math/DoubleDouble.h"
#include "render/math/TrigTables.h"

namespace orbisk::math {

// A bound on the relative error of the quotient. By analysis the numerator is within about
// 2^-69 (five roundings of terms near r^3/3), the denominator closer and the division within
// 2^-76; TanKernel.RelativeErrorStaysBelowTheBound observes about 2^-69.1.
inline constexpr double kTanKernelError = 0x1p-66;

// v rounded to its leading 26 bits (Veltkamp's splitting; |v| far below 2^996).
[[gnu::always_inline]] inline double leadingBits(double v) {
  const double split = v * 134217729.0;  // 2^27 + 1
  return split - (split - v);
}

struct Quotient {
  DoubleDouble num, den;
};

[[gnu::always_inline]] inline Quotient tanOfReduced(unsigned j, double rh, double rl) {
  const double* e = kTanTable[j & 255];
  const double th = e[0], tan53 = e[0] + e[1];  // T's leading 27 bits; T to a double
  const double head = leadingBits(rh);          // exact in a product with th
  const double z = rh * rh;
  // tan r - rh: the series beyond r, and rl (1 + tan^2 rh), to about 2^-80 of tan r (terms in
  // rl^2 left out are below 2^-88 with |rl| <= 2^-44).
  const double tail =
      rl +
      (rh * z *
           (0x1.5555555555555p-2 +
            z * (0x1.1111111111111p-3 + z * (0x1.ba1ba1ba1ba1cp-5 + z * 0x1.664f4882c10fap-6))) +
       rl * z);
  // T + t: |T| >= |r| unless T is zero.
  const DoubleDouble numLead = fastTwoSum(th, rh);
  const DoubleDouble num = fastTwoSum(numLead.hi, numLead.lo + (e[1] + tail));
  // 1 - T t: T t <= 1/2 over the table.
  const DoubleDouble denLead = fastTwoSum(1, -(th * head));
  const double rest = (th * (rh - head) + e[1] * rh) + tan53 * tail;
  const DoubleDouble den = fastTwoSum(denLead.hi, denLead.lo - rest);
  // Chosen by index rather than by a branch the quarters of random arguments would mislead.
  static constexpr double sign[2] = {1, -1};
  const unsigned odd = (j >> 8) & 1;
  const DoubleDouble both[2] = {num, den};
  const DoubleDouble& top = both[odd];
  return {{sign[odd] * top.hi, sign[odd] * top.lo}, both[1 - odd]};
}

// num / den to about 2^-76. The quotient to 26 bits times the divisor's leading 27 bits is
// exact and within 2^-25 of the dividend, so the residual num - q den comes out to about 2^-78
// of num without a fused multiply-add; it corrects q.
//
// With a fused multiply-add (kFma, in code compiled for processors that have one) the chain is
// shorter and the quotient closer, within about 2^-102: q is num.hi / den.hi rounded, computed
// next to the inverse; num.hi - q den.hi is then a double and the fused operation gives it
// exactly, adding num.lo and q den.lo rounds at 2^-105 of num, and the correction times the
// inverse at 2^-104 of q.
template <bool kFma = false>
[[gnu::always_inline]] inline DoubleDouble quotientOf(const Quotient& f) {
  if constexpr (kFma) {
    const double q = f.num.hi / f.den.hi, inverse = 1 / f.den.hi;
    const double residual = (__builtin_fma(-q, f.den.hi, f.num.hi) + f.num.lo) - q * f.den.lo;
    return fastTwoSum(q, residual * inverse);
  }
  const double inverse = 1 / f.den.hi;
  const double q26 = leadingBits(f.num.hi * inverse);
  const double d27 = leadingBits(f.den.hi);
  const double residual = (f.num.hi - q26 * d27) + (f.num.lo - q26 * ((f.den.hi - d27) + f.den.lo));
  return fastTwoSum(q26, residual * inverse);
}

}  // namespace orbisk::math
