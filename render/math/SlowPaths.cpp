// sin, cos, tan and atan by multiprecision arithmetic. None of them has an exact result that is a
// rounding boundary (their values at nonzero doubles are transcendental), so Ziv's loop always
// ends; the exact results at zero are answered directly.
#include "render/math/SlowPaths.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/math/BigFloat.h"
#include "render/math/SlowConstants.h"
#include "render/math/SlowKernels.h"
#include "render/math/SlowZiv.h"

namespace orbisk::math::slow {

using namespace mp;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// |x| = (4j + quadrant) pi/2 + r with |r| <= pi/4 (and a hair), r known within |r| 2^relErrorExp.
struct Reduction {
  BigFloat r;
  unsigned quadrant = 0;
  int64_t relErrorExp = 0;
};

// The bits of m below position count.
Limbs bitsBelow(const Limbs& m, int64_t count) {
  if (count <= 0) return {};
  const size_t limbs = static_cast<size_t>(std::min<int64_t>((count + 31) / 32, m.size()));
  Limbs out(m.begin(), m.begin() + static_cast<std::ptrdiff_t>(limbs));
  if (count % 32 != 0 && static_cast<size_t>(count / 32) < limbs)
    out[static_cast<size_t>(count / 32)] &= (uint32_t{1} << (count % 32)) - 1;
  return out;
}

Reduction reduce(double ax, int n) {
  const int64_t bits = 32 * static_cast<int64_t>(n);
  if (ax < 0.785) return {fromDouble(ax), 0, -4 * bits};  // exact
  const BigFloat x = fromDouble(ax);
  // z = |x| 2/pi within |x| 2^-(topBit + bits + 64) < 2^-(bits + 63): however large |x| is, the
  // fraction of z keeps bits + 63 correct bits below the point.
  const BigFloat z = mulExact(x, twoOverPi(x.topBit() + bits + 64));
  const int64_t point = -z.exp;  // the position of the units bit within z.mag
  unsigned quadrant = (bitAt(z.mag, point) ? 1u : 0u) + (bitAt(z.mag, point + 1) ? 2u : 0u);
  BigFloat f{bitsBelow(z.mag, point), z.exp, false};
  normalize(f);
  if (bitAt(z.mag, point - 1)) {  // the fraction is 1/2 or more: round z up
    f = addExact(f, fromInt(-1));
    quadrant = (quadrant + 1) % 4;
  }
  Reduction red;
  red.quadrant = quadrant;
  red.r = mul(f, halfPi(bits + 64), n);
  // f is off by 2^-(bits + 63), pi/2 by 2^-(bits + 64), the product by u = 2^(2 - bits).
  red.relErrorExp = f.isZero() ? 0 : std::max(-bits - 63 - f.topBit(), 2 - bits) + 2;
  return red;
}

enum class Trig { sin, cos, tan };

double trig(Trig which, double x) {
  if (!std::isfinite(x)) return kNaN;
  if (x == 0) return which == Trig::cos ? 1.0 : x;
  const double ax = std::fabs(x);
  return correctlyRounded([&](int n) {
    const Reduction red = reduce(ax, n);
    const bool odd = red.quadrant % 2 == 1;
    BigFloat v;
    switch (which) {
      case Trig::sin:  // sin(q pi/2 + r) = sin r, cos r, -sin r, -cos r
        v = odd ? cosKernel(red.r, n) : sinKernel(red.r, n);
        if (red.quadrant >= 2) v = negated(v);
        if (x < 0) v = negated(v);
        break;
      case Trig::cos:  // cos(q pi/2 + r) = cos r, -sin r, -cos r, sin r
        v = odd ? sinKernel(red.r, n) : cosKernel(red.r, n);
        if (red.quadrant == 1 || red.quadrant == 2) v = negated(v);
        break;
      case Trig::tan: {  // tan(q pi/2 + r) = tan r or -1 / tan r
        const BigFloat s = sinKernel(red.r, n), c = cosKernel(red.r, n);
        v = odd ? negated(div(c, s, n)) : div(s, c, n);
        if (x < 0) v = negated(v);
        break;
      }
    }
    // Each kernel is within 2^12 u + 2d (u = 2^(2 - 32n), d the reduction's bound); tan adds
    // both kernels' errors and u.
    const int64_t relExp = std::max(red.relErrorExp + 2, 16 - 32 * static_cast<int64_t>(n)) + 2;
    return Approximation{v, absoluteErrorExp(v, relExp)};
  });
}

}  // namespace

double sin(double x) {
  return trig(Trig::sin, x);
}
double cos(double x) {
  return trig(Trig::cos, x);
}
double tan(double x) {
  return trig(Trig::tan, x);
}

double atan(double x) {
  if (std::isnan(x)) return kNaN;
  if (x == 0) return x;
  const double ax = std::fabs(x);
  return correctlyRounded([&](int n) {
    const int64_t bits = 32 * static_cast<int64_t>(n);
    BigFloat v;
    if (std::isinf(ax)) {
      v = halfPi(bits + 64);
    } else if (ax <= 1) {
      v = atanKernel(fromDouble(ax), n);
    } else {  // atan |x| = pi/2 - atan(1/|x|), at least pi/4: the errors stay relative
      v = sub(halfPi(bits + 64), atanKernel(div(fromInt(1), fromDouble(ax), n), n), n);
    }
    if (x < 0) v = negated(v);
    // The kernel's 2^12 u + 6u, the subtraction's u and pi/2's 2^-(bits + 64): within 2^13 u.
    return Approximation{v, absoluteErrorExp(v, 15 - bits + 1)};
  });
}

}  // namespace orbisk::math::slow
