// pow by multiprecision arithmetic: C99's special cases first, then the results that are exact
// dyadic numbers (only they can be rounding boundaries, on which Ziv's loop would never end),
// rounded exactly, and exp(y log|x|) for the rest.
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "render/math/BigFloat.h"
#include "render/math/SlowConstants.h"
#include "render/math/SlowKernels.h"
#include "render/math/SlowPaths.h"
#include "render/math/SlowZiv.h"

namespace orbisk::math::slow {

using namespace mp;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Beyond this many bits an odd power is no double and no midpoint (those have at most 54
// significant bits), so it needs no exact treatment.
constexpr int64_t kExactBits = 4096;

bool isInteger(double y) {
  return std::isfinite(y) && std::trunc(y) == y;
}

bool isOddInteger(double y) {
  // Every double of magnitude 2^53 or more is even.
  return isInteger(y) && std::fabs(y) < 0x1p53 && (static_cast<int64_t>(y) & 1) != 0;
}

// A finite nonzero double as odd * 2^exp2.
struct Dyadic {
  int64_t odd = 0;
  int64_t exp2 = 0;
};

Dyadic split(double v) {
  const uint64_t bits = __builtin_bit_cast(uint64_t, v);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  int64_t mantissa = static_cast<int64_t>(bits & ((uint64_t{1} << 52) - 1));
  int64_t exp2 = -1074;
  if (biased != 0) {
    mantissa |= int64_t{1} << 52;
    exp2 = biased - 1075;
  }
  const int zeros = std::countr_zero(static_cast<uint64_t>(mantissa));
  const int64_t odd = mantissa >> zeros;
  return {(bits >> 63) != 0 ? -odd : odd, exp2 + zeros};
}

int bitLength(uint64_t v) {
  return 64 - std::countl_zero(v);
}

// c^k * 2^e rounded, c^k computed exactly (it has at most kExactBits + 64 bits).
double exactPower(uint64_t c, int64_t k, int64_t e) {
  BigFloat result = fromInt(1), base = fromInt(static_cast<int64_t>(c));
  for (int64_t rest = k; rest > 0; rest >>= 1) {
    if (rest & 1) result = mulExact(result, base);
    if (rest > 1) base = mulExact(base, base);
  }
  return toDouble(scaled(result, e));
}

// The 2^k-th root of a when it is an integer.
std::optional<uint64_t> exactRoot(uint64_t a, int64_t k) {
  for (int64_t i = 0; i < k; ++i) {
    // a < 2^53: the rounded square root is within one of the integer root.
    uint64_t r = static_cast<uint64_t>(std::sqrt(static_cast<double>(a)));
    while (r * r > a) --r;
    while ((r + 1) * (r + 1) <= a) ++r;
    if (r * r != a) return std::nullopt;
    a = r;
  }
  return a;
}

// |x|^y when it is a dyadic number, for finite |x| > 0, |x| != 1 and finite y != 0. With
// |x| = a 2^b (a odd) and y = n / 2^k (n odd or k = 0): a power of two raised to a y that makes
// b y an integer; a^y for a positive integer y; or c^n when a = c^(2^k) and 2^k divides b. Any
// other result is irrational or has an odd denominator, so lies on no rounding boundary.
std::optional<double> dyadicPow(double ax, double y) {
  const Dyadic x = split(ax);
  const uint64_t a = static_cast<uint64_t>(x.odd);
  const int64_t b = x.exp2;
  if (a == 1 && std::fabs(y) > kExactBits) return (b > 0) == (y > 0) ? kInf : 0.0;  // |b y| > 4096
  if (isInteger(y)) {
    if (a == 1) return toDouble(powerOfTwo(b * static_cast<int64_t>(y)));
    if (y < 0 || y * bitLength(a) > kExactBits) return std::nullopt;
    const int64_t k = static_cast<int64_t>(y);
    return exactPower(a, k, b * k);
  }
  const Dyadic yd = split(y);  // y = yd.odd * 2^yd.exp2, yd.exp2 < 0 since y is no integer
  const int64_t k = -yd.exp2, numerator = yd.odd;
  if (k > 11 || b % (int64_t{1} << k) != 0) return std::nullopt;  // |b| < 2^11
  const int64_t bRoot = b / (int64_t{1} << k);
  if (a == 1) return toDouble(powerOfTwo(bRoot * numerator));  // |numerator| <= 2^23
  if (numerator < 0 || k > 5) return std::nullopt;  // 3^(2^6) > 2^53: no a < 2^53 is such a power
  const std::optional<uint64_t> c = exactRoot(a, k);
  if (!c || numerator * bitLength(*c) > kExactBits) return std::nullopt;
  return exactPower(*c, numerator, bRoot * numerator);
}

// exp(y log|x|) for finite |x| > 0, |x| != 1 and finite y != 0, not a dyadic result.
double generalPow(double ax, double y) {
  return correctlyRounded([&](int n) {
    const int64_t bits = 32 * static_cast<int64_t>(n);
    int e = 0;
    double m = std::frexp(ax, &e);  // exact: ax = m 2^e, m in [1/2, 1)
    if (m < 0.7071067811865476) {
      m *= 2;
      --e;
    }
    // log|x| = e ln 2 + log m with |log m| <= ln(2)/2: when e != 0 no cancellation, so log|x|
    // is within (2^11 + 8) u, and t = y log|x| within (2^11 + 9) u.
    BigFloat logX = logKernel(m, n);
    if (e != 0) logX = add(mul(fromInt(e), ln2(bits + 64), n), logX, n);
    const BigFloat t = mul(fromDouble(y), logX, n);
    if (t.topBit() >= 10) {
      // |y log|x|| > 1023: the result is beyond 2^1475 or below 2^-1475, decided without exp.
      return Approximation{powerOfTwo(t.negative ? -4000 : 4000), -8000};
    }
    // t = k ln 2 + r with |r| < 0.36 and |k| < 1500. r is off by 1024 (2^11 + 9) u from t, and
    // by about 2^12 u from k ln 2 and the subtraction: below 2^21.1 u.
    const double kd = std::round(toDouble(t) * 1.4426950408889634);
    const BigFloat k = fromInt(static_cast<int64_t>(kd));
    const BigFloat r = sub(t, mul(k, ln2(bits + 64), n), n);
    const BigFloat v = scaled(expKernel(r, n), static_cast<int64_t>(kd));
    // exp adds 2^18 u: within 2^22 u = 2^(24 - bits) in all, and one bit more to spare.
    return Approximation{v, absoluteErrorExp(v, 24 - bits + 1)};
  });
}

}  // namespace

double pow(double x, double y) {
  if (y == 0 || x == 1) return 1.0;
  if (std::isnan(x) || std::isnan(y)) return kNaN;
  const double ax = std::fabs(x);
  if (std::isinf(y)) {
    if (ax == 1) return 1.0;  // x = -1
    return (ax < 1) == (y < 0) ? kInf : 0.0;
  }
  const bool oddY = isOddInteger(y);
  if (x == 0 || std::isinf(x)) {
    // The result is 0 or inf: zero for y > 0 at x = 0 and for y < 0 at infinities.
    const double magnitude = (x == 0) == (y > 0) ? 0.0 : kInf;
    return oddY && std::signbit(x) ? -magnitude : magnitude;
  }
  if (x < 0 && !isInteger(y)) return kNaN;
  // x = -1 with an integer y: +-1 however large |y| is (dyadicPow would take 1 for a power of two
  // and give 0 or infinity beyond its exact range).
  if (ax == 1) return oddY ? -1.0 : 1.0;
  const std::optional<double> exact = dyadicPow(ax, y);
  const double r = exact ? *exact : generalPow(ax, y);
  return x < 0 && oddY ? -r : r;
}

}  // namespace orbisk::math::slow
