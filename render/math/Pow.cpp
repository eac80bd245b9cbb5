// pow(x, y): C99's special cases (Annex F), overflow and underflow are settled before, or
// instead of, the evaluation; the rest is exp(y log x) for |x|, evaluated quickly
// (PowKernel.h) and, where the rounding test cannot decide, again more accurately
// (PowAccurate.h). Exact results that lie on a rounding boundary are rounded by integer
// arithmetic; whatever is left goes to the multiprecision path.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "render/math/AtanPowArithmetic.h"
#include "render/math/AtanPowPortable.h"
#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/PowAccurate.h"
#include "render/math/PowKernel.h"
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

// The second try for |x|^y, out of line so that it costs the common case nothing; false leaves
// the result to the exact and multiprecision paths.
[[gnu::noinline, gnu::cold]] bool accuratePow(double ax, double y, double sign, double& out) {
  const DoubleDouble z = timesLog<false>(y, accurateLogOf(ax));
  int exponent;
  const DoubleDouble r = accurateExpOf(z, exponent);
  double rounded;
  if (!roundsTo(r.hi, r.lo, r.hi * accuratePowError(z.hi), rounded)) return false;
  out = sign * rounded * powerOfTwo(exponent);
  return true;
}

// |x|^y where z = y log|x| is approximately zApprox outside [kSmallest, kLargest] or negligible:
// an overflow, an underflow, 1, or (false) a result the slow path must round.
[[gnu::noinline]] bool powOutsideRange(double zApprox, double sign, double& out) {
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
  return false;
}

// |x|^y for a finite |x| > 0 and a finite y, with the sign given; false when neither evaluation
// can round the result.
template <bool kFma>
[[gnu::always_inline]] inline bool positivePow(double ax, double y, double sign, double& out) {
  double cubeOfV;
  const DoubleDouble l = logOf<kFma>(ax, cubeOfV);
  const double zApprox = y * l.hi;
  // A negligible z (x = 1 or y = 0 among them) gives 1 at once: there the exact products the
  // evaluation relies on may fail (y beyond 2^995, y log x next to the subnormal range).
  if (!(zApprox >= kSmallest && zApprox <= kLargest && std::fabs(zApprox) >= kNegligible))
      [[unlikely]]
    return powOutsideRange(zApprox, sign, out);
  const DoubleDouble z = timesLog<kFma>(y, l);
  int exponent;
  double squareOfS;
  const DoubleDouble r = expOf<kFma>(z, exponent, squareOfS);
  const double err = r.hi * quickPowError(y, cubeOfV, z.hi, squareOfS);
  double rounded;
  if (roundsTo(r.hi, r.lo, err, rounded)) [[likely]] {
    out = sign * rounded * powerOfTwo(exponent);
    return true;
  }
  return accuratePow(ax, y, sign, out);
}

// x^y where the evaluations declined: y = 2, 1 and -1 as IEEE arithmetic rounds them (once, as
// pow must), and integer powers by exact arithmetic; false leaves it to the slow path.
[[gnu::noinline, gnu::cold]] bool exactPow(double x, double y, double sign, double& out) {
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
  return exactIntegerPower(std::fabs(x), y, sign, out);
}

// Everything but a positive finite base with a finite exponent: Annex F's special cases, and a
// negative finite base with an integer exponent, evaluated as processors without a fused
// multiply-add do (out of line, this code is not compiled for those that have one; the results
// are the same).
[[gnu::noinline]] bool powOfSpecial(double x, double y, double& out) {
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
  // x < 0 and finite
  if (kind == Parity::kNotInteger) {
    out = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  const double sign = kind == Parity::kOdd ? -1 : 1;
  return positivePow<false>(ax, y, sign, out) || exactPow(x, y, sign, out);
}

template <bool kFma>
[[gnu::always_inline]] inline bool powFast(double x, double y, double& out) {
  // The common case first, by the bits: a positive finite base (subnormals included) and a
  // finite exponent. x = 1 and y = 0 need no test: log 1 = 0 and y log x = 0 give 1.
  constexpr uint64_t kInfBits = 0x7ff0000000000000;
  if (bitsOf(x) - 1 < kInfBits - 1 && (bitsOf(y) << 1) < (kInfBits << 1)) [[likely]]
    return positivePow<kFma>(x, y, 1, out) || exactPow(x, y, 1, out);
  return powOfSpecial(x, y, out);
}

// The whole function, fast path inlined, so that the renderer's calls reach it directly.
template <bool kFma>
[[gnu::always_inline]] inline double powWhole(double x, double y) {
  double r;
  if (powFast<kFma>(x, y, r)) [[likely]]
    return r;
  return slow::pow(x, y);
}

#if ORBISK_MATH_FMA_AT_RUN_TIME
[[gnu::target("fma")]] bool powWithFma(double x, double y, double& out) {
  return powFast<true>(x, y, out);
}
[[gnu::target("fma")]] double powWholeWithFma(double x, double y) {
  return powWhole<true>(x, y);
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
#if ORBISK_MATH_FMA_AT_RUN_TIME
  if (dd::kProcessorHasFma) return powWholeWithFma(x, y);
#endif
  return powWhole<false>(x, y);
}

}  // namespace orbisk::math
