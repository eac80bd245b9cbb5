// The whole bound of the quick sin and tan rounding tests, reduction and kernel together, where
// the reduction's part would weigh most: sin next to multiples of pi (the result tiny, so the
// reduction's absolute error counts in full) and tan next to its poles (that error amplified by
// the slope 1 + tan^2), with both reductions, up to the largest doubles. The reductions keep
// their error relative to the rest there, so the kernel's term still carries the bound.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "render/math/TanKernel.h"
#include "render/math/TrigKernel.h"
#include "render/math/TrigReduction.h"

namespace orbisk::math {
namespace {

// The doubles next to (k + offset) pi, up to 3 ulps on either side.
std::vector<double> nextToMultiplesOfPi(double offset, std::mt19937_64& rng) {
  std::vector<double> xs = {0x1.6ac5b262ca1ffp+849, -0x1.6ac5b262ca1ffp+849};
  mpfr_t v;
  mpfr_init2(v, 200);
  for (int i = 0; i < 3000; ++i) {
    // k up to 2^14 (the quick reduction) or up to 2^30 (the precise one)
    const double k =
        std::floor(std::ldexp(static_cast<double>(rng() >> 11) * 0x1p-53, i % 2 ? 14 : 30)) +
        offset;
    mpfr_const_pi(v, MPFR_RNDN);
    mpfr_mul_d(v, v, k, MPFR_RNDN);
    double x = mpfr_get_d(v, MPFR_RNDN);
    for (int steps = static_cast<int>(rng() % 4); steps > 0; --steps)
      x = std::nextafter(x, rng() & 1 ? INFINITY : -INFINITY);
    xs.push_back(rng() & 1 ? x : -x);
  }
  mpfr_clear(v);
  return xs;
}

bool reduce(double x, ReducedAngle& a) {
  if (std::fabs(x) < kQuickReductionLimit && reduceQuick<false>(x, a)) return true;
  return reducePrecise(x, a);
}

// |f(x) - (hi + lo)| by MPFR at 1400 bits, enough for the largest doubles.
double absoluteError(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double x, DoubleDouble r) {
  mpfr_t v;
  mpfr_init2(v, 1400);
  mpfr_set_d(v, x, MPFR_RNDN);
  f(v, v, MPFR_RNDN);
  mpfr_sub_d(v, v, r.hi, MPFR_RNDN);
  mpfr_sub_d(v, v, r.lo, MPFR_RNDN);
  const double out = std::fabs(mpfr_get_d(v, MPFR_RNDU));
  mpfr_clear(v);
  return out;
}

TEST(TrigBound, SinNextToMultiplesOfPi) {
  std::mt19937_64 rng(1);
  double worstShare = 0;
  for (const double x : nextToMultiplesOfPi(0, rng)) {
    ReducedAngle a;
    ASSERT_TRUE(reduce(x, a)) << std::hexfloat << x;
    const DoubleDouble v = sinOfReduced<false>(a.j, a.hi, a.lo);
    const double err = absoluteError(mpfr_sin, x, v);
    // the bound sinOrCos gives roundsTo
    const double kernelTerm = std::fabs(v.hi) * kTrigKernelError;
    ASSERT_LE(err, kernelTerm + a.err) << std::hexfloat << x;
    worstShare = std::max(worstShare, err / (kernelTerm + a.err));
  }
  std::printf("largest error %.3g of the bound\n", worstShare);
}

TEST(TrigBound, TanNextToItsPoles) {
  std::mt19937_64 rng(2);
  double worstShare = 0;
  for (const double x : nextToMultiplesOfPi(0.5, rng)) {
    ReducedAngle a;
    ASSERT_TRUE(reduce(x, a)) << std::hexfloat << x;
    const DoubleDouble q = tanOfReduced<false>(a.j, a.hi, a.lo);
    const double err = absoluteError(mpfr_tan, x, q);
    const double reductionTerm = a.err * (1 + q.hi * q.hi);
    // the bound tanOfQuick gives roundsTo
    const double kernelTerm = std::fabs(q.hi) * kTanKernelError;
    ASSERT_LE(err, kernelTerm + reductionTerm) << std::hexfloat << x;
    worstShare = std::max(worstShare, err / (kernelTerm + reductionTerm));
  }
  std::printf("largest error %.3g of the bound\n", worstShare);
}

}  // namespace
}  // namespace orbisk::math
