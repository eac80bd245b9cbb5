// atan in double-double: |x| > 1 is reflected to pi/2 - atan(1/|x|), the argument u <= 1 is
// moved by the nearest step c = i/64 to t = (u - c) / (1 + u c) with |t| <= 1/128, and
// atan(u) = atan(c) + atan(t), atan(c) from the table and atan(t) from its odd series. The sum
// is accurate to about 2^-80 relative; the rounding test allows 2^-70.
#include <cmath>

#include "render/math/AtanPowArithmetic.h"
#include "render/math/AtanPowTables.h"
#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/SlowPaths.h"

namespace orbisk::math {

namespace {

constexpr double kRelativeError = 0x1p-70;
// Below this, atan(x) = x - x^3/3 + ... lies within a quarter ulp of x even for a power of two.
constexpr double kTiny = 0x1p-27;
// From here on, pi/2 - atan(|x|) < 1/|x| is below half an ulp of pi/2, and pi/2 lies 0.28 ulp
// above its double: every such x rounds to that double.
constexpr double kHuge = 0x1p53;
constexpr double kHalfPiRounded = 0x1.921fb54442d18p+0;

// atan(t) for |t| <= 1/128: t - t^3/3 + t^5/5 - ... - t^11/11, the next term below 2^-87 of t.
// The t^3/3 term is taken in double-double; the rest in double, 2^-16 of the t^3 term.
DoubleDouble atanSeries(DoubleDouble t) {
  const DoubleDouble t2 = twoProduct(t.hi, t.hi);
  const double s = t2.hi;
  const double rest = s * (1.0 / 5 + s * (-1.0 / 7 + s * (1.0 / 9 - s * (1.0 / 11))));
  // -1/3 + rest, then times t^3
  const DoubleDouble coefficient = dd::add(rest, {-tables::kThird.hi, -tables::kThird.lo});
  const DoubleDouble t3 = dd::mul(t2, t.hi);
  return dd::add(t, dd::mul(t3, coefficient));
}

}  // namespace

bool fast::atan(double x, double& out) {
  const double ax = std::fabs(x);
  if (!(ax >= kTiny)) {  // also NaN
    out = ax < kTiny ? x : x + x;
    return true;
  }
  if (ax >= kHuge) {
    out = std::copysign(kHalfPiRounded, x);
    return true;
  }

  DoubleDouble u{ax, 0};
  const bool reflected = ax > 1;
  if (reflected) {
    const double q = 1 / ax;
    const DoubleDouble p = twoProduct(q, ax);
    u = fastTwoSum(q, ((1 - p.hi) - p.lo) * q);
  }

  const int step = static_cast<int>(u.hi * tables::kAtanSteps + 0.5);
  DoubleDouble t = u;
  if (step != 0) {
    const double c = static_cast<double>(step) / tables::kAtanSteps;
    const DoubleDouble numerator = twoSum(u.hi - c, u.lo);  // u.hi - c is exact
    const DoubleDouble uc = twoProduct(u.hi, c);
    const DoubleDouble denominator = dd::add(uc.lo + u.lo * c, fastTwoSum(1, uc.hi));
    t = dd::div(numerator, denominator);
  }
  DoubleDouble r = dd::add(tables::kAtanOfStep[step], atanSeries(t));
  if (reflected) r = dd::add(tables::kHalfPi, {-r.hi, -r.lo});

  double rounded;
  if (!roundsTo(r.hi, r.lo, r.hi * kRelativeError, rounded)) return false;
  out = std::copysign(rounded, x);
  return true;
}

double atan(double x) {
  double r;
  return fast::atan(x, r) ? r : slow::atan(x);
}

}  // namespace orbisk::math
