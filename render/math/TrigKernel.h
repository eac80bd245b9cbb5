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
constexpr TableTerms quarterTableTermsFor(unsigned j) {
  const double* e = kSinCosTable[j & 255];
  const unsigned odd = (j >> 8) & 1;
  const double signA = (j >> 9) & 1 ? -1 : 1, signB = odd ? -signA : signA;
  return {signA * e[2 * odd], signA * e[2 * odd + 1], signB * e[2 - 2 * odd],
          signB * e[3 - 2 * odd]};
}

// The terms of every multiple of pi/512 in a full turn, signed and swapped when compiled, so
// that the kernels load them with no index arithmetic.
struct FullTurnTable {
  TableTerms terms[1024];
};
constexpr FullTurnTable fullTurnTable() {
  FullTurnTable out{};
  for (unsigned j = 0; j < 1024; ++j) out.terms[j] = quarterTableTermsFor(j);
  return out;
}
inline constexpr FullTurnTable kFullTurnTable = fullTurnTable();

[[gnu::always_inline]] inline TableTerms tableTermsFor(unsigned j) {
  return kFullTurnTable.terms[j & 1023];
}

// r with its leading 26 bits apart, and the series cos r - 1 and sin r - r to about 2^-80.
struct SmallAngle {
  double hi, lo;  // r
  double head;    // hi's leading 26 bits: its product with a table value is exact
  double cosMinusOne, sinTail;
};

// cos r - 1 = z (-1/2 + z (1/24 - z/720)) and sin r - r = r z (-1/6 + z (1/120 - z/5040)) for
// z = r^2 = rh^2, each as the series' value over z, and z r.
struct SmallSeries {
  double z, zr;
  double cosOverZ, sinOverZr;
};

template <bool kFma>
[[gnu::always_inline]] inline SmallSeries smallSeries(double rh) {
  const double z = rh * rh;
  return {z, rh * z,
          multiplyAdd<kFma>(z, multiplyAdd<kFma>(-z, 0x1.6c16c16c16c17p-10, 0x1.5555555555555p-5),
                            -0.5),
          multiplyAdd<kFma>(z, multiplyAdd<kFma>(-z, 0x1.a01a01a01a01ap-13, 0x1.1111111111111p-7),
                            -0x1.5555555555555p-3)};
}

[[gnu::always_inline]] inline SmallAngle smallAngle(double rh, double rl) {
  const double split = rh * 134217729.0;  // 2^27 + 1: Veltkamp's splitting
  const double head = split - (split - rh);
  const SmallSeries s = smallSeries<false>(rh);
  const double cosMinusOne = s.z * s.cosOverZ;
  const double sinMinusR = s.zr * s.sinOverZr;
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

// The same sum for processors with a fused multiply-add, in fewer dependent steps: B r's exact
// product comes from one fused operation instead of the split, the series enter the tail each
// in one fused step, and rl, which the reduction leaves last, enters last, in one product:
//   B rl cos rh - A rl sin rh = rl (B (1 + (cos rh - 1)) - A rh),
// leaving out terms in rl^2 and A rl (sin rh - rh), as the other variant does.
//
// Bound, relative to the result S: |S| >= |A|/2 and |B r| <= |S| (1 + 2^-18), the extremes next
// to a multiple of pi/2, and z <= 2^-16.7; so A (cos r - 1) is below 2^-16.7 |S| and B (sin r -
// r) below 2^-19.2 |S|. Five roundings weigh on the first (of a, z, A z, the outer series step
// and the first fused sum), 2^-69.7 |S| each; five on the second (of b, z, z r, B z r and the
// series step), 2^-72.2 |S| each; the second fused sum and the low part's sum 2^-69.4 |S| each;
// the terms left out 2^-70.6 |S|; rl's terms (below 2^-20 |S|, rounded three times) and the rest
// of the tail (table rests, the product's error, all below 2^-26 |S|) about 2^-72 |S| together,
// and the table itself 2^-77.4 |S|. That is 2^-66.5 |S| in all, within kTrigKernelError with the
// rounding test's own 2^-69 (TrigKernel.WithAFusedMultiplyAddStaysBelowTheBound observes it).
[[gnu::always_inline]] inline DoubleDouble sinOfReducedFused(const TableTerms& t, double rh,
                                                             double rl) {
  const SmallSeries s = smallSeries<true>(rh);
  const double p = t.bHi * rh;
  const double productError = __builtin_fma(t.bHi, rh, -p);  // B r = p + productError exactly
  // |A| >= |B r| unless A is zero, and so |aHi| >= |p|: the sum is exact.
  const DoubleDouble lead = fastTwoSum(t.aHi, p);
  const double a = t.aHi + t.aLo, b = t.bHi + t.bLo;
  const double linear = (t.aLo + productError) + t.bLo * rh;
  const double withCos = __builtin_fma(a * s.z, s.cosOverZ, linear);
  const double withSin = __builtin_fma(b * s.zr, s.sinOverZr, withCos);
  const double rlFactor = __builtin_fma(b * s.z, s.cosOverZ, b - a * rh);
  return {lead.hi, withSin + __builtin_fma(rl, rlFactor, lead.lo)};
}

// sin(j pi/512 + r) for r = rh + rl as the reductions leave it, the variant fitting the processor
// the code is compiled for.
template <bool kFma = false>
[[gnu::always_inline]] inline DoubleDouble sinOfReduced(unsigned j, double rh, double rl) {
  if constexpr (kFma)
    return sinOfReducedFused(tableTermsFor(j), rh, rl);
  else
    return sinOfReduced(tableTermsFor(j), smallAngle(rh, rl));
}

}  // namespace orbisk::math
