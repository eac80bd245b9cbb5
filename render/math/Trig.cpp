// sin, cos and tan: the argument is reduced by pi/512 (TrigReduction.h), tables at multiples of
// pi/512 and short series give the result to within 2^-66 (TrigKernel.h, TanKernel.h, each in a
// variant for processors with fused multiply-adds and one for the others), and it is returned
// when every value within the error bound rounds to the same double; when it is not, sin, cos
// and tan try again to about 2^-76 (TrigAccurate.h).
#include <cmath>
#include <cstdint>
#include <limits>

#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/SlowPaths.h"
#include "render/math/TanKernel.h"
#include "render/math/TrigAccurate.h"
#include "render/math/TrigKernel.h"
#include "render/math/TrigReduction.h"

namespace orbisk::math {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Below these, sin x and tan x round to x and cos x to 1: sin x = x (1 - d) with d < x^2/6, tan
// x = x (1 + d) with d < x^2/3 (1 + x^2), cos x = 1 - d with d < x^2/2, and each d stays below
// 2^-54, half the relative spacing of doubles next to the result. Subnormal x included.
constexpr double kSinIsX = 0x1p-26;
constexpr double kTanIsX = 0x1p-27;
constexpr double kCosIsOne = 0x1p-27;

// The precise reduction fills a separate value, so that the quick one's stays in registers.
template <bool kFma>
[[gnu::always_inline]] inline bool reduce(double x, ReducedAngle& a) {
  if (std::fabs(x) < kQuickReductionLimit && reduceQuick<kFma>(x, a)) [[likely]]
    return true;
  ReducedAngle precise;
  if (!reducePrecise(x, precise)) return false;
  a = precise;
  return true;
}

// The accurate kernels for the quick ones' declines, out of line so that it costs the common
// case nothing. They take the reduced angle's parts as values, so that the fast path can keep
// it in registers.
[[gnu::noinline, gnu::cold]] bool sinOrCosAccurately(unsigned j, double rh, double rl, double err,
                                                     double& out) {
  const DoubleDouble v = accurateSinOfReduced(j, rh, rl);
  return roundsTo(v.hi, v.lo, std::fabs(v.hi) * kTrigAccurateError + err, out);
}

[[gnu::noinline, gnu::cold]] bool tanAccurately(unsigned j, double rh, double rl, double err,
                                                double& out) {
  const DoubleDouble q = accurateTanOfReduced(j, rh, rl);
  return roundsTo(q.hi, q.lo, std::fabs(q.hi) * kTanAccurateError + err * (1 + q.hi * q.hi), out);
}

// sin x, or with quarterTurns 1 cos x = sin(x + pi/2); the reduction's error counts at slope at
// most 1.
template <bool kFma>
[[gnu::always_inline]] inline bool sinOrCos(const ReducedAngle& a, unsigned quarterTurns,
                                            double& out) {
  const unsigned j = a.j + 256 * quarterTurns;
  const DoubleDouble v = sinOfReduced<kFma>(j, a.hi, a.lo);
  if (roundsTo(v.hi, v.lo, std::fabs(v.hi) * kTrigKernelError + a.err, out)) [[likely]]
    return true;
  return sinOrCosAccurately(j, a.hi, a.lo, a.err, out);
}

// |x|'s bit pattern: those of non-negative doubles are ordered as their values, infinity and
// NaN above every finite one.
[[gnu::always_inline]] inline uint64_t magnitudeBits(double x) {
  return bitsOf(x) & ~(uint64_t{1} << 63);
}

// Whether |x| lies in [low, kQuickReductionLimit), in one comparison.
[[gnu::always_inline]] inline bool inQuickRange(uint64_t magnitude, double low) {
  return magnitude - bitsOf(low) < bitsOf(kQuickReductionLimit) - bitsOf(low);
}

// Whether x is infinite or NaN.
[[gnu::always_inline]] inline bool notFinite(uint64_t magnitude) {
  return magnitude >= bitsOf(kInfinity);
}

// sin x, or with quarterTurns 1 cos x, for |x| beyond the quick reduction's range or where it
// declines.
[[gnu::noinline]] bool sinOrCosOfLarge(double x, unsigned quarterTurns, double& out) {
  ReducedAngle a;
  return reduce<false>(x, a) && sinOrCos<false>(a, quarterTurns, out);
}

template <bool kFma>
[[gnu::always_inline]] inline bool tanOfQuick(const ReducedAngle& a, double& out) {
  const DoubleDouble q = tanOfReduced<kFma>(a.j, a.hi, a.lo);
  // The reduction error is amplified by the slope 1 + tan^2.
  const double err = std::fabs(q.hi) * kTanKernelError + a.err * (1 + q.hi * q.hi);
  if (roundsTo(q.hi, q.lo, err, out)) [[likely]]
    return true;
  return tanAccurately(a.j, a.hi, a.lo, a.err, out);
}

[[gnu::noinline]] bool tanOfLarge(double x, double& out) {
  ReducedAngle a;
  return reduce<false>(x, a) && tanOfQuick<false>(a, out);
}

// Finite x past the quick range: tiny arguments answered at once, the large ones reduced
// precisely. Out of line, so that the fast path holds one comparison for the common case.
[[gnu::noinline]] bool sinOutsideQuickRange(double x, double& out) {
  const double ax = std::fabs(x);
  if (ax < kSinIsX) {
    out = x;
    return true;
  }
  return sinOrCosOfLarge(x, 0, out);
}

[[gnu::noinline]] bool cosOutsideQuickRange(double x, double& out) {
  const double ax = std::fabs(x);
  if (ax < kCosIsOne) {
    out = 1;
    return true;
  }
  return sinOrCosOfLarge(x, 1, out);
}

[[gnu::noinline]] bool tanOutsideQuickRange(double x, double& out) {
  const double ax = std::fabs(x);
  if (ax < kTanIsX) {
    out = x;
    return true;
  }
  return tanOfLarge(x, out);
}

template <bool kFma>
[[gnu::always_inline]] inline bool sinFast(double x, double& out) {
  const uint64_t magnitude = magnitudeBits(x);
  ReducedAngle a;
  if (inQuickRange(magnitude, kSinIsX) && reduceQuick<kFma>(x, a)) [[likely]]
    return sinOrCos<kFma>(a, 0, out);
  if (notFinite(magnitude)) {  // frequent in orbits that escape
    out = x - x;               // NaN for NaN and both infinities
    return true;
  }
  return sinOutsideQuickRange(x, out);
}

template <bool kFma>
[[gnu::always_inline]] inline bool cosFast(double x, double& out) {
  const uint64_t magnitude = magnitudeBits(x);
  ReducedAngle a;
  if (inQuickRange(magnitude, kCosIsOne) && reduceQuick<kFma>(x, a)) [[likely]]
    return sinOrCos<kFma>(a, 1, out);
  if (notFinite(magnitude)) {  // frequent in orbits that escape
    out = x - x;               // NaN for NaN and both infinities
    return true;
  }
  return cosOutsideQuickRange(x, out);
}

template <bool kFma>
[[gnu::always_inline]] inline bool tanFast(double x, double& out) {
  const uint64_t magnitude = magnitudeBits(x);
  ReducedAngle a;
  if (inQuickRange(magnitude, kTanIsX) && reduceQuick<kFma>(x, a)) [[likely]]
    return tanOfQuick<kFma>(a, out);
  if (notFinite(magnitude)) {  // frequent in orbits that escape
    out = x - x;               // NaN for NaN and both infinities
    return true;
  }
  return tanOutsideQuickRange(x, out);
}

// Each function whole: its fast path inlined, the multiprecision path behind it.
template <bool kFma>
[[gnu::always_inline]] inline double sinWhole(double x) {
  double r;
  if (sinFast<kFma>(x, r)) [[likely]]
    return r;
  return slow::sin(x);
}

template <bool kFma>
[[gnu::always_inline]] inline double cosWhole(double x) {
  double r;
  if (cosFast<kFma>(x, r)) [[likely]]
    return r;
  return slow::cos(x);
}

template <bool kFma>
[[gnu::always_inline]] inline double tanWhole(double x) {
  double r;
  if (tanFast<kFma>(x, r)) [[likely]]
    return r;
  return slow::tan(x);
}

// The kernels are shorter with fused multiply-adds; on x86-64 builds for processors that may
// lack them, the processor chooses the variant once (both give the same results). The fused
// variants are whole functions, so that the renderer's call reaches one with a single jump.
#if ORBISK_MATH_FMA_AT_RUN_TIME
[[gnu::target("fma")]] bool sinFastWithFma(double x, double& out) {
  return sinFast<true>(x, out);
}
[[gnu::target("fma")]] bool cosFastWithFma(double x, double& out) {
  return cosFast<true>(x, out);
}
[[gnu::target("fma")]] bool tanFastWithFma(double x, double& out) {
  return tanFast<true>(x, out);
}
[[gnu::target("fma")]] double sinWholeWithFma(double x) {
  return sinWhole<true>(x);
}
[[gnu::target("fma")]] double cosWholeWithFma(double x) {
  return cosWhole<true>(x);
}
[[gnu::target("fma")]] double tanWholeWithFma(double x) {
  return tanWhole<true>(x);
}
#define ORBISK_ON_THIS_PROCESSOR(function, ...) \
  (dd::kProcessorHasFma ? function##WithFma(__VA_ARGS__) : function<false>(__VA_ARGS__))
#elif defined(__FMA__) || defined(__aarch64__)
#define ORBISK_ON_THIS_PROCESSOR(function, ...) function<true>(__VA_ARGS__)
#else
#define ORBISK_ON_THIS_PROCESSOR(function, ...) function<false>(__VA_ARGS__)
#endif

}  // namespace

bool fast::sin(double x, double& out) {
  return ORBISK_ON_THIS_PROCESSOR(sinFast, x, out);
}

bool fast::cos(double x, double& out) {
  return ORBISK_ON_THIS_PROCESSOR(cosFast, x, out);
}

bool fast::tan(double x, double& out) {
  return ORBISK_ON_THIS_PROCESSOR(tanFast, x, out);
}

bool fast::withoutFma::sin(double x, double& out) {
  return sinFast<false>(x, out);
}

bool fast::withoutFma::cos(double x, double& out) {
  return cosFast<false>(x, out);
}

bool fast::withoutFma::tan(double x, double& out) {
  return tanFast<false>(x, out);
}

// The fast paths are inlined here too, so that the renderer's calls reach them directly and
// their results stay in registers.
double sin(double x) {
  return ORBISK_ON_THIS_PROCESSOR(sinWhole, x);
}

double cos(double x) {
  return ORBISK_ON_THIS_PROCESSOR(cosWhole, x);
}

double tan(double x) {
  return ORBISK_ON_THIS_PROCESSOR(tanWhole, x);
}

}  // namespace orbisk::math
