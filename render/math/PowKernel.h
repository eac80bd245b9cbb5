// The quick evaluation of x^y = exp(y log x) for x > 0 and its error bound.
//
// log x = e log 2 - log r + log1p(v) with x = 2^e m, r the table's reciprocal of the centre of
// m's interval and v = m r - 1 exact, |v| < 2^-7.9: the terms up to v^2/2 in double-double, the
// rest of the series in double. exp z = 2^(k/128) exp(s) with s = z - k log(2)/128,
// |s| <= log(2)/256: exp(s) - 1 = s + s^2/2 + ... in double, and only its product with the
// table value in double-double. The parts left in double bring errors that grow with y v^3 and
// s^2; quickPowError counts them with the rest.
#pragma once

#include <cmath>
#include <cstdint>

#include "render/math/AtanPowArithmetic.h"
#include "render/math/AtanPowTables.h"
#include "render/math/DoubleDouble.h"

namespace orbisk::math {

// The parts of x = 2^e m that log needs, for a finite x > 0.
struct LogArgument {
  DoubleDouble v;                 // m r - 1, exactly
  double exponent = 0;            // e
  const tables::LogEntry* entry;  // r and -log r
};

template <bool kFma = false>
[[gnu::always_inline]] inline LogArgument splitForLog(double x) {
  uint64_t bits = bitsOf(x);
  int64_t scale = 0;
  if (bits < (uint64_t{1} << 52)) {  // subnormal: made normal exactly
    bits = bitsOf(x * 0x1p52);
    scale = -52;
  }
  const uint64_t offset = bits - tables::kLogOffset;
  const int interval =
      static_cast<int>((offset >> (52 - tables::kLogIntervalBits)) & (tables::kLogIntervals - 1));
  const int64_t e = static_cast<int64_t>(offset) >> 52;
  const double m = fromBits(bits - (static_cast<uint64_t>(e) << 52));
  const tables::LogEntry& entry = tables::kLog[interval];
  // v = m r - 1 exactly: m splits into its upper 41 bits and the rest, whose products with r are
  // exact, and the first product lies within 2^-7 of 1.
  const uint64_t lowBits = (uint64_t{1} << tables::kLogReciprocalBits) - 1;
  const double upper = fromBits(bitsOf(m) & ~lowBits);
  return {twoSum(dd::mulAdd<kFma>(upper, entry.reciprocal, -1), (m - upper) * entry.reciprocal),
          static_cast<double>(e + scale), &entry};
}

// log x for a finite x > 0; cube is set to |v|^3 (rounded). Its error is below
// |v|^3 2^-50 + |log x| 2^-88: the series beyond v^2 in double (its truncation after v^9 below
// 2^-58 |v|^3, its roundings and the use of v.hi for v below 2^-51 |v|^3), and the tables
// (-log r and log 2 to about 2^-97, times |e| for log 2; when they are used |log x| > 2^-9).
template <bool kFma>
[[gnu::always_inline]] inline DoubleDouble logOf(double x, double& cube) {
  const LogArgument arg = splitForLog<kFma>(x);
  const DoubleDouble v = arg.v;
  const double a = v.hi;
  const DoubleDouble a2 = dd::square<kFma>(a);  // exact
  cube = std::fabs(a2.hi * a);
  // v^3/3 - v^4/4 + ... + v^9/9, evaluated in pairs to keep the chain of dependent operations
  // short (each product and sum fused when kFma); and the low part of v over 1 + v
  const double a4 = a2.hi * a2.hi;
  const double pair12 = dd::mulAdd<kFma>(a2.hi, dd::mulAdd<kFma>(a, -1.0 / 6, 1.0 / 5),
                                         dd::mulAdd<kFma>(a, -1.0 / 4, 1.0 / 3));
  const double pair34 = dd::mulAdd<kFma>(a2.hi, 1.0 / 9, dd::mulAdd<kFma>(a, -1.0 / 8, 1.0 / 7));
  const double beyondSquare =
      dd::mulAdd<kFma>(a2.hi * a, dd::mulAdd<kFma>(a4, pair34, pair12), v.lo * (1 - a));

  // e log 2 - log r + v - v^2/2: the product and the first sum are exact
  const double base = dd::mulAdd<kFma>(arg.exponent, tables::kLn2Hi, arg.entry->minusLogOf.hi);
  // |v| > v^2/2; and base is 0 (the interval around 1) or larger than |v| (the centres of the
  // other intervals lie more than 2^-7.6 from 1, while |v| < 2^-7.9)
  const DoubleDouble s1 = fastTwoSum(a, -0.5 * a2.hi);
  const DoubleDouble s2 = fastTwoSum(base, s1.hi);
  const double low = dd::mulAdd<kFma>(arg.exponent, tables::kLn2Lo, arg.entry->minusLogOf.lo) +
                     s1.lo + s2.lo + (-0.5 * a2.lo + beyondSquare);
  return fastTwoSum(s2.hi, low);
}

// y log x as a double-double, within 2^-104 |y log x| of y (l.hi + l.lo).
template <bool kFma>
[[gnu::always_inline]] inline DoubleDouble timesLog(double y, DoubleDouble l) {
  const DoubleDouble yl = dd::product<kFma>(y, l.hi);
  return fastTwoSum(yl.hi, dd::mulAdd<kFma>(y, l.lo, yl.lo));
}

// z = k log(2)/128 + s: k = z.hi 128 / log(2) rounded (adding 1.5 2^52 rounds to an integer,
// which then stands in the low bits of the sum, |k| < 2^18), and s within 2^-86 |z| of the exact
// rest (exact when k = 0): the product of k with the first part of log(2)/128 is exact and so is
// its difference from z.hi; the rest, below 2^-25, comes in one rounded sum of terms below
// 2^-35 |z|.
struct ExpArgument {
  DoubleDouble s;    // the rest, |s| <= log(2)/256 and a hair
  int exponent = 0;  // k / 128 rounded down
  int step = 0;      // k mod 128
};

template <bool kFma = false>
[[gnu::always_inline]] inline ExpArgument splitForExp(DoubleDouble z) {
  constexpr double kRound = 0x1.8p52;
  // fused, k is z.hi 128 / log(2) rounded once; either way |s| stays within a hair of log(2)/256
  const double shifted = dd::mulAdd<kFma>(z.hi, tables::kStepsOverLn2, kRound);
  const double kd = shifted - kRound;
  const auto k = static_cast<int32_t>(bitsOf(shifted));
  const double a = dd::mulAdd<kFma>(kd, -tables::kLn2OverStepsHi, z.hi);
  return {twoSum(a, dd::mulAdd<kFma>(kd, -tables::kLn2OverStepsLo,
                                     dd::mulAdd<kFma>(kd, -tables::kLn2OverStepsMid, z.lo))),
          k >> tables::kExpStepBits, k & (tables::kExpSteps - 1)};
}

// exp(z) / 2^exponent for z in [kSmallest, kLargest] (Pow.cpp); square is set to s^2. Its error
// relative to exp(s) 2^(step/128) is below 2^-50.5 s^2 + 2^-102: the series after s^6/720 (below
// 2^-54.8 s^2), the roundings of the series beyond s (about six roundings of s^2/2, with the
// sum with s.lo and the product with the table value), and the double-double sums at the end.
template <bool kFma>
[[gnu::always_inline]] inline DoubleDouble expOf(DoubleDouble z, int& exponent, double& square) {
  const ExpArgument arg = splitForExp<kFma>(z);
  exponent = arg.exponent;
  const DoubleDouble s = arg.s;
  // exp(s) - 1 = s + s^2/2 + ... + s^6/720, in pairs (fused when kFma)
  const double h = s.hi;
  square = h * h;
  const double upper =
      dd::mulAdd<kFma>(square, 1.0 / 720, dd::mulAdd<kFma>(h, 1.0 / 120, 1.0 / 24));
  const double rest = dd::mulAdd<kFma>(
      square, dd::mulAdd<kFma>(square, upper, dd::mulAdd<kFma>(h, 1.0 / 6, 0.5)), s.lo * (1 + h));

  // 2^(k/128) (1 + h + rest): the product with h exact, the one with the rest (below 2^-17) not
  const DoubleDouble t = tables::kExp2OfStep[arg.step];
  const DoubleDouble p = dd::product<kFma>(t.hi, h);
  const DoubleDouble r = fastTwoSum(t.hi, p.hi);
  return fastTwoSum(r.hi, r.lo + (p.lo + dd::mulAdd<kFma>(t.hi, rest, t.lo * (1 + h))));
}

// A bound on the relative error of expOf(timesLog(y, logOf(x))) against x^y / 2^exponent, with
// z = y log x (|z| <= 709):
// - y times log's error: |y| |v|^3 2^-50 + |z| 2^-88;
// - z's own roundings, 2^-104 |z|, and s's, 2^-86 |z|: an error d in z is one of d in exp z;
// - exp's own: 2^-50.5 s^2 + 2^-102.
// Each coefficient is rounded up to a power of two at least twice its analysed value, so that
// the bound also covers its own rounding and the product with the result (Pow.cpp). Measured
// against MPFR where each term is largest (tests/render/math/PowKernelTest.cpp), the largest
// errors reach about 1/16 of the y v^3 term, 1/8 of the s^2 term and 1/20 of the |z| term.
[[gnu::always_inline]] inline double quickPowError(double y, double cubeOfV, double z,
                                                   double squareOfS) {
  return (std::fabs(y) * cubeOfV + squareOfS) * 0x1p-49 + (std::fabs(z) * 0x1p-84 + 0x1p-100);
}

}  // namespace orbisk::math
