// atan in double-double. For 1/128 <= |x| <= 1, the nearest step c = i/64 gives
// atan|x| = atan(c) + atan(t), t = (|x| - c) / (1 + c|x|); for |x| > 1, with c a step within
// 3/256 of 1/|x| (from a table), atan|x| = (pi/2 - atan(c)) - atan(t), t = (1 - c|x|) / (|x| + c).
// Either way |t| <= 3/256 and the table term is at least 1/64 (or 0 with t = |x| = 1/128), so t
// is needed in double-double but its odd series beyond t only in double: that part's error,
// below |t|^3 2^-49.7, is counted in the rounding test with the rest (2^-100 relative). Below
// 1/128 the series alone, in double-double, gives atan x. Where the rounding test fails, a
// second evaluation in double-double (AtanAccurate.h) decides before the multiprecision path.
#include <cmath>
#include <cstdint>

#include "render/math/AtanAccurate.h"
#include "render/math/AtanPowArithmetic.h"
#include "render/math/AtanPowPortable.h"
#include "render/math/AtanPowTables.h"
#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/SlowPaths.h"

namespace orbisk::math {

namespace {

constexpr double kRelativeError = 0x1p-80;  // the double-double roundings, 2^20 times over
constexpr double kCubicError = 0x1p-47;     // times |t|^3: the series beyond t, 6 times over
constexpr double kSeriesError = 0x1p-72;    // the series alone, in double-double (2^-80)
// Below this, atan(x) = x - x^3/3 + ... lies within a quarter ulp of x even for a power of two.
constexpr double kTiny = 0x1p-27;
// From here on, pi/2 - atan(|x|) < 1/|x| is below half an ulp of pi/2, and pi/2 lies 0.28 ulp
// above its double: every such x rounds to that double.
constexpr double kHuge = 0x1p53;
constexpr double kHalfPiRounded = 0x1.921fb54442d18p+0;
constexpr double kStep = 1.0 / tables::kAtanSteps;

// atan(t) - t = -t^3/3 + t^5/5 - ... - t^11/11 for |t| <= 3/256 (the next term is below 2^-87);
// Horner's steps fused when kFma (fewer roundings, and half the chain).
template <bool kFma>
[[gnu::always_inline]] inline double seriesBeyondT(double t) {
  const double s = t * t;
  double p = dd::mulAdd<kFma>(s, -1.0 / 11, 1.0 / 9);
  p = dd::mulAdd<kFma>(s, p, -1.0 / 7);
  p = dd::mulAdd<kFma>(s, p, 1.0 / 5);
  p = dd::mulAdd<kFma>(s, p, -1.0 / 3);
  return t * s * p;
}

// atan(x) for 2^-27 <= x < 1/128 in double-double: the t^3/3 term, 2^-15 of the result, in
// double-double too.
DoubleDouble smallAtan(double x) {
  const DoubleDouble x2 = twoProduct(x, x);
  const double s = x2.hi;
  const double rest = s * (1.0 / 5 + s * (-1.0 / 7 + s * (1.0 / 9 - s * (1.0 / 11))));
  const DoubleDouble coefficient = dd::add(rest, {-tables::kThird.hi, -tables::kThird.lo});
  return dd::add(x, dd::mul(dd::mul(x2, x), coefficient));
}

// The second try, out of line so that it costs the common case nothing.
[[gnu::noinline, gnu::cold]] bool atanAccurately(double x, double& out) {
  const DoubleDouble r = accurateAtanOf(std::fabs(x));
  double rounded;
  if (!roundsTo(r.hi, r.lo, r.hi * kAtanAccurateError, rounded)) return false;
  out = std::copysign(rounded, x);
  return true;
}

template <bool kFma>
[[gnu::always_inline]] inline bool atanFast(double x, double& out) {
  const double ax = std::fabs(x);
  if (!(ax >= kTiny)) {  // also NaN
    out = ax < kTiny ? x : x + x;
    return true;
  }
  if (ax >= kHuge) {
    out = std::copysign(kHalfPiRounded, x);
    return true;
  }

  DoubleDouble r;
  double err;
  if (ax < kStep / 2) {
    r = smallAtan(ax);
    err = r.hi * kSeriesError;
  } else {
    DoubleDouble numerator, denominator;
    const DoubleDouble* base;
    if (ax <= 1) {
      // the nearest step: adding 1.5 2^52 rounds 64|x| to an integer, which stands in the low
      // bits of the sum (no conversion on the way to c; a tie may go to the even step, 0 at
      // |x| = 1/128, which is as good)
      constexpr double kRound = 0x1.8p52;
      double shifted, c;
      if constexpr (kFma) {
        // the same values, each in one fused operation: 64|x| is exact, and so is c = i/64
        shifted = __builtin_fma(ax, tables::kAtanSteps, kRound);
        c = __builtin_fma(shifted, kStep, -kRound * kStep);
      } else {
        shifted = ax * tables::kAtanSteps + kRound;
        c = (shifted - kRound) * kStep;
      }
      const auto step = static_cast<int>(bitsOf(shifted) & 0x7f);
      numerator = {ax - c, 0};  // exact: c lies within 1/128 of ax
      if constexpr (kFma) {
        // 1 + c|x| in one rounding, and its error exactly: the sum lies in [1, 2], so 1 minus it
        // is exact, and the error, at most 2^-53, is a multiple of 2^-65 (c is a multiple of
        // 2^-6, |x| >= 2^-7 one of 2^-59), so a double
        denominator.hi = __builtin_fma(c, ax, 1);
        denominator.lo = __builtin_fma(c, ax, 1 - denominator.hi);
      } else {
        const DoubleDouble cx = dd::product<false>(c, ax);
        denominator = fastTwoSum(1, cx.hi);
        denominator.lo += cx.lo;
      }
      base = &tables::kAtanOfStep[step];
    } else {
      // the step nearest 1/|x| from a table, sparing a division; 0 from |x| = 128 on
      const uint64_t interval = (bitsOf(ax) - bitsOf(1.0)) >> (52 - tables::kReciprocalStepBits);
      const int step =
          interval < tables::kReciprocalStepIntervals ? tables::kReciprocalStep[interval] : 0;
      const double c = step * kStep;
      const DoubleDouble cx = dd::product<kFma>(c, ax);
      // -(1 - c|x|): cx.hi lies in [1/2, 2] or is 0, so cx.hi - 1 is exact and zero or at least
      // as large as cx.lo; and |x| > c
      const double difference = cx.hi - 1;
      if constexpr (kFma) {
        // the same sum, its rounded value in one fused operation (c|x| - 1 rounded), so that
        // the division need not wait for the product and two sums
        numerator.hi = __builtin_fma(c, ax, -1);
        numerator.lo = cx.lo - (numerator.hi - difference);
      } else {
        numerator = fastTwoSum(difference, cx.lo);
      }
      denominator = fastTwoSum(ax, c);
      base = &tables::kHalfPiMinusAtanOfStep[step];
    }
    // t = numerator / denominator: a quotient in double, then its exact remainder divided (by
    // the inverse, computed beside the quotient, not before it)
    const double t = numerator.hi / denominator.hi;
    const double inverse = 1 / denominator.hi;
    const DoubleDouble back = dd::product<kFma>(t, denominator.hi);
    const double remainder =
        ((numerator.hi - back.hi) - back.lo) + (numerator.lo - t * denominator.lo);
    const DoubleDouble sum = fastTwoSum(base->hi, t);
    r = fastTwoSum(sum.hi, sum.lo + (base->lo + remainder * inverse + seriesBeyondT<kFma>(t)));
    err = r.hi * kRelativeError + std::fabs(t * t * t) * kCubicError;
  }

  double rounded;
  if (!roundsTo(r.hi, r.lo, err, rounded)) [[unlikely]]
    return atanAccurately(x, out);
  out = std::copysign(rounded, x);
  return true;
}

// The whole function, fast path inlined, so that the renderer's calls reach it directly.
template <bool kFma>
[[gnu::always_inline]] inline double atanWhole(double x) {
  double r;
  if (atanFast<kFma>(x, r)) [[likely]]
    return r;
  return slow::atan(x);
}

#if ORBISK_MATH_FMA_AT_RUN_TIME
[[gnu::target("fma")]] bool atanWithFma(double x, double& out) {
  return atanFast<true>(x, out);
}
[[gnu::target("fma")]] double atanWholeWithFma(double x) {
  return atanWhole<true>(x);
}
#endif

}  // namespace

bool fast::atan(double x, double& out) {
#if ORBISK_MATH_FMA_AT_RUN_TIME
  if (dd::kProcessorHasFma) return atanWithFma(x, out);
#endif
  return atanFast<false>(x, out);
}

bool portable::atan(double x, double& out) {
  return atanFast<false>(x, out);
}

double atan(double x) {
#if ORBISK_MATH_FMA_AT_RUN_TIME
  if (dd::kProcessorHasFma) return atanWholeWithFma(x);
#endif
  return atanWhole<false>(x);
}

}  // namespace orbisk::math
