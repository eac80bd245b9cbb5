// tan of x = j pi/512 + r (|r| <= pi/1024 and a hair) as a quotient of two double-doubles:
// tan(a + r) = (T + t) / (1 - T t) with T = tan a from the table and t = tan r from its series;
// in the odd quarters tan x = -cot(a + r), the same two the other way up (the variant with fused
// multiply-adds takes T from a half turn instead, and needs the other way only at the pole).
#pragma once

#include "render/math/DoubleDouble.h"
#include "render/math/TrigTables.h"

namespace orbisk::math {

// A bound on the relative error of the quotient. By analysis the numerator is within about
// 2^-69 (five roundings of terms near r^3/3), the denominator closer, and the division, which
// starts on the leading parts alone, within 2^-67.1: 2^-66.3 in all (the variant with fused
// operations, tanOfReducedFused: 2^-66.6); TanKernel.RelativeErrorStaysBelowTheBound observes
// about 2^-72.
inline constexpr double kTanKernelError = 0x1p-66;

// v rounded to its leading 26 bits (Veltkamp's splitting; |v| far below 2^996).
[[gnu::always_inline]] inline double leadingBits(double v) {
  const double split = v * 134217729.0;  // 2^27 + 1
  return split - (split - v);
}

// tan(j pi/512 + r) without fused multiply-adds, in fewer dependent steps: the division starts
// on the leading parts of the two sides as soon as they are known (T's leading bits and rh: one
// sum and one exact product), while the series is still being evaluated, and the low parts
// correct its result afterwards. The result is left unnormalised: the correction is below
// 2^-16.8 of the quotient. In the odd quarters the two sides swap places, chosen by index rather
// than by a branch the quarters of random arguments would mislead; the pole, T = 0 there, needs
// nothing of its own.
//
// With top = Nh + Nl and bottom = Dh + Dl, q the quotient Nh / Dh rounded to its leading 26 bits
// and d26 Dh's leading 26 bits, q d26 is exact and within 2^-25 of Nh, so Nh - q d26 is exact
// (Sterbenz); Dh - d26 is exact too, and top / bottom - q = E / bottom with E = (Nh - q d26) + Nl
// - q ((Dh - d26) + Dl). The denominator's low part is below 2^-18.3 of its high part (T t <= 1/2,
// the tail of t at most 2^-26.6) and the numerator's below 2^-17.9 (near T = 0 the series beyond
// rh is z/3 of it and rl up to 2^-20 of rh; elsewhere |T + t| >= |T|/2), so E / bottom is below
// 2^-16.8 |q|; it is computed as E / Dh (1 - d + d^2) with d = Dl / Dh below 2^-17.9 whichever
// way up. The roundings, relative to the quotient: (Dh - d26) + Dl 2^-70.9, its product with q
// 2^-70.8, the sum with Nl 2^-69.9, the sum with Nh - q d26 2^-69.8, the inverse's and the
// product with it 2^-68.8, the correction's last difference 2^-69.8, d^3 left out 2^-70.5 (d's own
// roundings and those inside the correction are far smaller): 2^-67.1. The numerator and the
// denominator themselves are within about 2^-69 each (five roundings of terms near r^3/3, the
// table's 2^-79), and the rounding test's sums with the unnormalised correction add 2^-69.8:
// 2^-66.3 |q| in all, within kTanKernelError (TanKernel.RelativeErrorStaysBelowTheBound).
[[gnu::always_inline]] inline DoubleDouble tanOfReducedPortable(unsigned j, double rh, double rl) {
  const double* e = kTanTable[j & 255];
  const double th = e[0], tan53 = e[0] + e[1];  // T's leading 27 bits; T to a double
  const double head = leadingBits(rh);          // exact in a product with th
  // The leading parts: T + t's, exact since |T| >= |r| unless T is zero, and 1 - T t's, with T t
  // <= 1/2 over the table.
  const DoubleDouble numLead = fastTwoSum(th, rh);
  const DoubleDouble denLead = fastTwoSum(1, -(th * head));
  static constexpr double sign[2] = {1, -1};
  const unsigned odd = (j >> 8) & 1;
  const double leads[2] = {numLead.hi, denLead.hi};
  const double topHi = sign[odd] * leads[odd], bottomHi = leads[1 - odd];
  const double inverse = 1 / bottomHi;
  const double q = leadingBits(topHi * inverse);
  const double d26 = leadingBits(bottomHi);
  const double exactRemainder = topHi - q * d26;
  // tan r - rh: the series beyond r, and rl (1 + tan^2 rh), to about 2^-80 of tan r (terms in
  // rl^2 left out are below 2^-88 with |rl| <= 2^-44).
  const double z = rh * rh;
  const double tail =
      rl +
      (rh * z *
           (0x1.5555555555555p-2 +
            z * (0x1.1111111111111p-3 + z * (0x1.ba1ba1ba1ba1cp-5 + z * 0x1.664f4882c10fap-6))) +
       rl * z);
  const double numLo = numLead.lo + (e[1] + tail);
  const double denLo = denLead.lo - ((th * (rh - head) + e[1] * rh) + tan53 * tail);
  const double lows[2] = {numLo, denLo};
  const double topLo = sign[odd] * lows[odd], bottomLo = lows[1 - odd];
  const double residual = exactRemainder + (topLo - q * ((bottomHi - d26) + bottomLo));
  const double c = residual * inverse;
  const double d = bottomLo * inverse;
  return {q, c - c * (d - d * d)};  // c (1 - d + d^2)
}

// T = tan(j pi/512) for j in a half turn, as kTanTable splits it: past the quarter, tan(pi - b)
// = -tan b gives each entry exactly from the quarter's table. The pole, j = 256, has none.
struct HalfTurnTanTable {
  double entry[512][2];
};
constexpr HalfTurnTanTable halfTurnTanTable() {
  HalfTurnTanTable out{};
  for (unsigned j = 0; j < 256; ++j) {
    out.entry[j][0] = kTanTable[j][0];
    out.entry[j][1] = kTanTable[j][1];
  }
  for (unsigned j = 257; j < 512; ++j) {
    out.entry[j][0] = -kTanTable[512 - j][0];
    out.entry[j][1] = -kTanTable[512 - j][1];
  }
  return out;
}
inline constexpr HalfTurnTanTable kHalfTurnTanTable = halfTurnTanTable();

// tan(j pi/512 + r) next to the pole, as -cot r: out of line, it comes once in 512.
[[gnu::noinline]] inline DoubleDouble tanNextToPole(unsigned j, double rh, double rl) {
  return tanOfReducedPortable(j, rh, rl);
}

// tan(j pi/512 + r) for processors with a fused multiply-add, in fewer dependent steps: with T
// from the half turn's table, (T + t) / (1 - T t) holds everywhere but at the pole (where |T| is
// largest, 163 next to it, T t is still at most 1/2), so there is no quarter to branch on; and
// the division starts on the leading parts of the two sides as soon as they are known (T's
// leading bits and rh: one sum and one product), while the series is still being evaluated,
// and the low parts correct its result afterwards. The result is left unnormalised: the
// correction is below 2^-16.8 of the quotient.
//
// With num = Nh + Nl and den = Dh + Dl, q = Nh / Dh rounded, the remainder Nh - q Dh is a double
// that the fused operation gives exactly, and num / den - q = E / den with E = (Nh - q Dh) + Nl
// - q Dl. Dl / Dh = d is below 2^-18.3 (T t <= 1/2, the tail of t at most 2^-26.6) and Nl / Nh
// below 2^-17.9 (near T = 0 the series beyond rh is z/3 of it and rl up to 2^-20 of rh; elsewhere
// |T + t| >= |T|/2). So E / den is below 2^-16.8 |q|, and it is computed as E / Dh (1 - d + d^2):
// E's two roundings, the inverse's, the product's and the last step's, each 2^-53, and d^3, make
// at most 2^-50.6 of it, 2^-67.4 |q|. The numerator and the denominator themselves are within
// about 2^-69 each (the series' few roundings, of terms near r^3/3, and the table's 2^-79), and
// the rounding test's sums with the unnormalised correction add 2^-69.8: 2^-66.6 |q| in all,
// within kTanKernelError. TanKernel.WithAFusedMultiplyAddStaysBelowTheBound observes it.
[[gnu::always_inline]] inline DoubleDouble tanOfReducedFused(unsigned j, double rh, double rl) {
  if ((j & 511) == 256) [[unlikely]]
    return tanNextToPole(j, rh, rl);
  const double* e = kHalfTurnTanTable.entry[j & 511];
  const double th = e[0], tan53 = e[0] + e[1];  // T's leading 27 bits; T to a double
  const double z = rh * rh;
  const double series =
      __builtin_fma(z,
                    __builtin_fma(z, __builtin_fma(z, 0x1.664f4882c10fap-6, 0x1.ba1ba1ba1ba1cp-5),
                                  0x1.1111111111111p-3),
                    0x1.5555555555555p-2);
  // tan r - rh - rl as in tanOfReducedPortable; rl, which the reduction leaves last, joins in a sum
  // of its own.
  const double series3 = __builtin_fma(rl, z, (rh * z) * series);
  // T + t: |T| >= |r| unless T is zero, so the leading sum is exact.
  const DoubleDouble numLead = fastTwoSum(th, rh);
  const double numLo = (numLead.lo + (e[1] + rl)) + series3;
  // 1 - T t: th rh exactly as a product and its error, and 1 - T t >= 1/2.
  const double product = th * rh;
  const DoubleDouble denLead = fastTwoSum(1, -product);
  const double denRest =
      (denLead.lo - __builtin_fma(th, rh, -product)) - __builtin_fma(tan53, rl, e[1] * rh);
  const double denLo = __builtin_fma(-tan53, series3, denRest);
  const double q = numLead.hi / denLead.hi, inverse = 1 / denLead.hi;
  const double remainder =
      __builtin_fma(-q, denLo, __builtin_fma(-q, denLead.hi, numLead.hi) + numLo);
  const double d = denLo * inverse;
  const double c = remainder * inverse;
  return {q, __builtin_fma(-c, __builtin_fma(-d, d, d), c)};  // c (1 - d + d^2)
}

// tan(j pi/512 + r) for r = rh + rl as the reductions leave it, the variant fitting the processor
// the code is compiled for.
template <bool kFma = false>
[[gnu::always_inline]] inline DoubleDouble tanOfReduced(unsigned j, double rh, double rl) {
  if constexpr (kFma)
    return tanOfReducedFused(j, rh, rl);
  else
    return tanOfReducedPortable(j, rh, rl);
}

}  // namespace orbisk::math
