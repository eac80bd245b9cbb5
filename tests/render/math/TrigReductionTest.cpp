// The two halves of the fast sin, cos and tan against MPFR at high precision: the reduction
// must find the right multiple of pi/512 and a rest within the error it states, and the
// kernels must stay within the relative error the rounding test assumes.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "render/math/TanKernel.h"
#include "render/math/TrigAccurate.h"
#include "render/math/TrigKernel.h"
#include "render/math/TrigReduction.h"

namespace orbisk::math {
namespace {

constexpr mpfr_prec_t kPrec = 1400;  // enough for x 512/pi of the largest doubles to 2^-300

// The multiple of pi/512 nearest x (or, with a shift, the one next to it) modulo 1024 and the
// rest, in MPFR at high precision.
struct ExactReduction {
  unsigned j;
  mpfr_t r;
  explicit ExactReduction(double x, int shift = 0) {
    mpfr_t t, k;
    mpfr_inits2(kPrec, t, k, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_const_pi(t, MPFR_RNDN);
    mpfr_d_div(t, x, t, MPFR_RNDN);
    mpfr_mul_ui(t, t, 512, MPFR_RNDN);
    mpfr_rint(k, t, MPFR_RNDN);
    if (shift > 0) mpfr_add_ui(k, k, static_cast<unsigned long>(shift), MPFR_RNDN);
    if (shift < 0) mpfr_sub_ui(k, k, static_cast<unsigned long>(-shift), MPFR_RNDN);
    mpfr_sub(t, t, k, MPFR_RNDN);
    mpfr_const_pi(r, MPFR_RNDN);
    mpfr_mul(r, r, t, MPFR_RNDN);
    mpfr_div_ui(r, r, 512, MPFR_RNDN);
    mpfr_fmod_ui(k, k, 1024, MPFR_RNDN);  // same sign as k: a negative k gives -1023..0
    const long m = mpfr_get_si(k, MPFR_RNDN);
    j = static_cast<unsigned>((m + 1024) % 1024);
    mpfr_clears(t, k, static_cast<mpfr_ptr>(nullptr));
  }
  ~ExactReduction() { mpfr_clear(r); }
};

// |exact - (hi + lo)|.
double errorOf(mpfr_srcptr exact, double hi, double lo) {
  mpfr_t d;
  mpfr_init2(d, kPrec);
  mpfr_sub_d(d, exact, hi, MPFR_RNDN);
  mpfr_sub_d(d, d, lo, MPFR_RNDN);
  const double out = std::fabs(mpfr_get_d(d, MPFR_RNDU));
  mpfr_clear(d);
  return out;
}

double fromBits(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// The quick reduction, and its variant with fused multiply-adds where the processor has them.
#if ORBISK_MATH_FMA_AT_RUN_TIME
[[gnu::target("fma")]] bool reduceQuickWithFma(double x, ReducedAngle& out) {
  return reduceQuick<true>(x, out);
}
using QuickReduction = bool (*)(double, ReducedAngle&);
const std::vector<QuickReduction> kQuickReductions =
    dd::kProcessorHasFma ? std::vector<QuickReduction>{reduceQuick<false>, reduceQuickWithFma}
                         : std::vector<QuickReduction>{reduceQuick<false>};
#else
const std::vector<bool (*)(double, ReducedAngle&)> kQuickReductions = {reduceQuick<false>};
#endif

TEST(TrigReduction, BothReductionsFindTheMultipleAndTheRestWithinTheirError) {
  std::mt19937_64 rng(512);
  std::vector<double> inputs = {
      0x1.6ac5b262ca1ffp+849,  // among the doubles nearest a multiple of pi/2
      0x1.921fb54442d18p+0,   0x1.921fb54442d18p-9, 3.0, -1e22, 0x1.fffffffffffffp+1023, 0x1p-70,
      -0x1.921fb54442d18p+15, 0x1.fffffffffffffp+15};
  for (int n = 0; n < 3000; ++n) {
    const uint64_t exponent = std::uniform_int_distribution<unsigned>(1023 - 70, 2046)(rng);
    inputs.push_back(fromBits((rng() & 0x800fffffffffffffu) | exponent << 52));
    inputs.push_back(std::uniform_real_distribution<double>(-0x1p16, 0x1p16)(rng));
  }
  for (const double x : inputs) {
    const ExactReduction exact(x);
    ReducedAngle precise;
    ASSERT_TRUE(reducePrecise(x, precise)) << std::hexfloat << x;
    EXPECT_EQ(precise.j, exact.j) << std::hexfloat << x;
    EXPECT_LE(errorOf(exact.r, precise.hi, precise.lo), precise.err) << std::hexfloat << x;
    for (const auto& reduce : kQuickReductions) {
      ReducedAngle quick;
      if (std::fabs(x) < kQuickReductionLimit && reduce(x, quick)) {
        // Where x 512/pi lies within a rounding of a half, the fused variant may take the
        // multiple on the other side: the rest is then as large, the other way.
        const int shift = quick.j == (exact.j + 1) % 1024      ? 1
                          : quick.j == (exact.j + 1023) % 1024 ? -1
                                                               : 0;
        if (shift != 0) {
          EXPECT_GT(std::fabs(mpfr_get_d(exact.r, MPFR_RNDN)),
                    0x1.921fb54442d18p-10 * (1 - 0x1p-40))
              << std::hexfloat << x;
        }
        const ExactReduction taken(x, shift);
        EXPECT_EQ(quick.j, taken.j) << std::hexfloat << x;
        EXPECT_LE(std::fabs(quick.lo), std::fabs(quick.hi) * 0x1p-53 + 0x1p-44)
            << std::hexfloat << x;
        EXPECT_LE(std::fabs(quick.lo), std::fabs(quick.hi) * 0x1p-20) << std::hexfloat << x;
        // Its error bound leaves out a part proportional to r, counted in the kernel's bound.
        EXPECT_LE(errorOf(taken.r, quick.hi, quick.lo), quick.err + std::fabs(quick.hi) * 0x1p-104)
            << std::hexfloat << x;
      }
    }
  }
}

// The rests the reductions leave for 40000 multiples j of pi/512 (the first ones at the corners
// corner(n) names, the rest at random over the whole turn): a kernel's relative error against
// MPFR's value of f at j pi/512 + r, whose observed maximum is printed and must stay below the
// bound.
constexpr double kEdge = 0x1.921fb54442d18p-10 * (1 + 0x1p-27);  // a little beyond pi/1024

template <typename Corner, typename Kernel>
void expectKernelWithin(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), uint64_t seed, int corners,
                        Corner corner, double bound, Kernel kernel) {
  std::mt19937_64 rng(seed);
  double worst = 0;
  mpfr_t a, v;
  mpfr_inits2(300, a, v, static_cast<mpfr_ptr>(nullptr));
  for (int n = 0; n < 40000; ++n) {
    unsigned j;
    double rh;
    if (n < corners) {
      corner(n, j, rh);
    } else {
      j = static_cast<unsigned>(rng() % 1024);
      rh = std::uniform_real_distribution<double>(-kEdge, kEdge)(rng);
    }
    // As the reductions leave it: within 2^-53 of rh, or up to 2^-44 from the quick one, which
    // leaves that much only with |rh| >= 2^-24.
    const bool quickRest = n % 2 && std::fabs(rh) >= 0x1p-24;
    const double rl = std::ldexp(std::uniform_real_distribution<double>(-1, 1)(rng),
                                 quickRest ? -44 : std::ilogb(rh) - 53);
    mpfr_const_pi(a, MPFR_RNDN);
    mpfr_mul_ui(a, a, j, MPFR_RNDN);
    mpfr_div_ui(a, a, 512, MPFR_RNDN);
    mpfr_add_d(a, a, rh, MPFR_RNDN);
    mpfr_add_d(a, a, rl, MPFR_RNDN);
    f(v, a, MPFR_RNDN);
    const DoubleDouble r = kernel(j, rh, rl);
    const double err = errorOf(v, r.hi, r.lo) / std::fabs(r.hi);
    worst = std::max(worst, err);
    ASSERT_LT(err, bound) << "j " << j << ", r " << std::hexfloat << rh;
  }
  mpfr_clears(a, v, static_cast<mpfr_ptr>(nullptr));
  std::printf("largest relative error 2^%.2f (bound 2^%.2f)\n", std::log2(worst), std::log2(bound));
}

// A sin kernel, first next to each multiple of pi/2 with the rest pointing towards it, where the
// analysis puts its largest relative error.
template <typename Kernel>
void expectSinKernelWithin(double bound, Kernel kernel) {
  static constexpr unsigned cornerJ[] = {1, 255, 257, 511, 513, 767, 769, 1023};
  const auto corner = [](int n, unsigned& j, double& rh) {
    j = cornerJ[n];
    rh = j % 256 == 1 ? -kEdge : kEdge;
  };
  expectKernelWithin(mpfr_sin, 1024, 8, corner, bound, kernel);
}

TEST(TrigKernel, RelativeErrorStaysBelowTheBound) {
  expectSinKernelWithin(kTrigKernelError, sinOfReduced<false>);
}

#if ORBISK_MATH_FMA_AT_RUN_TIME
[[gnu::target("fma")]] DoubleDouble sinWithFma(unsigned j, double rh, double rl) {
  return sinOfReduced<true>(j, rh, rl);
}

TEST(TrigKernel, WithAFusedMultiplyAddStaysBelowTheBound) {
  if (!dd::kProcessorHasFma) GTEST_SKIP() << "this processor has no fused multiply-add";
  expectSinKernelWithin(kTrigKernelError, sinWithFma);
}
#endif

TEST(TrigAccurateKernel, RelativeErrorStaysBelowTheBound) {
  expectSinKernelWithin(kTrigAccurateError, accurateSinOfReduced);
}

// A tan kernel, first next to every multiple of pi/2, where it is largest or nearly zero.
template <typename Kernel>
void expectTanKernelWithin(double bound, Kernel kernel) {
  static constexpr unsigned cornerJ[] = {0, 1, 255, 256, 257, 511, 512, 513, 767, 768, 769, 1023};
  static constexpr double cornerR[] = {kEdge, -kEdge, 0x1p-20 * kEdge, -0x1p-20 * kEdge};
  const auto corner = [](int n, unsigned& j, double& rh) {
    j = cornerJ[n % 12];
    rh = cornerR[n / 12];
  };
  expectKernelWithin(mpfr_tan, 2048, 48, corner, bound, kernel);
}

TEST(TanKernel, RelativeErrorStaysBelowTheBound) {
  expectTanKernelWithin(kTanKernelError, tanOfReduced<false>);
}

// The kernel with fused multiply-adds, where the processor has them.
#if ORBISK_MATH_FMA_AT_RUN_TIME
[[gnu::target("fma")]] DoubleDouble tanWithFma(unsigned j, double rh, double rl) {
  return tanOfReduced<true>(j, rh, rl);
}

TEST(TanKernel, WithAFusedMultiplyAddStaysBelowTheBound) {
  if (!dd::kProcessorHasFma) GTEST_SKIP() << "this processor has no fused multiply-add";
  expectTanKernelWithin(kTanKernelError, tanWithFma);
}
#endif

TEST(TanAccurateKernel, RelativeErrorStaysBelowTheBound) {
  expectTanKernelWithin(kTanAccurateError, accurateTanOfReduced);
}

}  // namespace
}  // namespace orbisk::math
