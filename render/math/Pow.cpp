// pow(x, y) for x > 0 as exp(y log x). log x = e log 2 - log r + log1p(v) with x = 2^e m, r the
// table's reciprocal of the centre of m's interval and v = m r - 1 exact, |v| < 2^-7.8: the terms
// up to v^2/2 in double-double, the rest of the series in double. exp z = 2^(k/128) exp(s) with
// s = z - k log(2)/128, |s| <= log(2)/256: exp(s) - 1 = s + s^2/2 + ... in double, and only its
// product with the table value in double-double. The parts left in double bring errors that
// grow with y v^3 and s^2; the rounding test counts them with the rest (see resultError). The
// special cases of C99's Annex F, overflow and underflow are settled before, or instead of, the
// evaluation.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "render/math/AtanPowArithmetic.h"
#include "render/math/AtanPowPortable.h"
#include "render/math/AtanPowTables.h"
#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/SlowPaths.h"

namespace orbisk::math {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
// Limits on z = y log x. Beyond kOverflow the result exceeds DBL_MAX by more than half an ulp
// (log(DBL_MAX) = 709.7827); below kUnderflow it is less than half the smallest subnormal
// (log(2^-1075) = -745.1332). Between kLargest and kOverflow, and between kUnderflow and
// kSmallest (results near or below 2^-1022), the slow path decides.
constexpr double kOverflow = 709.79;
constexpr double kLargest = 709.0;
constexpr double kSmallest = -707.0;
constexpr double kUnderflow = -745.14;
// exp(z) rounds to 1 for |z| below this (half an ulp below 1 is 2^-54).
constexpr double kNegligible = 0x1p-60;

enum class Parity { kNotInteger, kEven, kOdd };

// For finite or infinite y; every double from 2^53 on is an even integer.
Parity parity(double y) {
  if (!(std::fabs(y) < 0x1p53)) return Parity::kEven;
  const auto k = static_cast<int64_t>(y);
  if (static_cast<double>(k) != y) return Parity::kNotInteger;
  return (k & 1) ? Parity::kOdd : Parity::kEven;
}

// log x for a finite x > 0, within |v|^3 2^-49 + |log x| 2^-87; cube is set to |v|^3.
template <bool kFma>
[[gnu::always_inline]] inline DoubleDouble logOf(double x, double& cube) {
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
  // exact, and the first product lies within 2^-7 of 1. Then v^2 exactly.
  const uint64_t lowBits = (uint64_t{1} << tables::kLogReciprocalBits) - 1;
  const double upper = fromBits(bitsOf(m) & ~lowBits);
  const DoubleDouble v = twoSum(upper * entry.reciprocal - 1, (m - upper) * entry.reciprocal);
  const double a = v.hi;
  const DoubleDouble a2 = dd::square<kFma>(a);
  cube = std::fabs(a2.hi * a);
  // v^3/3 - v^4/4 + ... + v^9/9 (the next term is below 2^-83 and below 2^-49 v^3), evaluated
  // in pairs to keep the chain of dependent operations short; and the low part of v over 1 + v
  const double a4 = a2.hi * a2.hi;
  const double beyondSquare = a2.hi * a *
                                  (((1.0 / 3 - a * (1.0 / 4)) + a2.hi * (1.0 / 5 - a * (1.0 / 6))) +
                                   a4 * ((1.0 / 7 - a * (1.0 / 8)) + a2.hi * (1.0 / 9))) +
                              v.lo * (1 - a);

  // e log 2 - log r + v - v^2/2: the product and the first sum are exact
  const double exponent = static_cast<double>(e + scale);
  const double base = exponent * tables::kLn2Hi + entry.minusLogOf.hi;
  const DoubleDouble s1 = fastTwoSum(a, -0.5 * a2.hi);  // |v| > v^2/2
  const DoubleDouble s2 = twoSum(base, s1.hi);
  const double low = (exponent * tables::kLn2Lo + entry.minusLogOf.lo) + s1.lo + s2.lo +
                     (-0.5 * a2.lo + beyondSquare);
  return fastTwoSum(s2.hi, low);
}

// exp(z) / 2^exponent for z in [kSmallest, kLargest]; square is set to s^2.
template <bool kFma>
[[gnu::always_inline]] inline DoubleDouble expOf(DoubleDouble z, int& exponent, double& square) {
  // k = z.hi 128 / log(2) rounded: adding 1.5 2^52 rounds to an integer, which then stands in the
  // low bits of the sum (|k| < 2^18)
  constexpr double kRound = 0x1.8p52;
  const double shifted = z.hi * tables::kStepsOverLn2 + kRound;
  const double kd = shifted - kRound;
  const auto k = static_cast<int32_t>(bitsOf(shifted));
  exponent = k >> tables::kExpStepBits;
  const int step = k & (tables::kExpSteps - 1);

  // s = z - k log(2)/128: the product with the first part is exact and so is its difference from
  // z.hi; the rest, below 2^-25, comes in one rounded sum (an error below 2^-77)
  const double a = z.hi - kd * tables::kLn2OverStepsHi;
  const DoubleDouble s =
      twoSum(a, (z.lo - kd * tables::kLn2OverStepsMid) - kd * tables::kLn2OverStepsLo);

  // exp(s) - 1 = s + s^2/2 + ... + s^6/720 (the next term is below 2^-54 s^2), in pairs
  const double h = s.hi;
  square = h * h;
  const double beyondS = square * ((0.5 + h * (1.0 / 6)) +
                                   square * ((1.0 / 24 + h * (1.0 / 120)) + square * (1.0 / 720)));
  const double rest = beyondS + s.lo * (1 + h);

  // 2^(k/128) (1 + h + rest): the product with h exact, the one with the rest (below 2^-17) not
  const DoubleDouble t = tables::kExp2OfStep[step];
  const DoubleDouble p = dd::product<kFma>(t.hi, h);
  const DoubleDouble r = fastTwoSum(t.hi, p.hi);
  return fastTwoSum(r.hi, r.lo + (p.lo + (t.hi * rest + t.lo * (1 + h))));
}

// A bound on the relative error of exp(y log x) as evaluated, from the sizes of the parts left
// in double: exp's roundings and z's low part, y times log's error, and the series of exp(s);
// each term is several times its analysed bound, and the largest error measured against MPFR
// over millions of arguments stays below a twentieth of the total.
double resultError(double y, double cubeOfV, double z, double squareOfS) {
  return 0x1p-74 + std::fabs(z) * 0x1p-84 + std::fabs(y) * cubeOfV * 0x1p-47 + squareOfS * 0x1p-47;
}

// x^y for x > 0 and an integer y from 3 to 127 whose exact result has at most 127 bits, by
// integer arithmetic: such results may lie exactly halfway between two doubles (17^13, 3^34),
// where no rounding test can decide. Gives up (false) otherwise, or for results outside the
// normal range.
bool exactIntegerPower(double x, double y, double sign, double& out) {
#if defined(__SIZEOF_INT128__)
  if (!(y >= 3 && y <= 127)) return false;
  const int n = static_cast<int>(y);
  if (n != y) return false;
  int e;
  const double fraction = std::frexp(x, &e);  // x = fraction 2^e, fraction in [0.5, 1)
  auto odd = static_cast<uint64_t>(std::ldexp(fraction, 53));
  e -= 53;
  const int zeros = std::countr_zero(odd);
  odd >>= zeros;
  e += zeros;
  if (std::bit_width(odd) * n > 127) return false;
  unsigned __int128 power = 1;
  for (int i = 0; i < n; ++i) power *= odd;

  // round power to 53 bits, ties to even
  const int length = 128 - (static_cast<uint64_t>(power >> 64) != 0
                                ? std::countl_zero(static_cast<uint64_t>(power >> 64))
                                : 64 + std::countl_zero(static_cast<uint64_t>(power)));
  const int drop = std::max(0, length - 53);
  uint64_t kept = static_cast<uint64_t>(power >> drop);
  if (drop > 0) {
    const unsigned __int128 rest = power & ((static_cast<unsigned __int128>(1) << drop) - 1);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (drop - 1);
    if (rest > half || (rest == half && (kept & 1))) ++kept;
  }
  const int64_t scale = static_cast<int64_t>(e) * n + drop;
  const int top = std::bit_width(kept) - 1 + static_cast<int>(scale);  // kept has at most 54 bits
  if (top < -1022 || top > 1023) return false;
  out = sign * std::ldexp(static_cast<double>(kept), static_cast<int>(scale));
  return true;
#else
  (void)x, (void)y, (void)sign, (void)out;
  return false;
#endif
}

// |x|^y for a finite |x| > 0 other than 1 and a finite y other than 0, with the sign given.
template <bool kFma>
[[gnu::always_inline]] inline bool positivePow(double x, double y, double sign, double& out) {
  double cubeOfV;
  const DoubleDouble l = logOf<kFma>(x, cubeOfV);
  const double zApprox = y * l.hi;
  if (!(zApprox <= kOverflow)) {
    out = sign * kInf;
    return true;
  }
  if (zApprox < kUnderflow) {
    out = sign * 0.0;
    return true;
  }
  if (std::fabs(zApprox) < kNegligible) {
    out = sign;
    return true;
  }
  if (zApprox > kLargest || zApprox < kSmallest) return false;

  const DoubleDouble yl = dd::product<kFma>(y, l.hi);
  const DoubleDouble z = fastTwoSum(yl.hi, yl.lo + y * l.lo);
  int exponent;
  double squareOfS;
  const DoubleDouble r = expOf<kFma>(z, exponent, squareOfS);
  const double err = r.hi * resultError(y, cubeOfV, z.hi, squareOfS);
  double rounded;
  if (!roundsTo(r.hi, r.lo, err, rounded)) return exactIntegerPower(x, y, sign, out);
  out = sign * rounded * powerOfTwo(exponent);
  return true;
}

template <bool kFma>
[[gnu::always_inline]] inline bool powFast(double x, double y, double& out) {
  // The common case first: a positive finite base other than 1 and a finite exponent other than
  // 0, 1, -1 and 2.
  constexpr double kMax = std::numeric_limits<double>::max();
  if (x > 0 && x <= kMax && x != 1 && std::fabs(y) <= kMax && y != 0 && y != 1 && y != -1 && y != 2)
    return positivePow<kFma>(x, y, 1, out);

  // IEEE arithmetic rounds these once, as pow must, special cases included.
  if (y == 2) {
    out = x * x;
    return true;
  }
  if (y == 1) {
    out = x;
    return true;
  }
  if (y == -1) {
    out = 1 / x;
    return true;
  }
  if (y == 0 || x == 1) {
    out = 1;
    return true;
  }
  if (std::isnan(x) || std::isnan(y)) {
    out = x + y;
    return true;
  }
  const double ax = std::fabs(x);
  const Parity kind = parity(y);
  if (std::isinf(y)) {
    out = ax == 1 ? 1 : (ax < 1) == (y < 0) ? kInf : 0;
    return true;
  }
  if (ax == 0 || std::isinf(ax)) {
    const double magnitude = (ax == 0) == (y < 0) ? kInf : 0;
    out = kind == Parity::kOdd ? std::copysign(magnitude, x) : magnitude;
    return true;
  }
  double sign = 1;
  if (x < 0) {
    if (kind == Parity::kNotInteger) {
      out = std::numeric_limits<double>::quiet_NaN();
      return true;
    }
    if (kind == Parity::kOdd) sign = -1;
  }
  return positivePow<kFma>(ax, y, sign, out);
}

#if ORBISK_MATH_FMA_AT_RUN_TIME
[[gnu::target("fma")]] bool powWithFma(double x, double y, double& out) {
  return powFast<true>(x, y, out);
}
#endif

}  // namespace

bool fast::pow(double x, double y, double& out) {
#if ORBISK_MATH_FMA_AT_RUN_TIME
  if (dd::kProcessorHasFma) return powWithFma(x, y, out);
#endif
  return powFast<false>(x, y, out);
}

bool portable::pow(double x, double y, double& out) {
  return powFast<false>(x, y, out);
}

double pow(double x, double y) {
  double r;
  return fast::pow(x, y, r) ? r : slow::pow(x, y);
}

}  // namespace orbisk::math
