// sin, cos and tan: the argument is reduced by pi/512 (TrigReduction.h), the table and short
// series give the result to about 2^-68 (TrigKernel.h), and the result is returned when every
// value within the error bound rounds to the same double.
#include <cmath>
#include <limits>

#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/SlowPaths.h"
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

bool reduce(double x, ReducedAngle& a) {
  if (std::fabs(x) < kQuickReductionLimit && reduceQuick(x, a)) return true;
  return reducePrecise(x, a);
}

DoubleDouble negated(DoubleDouble v) {
  return {-v.hi, -v.lo};
}

// sin or cos of x (cosine: shifted by a quarter turn), the reduction's error counted at slope
// at most 1.
bool sinOfReduced(const ReducedAngle& a, unsigned quarterTurns, double& out) {
  const unsigned j = (a.j + 256 * quarterTurns) & 1023;
  const SinCosEntry& e = kSinCosTable[j & 255];
  const SmallAngleTerms t = smallAngleTerms(a.hi, a.lo);
  const unsigned quarter = j >> 8;
  DoubleDouble v = (quarter & 1) ? cosOfSum(e, a.hi, a.lo, t) : sinOfSum(e, a.hi, a.lo, t);
  if (quarter & 2) v = negated(v);
  return roundsTo(v.hi, v.lo, std::fabs(v.hi) * kTrigKernelError + a.err, out);
}

}  // namespace

bool fast::sin(double x, double& out) {
  const double ax = std::fabs(x);
  if (ax < kSinIsX) {
    out = x;
    return true;
  }
  if (!(ax < kInfinity)) {
    out = x - x;  // NaN for NaN and both infinities
    return true;
  }
  ReducedAngle a;
  return reduce(x, a) && sinOfReduced(a, 0, out);
}

bool fast::cos(double x, double& out) {
  const double ax = std::fabs(x);
  if (ax < kCosIsOne) {
    out = 1;
    return true;
  }
  if (!(ax < kInfinity)) {
    out = x - x;
    return true;
  }
  ReducedAngle a;
  return reduce(x, a) && sinOfReduced(a, 1, out);
}

bool fast::tan(double x, double& out) {
  const double ax = std::fabs(x);
  if (ax < kTanIsX) {
    out = x;
    return true;
  }
  if (!(ax < kInfinity)) {
    out = x - x;
    return true;
  }
  ReducedAngle a;
  if (!reduce(x, a)) return false;
  const SinCosEntry& e = kSinCosTable[a.j & 255];
  const SmallAngleTerms t = smallAngleTerms(a.hi, a.lo);
  const DoubleDouble s = sinOfSum(e, a.hi, a.lo, t), c = cosOfSum(e, a.hi, a.lo, t);
  // tan is sin/cos in quarters 0 and 2, -cos/sin in quarters 1 and 3 (period a half turn).
  const bool odd = (a.j >> 8) & 1;
  const DoubleDouble num = odd ? negated(c) : s, den = odd ? s : c;
  const double qh = num.hi / den.hi;
  const DoubleDouble p = twoProduct(qh, den.hi);  // num.hi - p.hi is exact: they are that close
  const double ql = (((num.hi - p.hi) - p.lo) + (num.lo - qh * den.lo)) / den.hi;
  const DoubleDouble q = fastTwoSum(qh, ql);
  // Both operands' errors add up, plus the division's; the reduction error is amplified by the
  // slope 1 + tan^2.
  const double err =
      std::fabs(q.hi) * (2 * kTrigKernelError + 0x1p-100) + a.err * (1 + q.hi * q.hi);
  return roundsTo(q.hi, q.lo, err, out);
}

double sin(double x) {
  double r;
  return fast::sin(x, r) ? r : slow::sin(x);
}

double cos(double x) {
  double r;
  return fast::cos(x, r) ? r : slow::cos(x);
}

double tan(double x) {
  double r;
  return fast::tan(x, r) ? r : slow::tan(x);
}

}  // namespace orbisk::math
