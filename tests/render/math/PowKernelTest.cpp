// pow's two evaluations against MPFR at 300 bits: each error must stay below the bound its
// rounding test uses, measured where each term of that bound is largest. The bounds must also
// be tight enough that each region comes near its term (a bound taken too small fails here,
// long before a wrong rounding would show).
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "render/math/PowAccurate.h"
#include "render/math/PowKernel.h"

namespace orbisk::math {
namespace {

// One evaluation: the value (times 2^exponent), the bound and the term under test, relative.
struct Evaluation {
  DoubleDouble value;
  int exponent = 0;
  double bound = 0;
  double term = 0;
};

// |x^y / 2^exponent - (hi + lo)| / |hi|.
double relativeError(double x, double y, const Evaluation& e) {
  mpfr_t a, b, v;
  mpfr_inits2(300, a, b, v, static_cast<mpfr_ptr>(nullptr));
  mpfr_set_d(a, x, MPFR_RNDN);
  mpfr_set_d(b, y, MPFR_RNDN);
  mpfr_pow(v, a, b, MPFR_RNDN);
  mpfr_mul_2si(v, v, -e.exponent, MPFR_RNDN);
  mpfr_sub_d(v, v, e.value.hi, MPFR_RNDN);
  mpfr_sub_d(v, v, e.value.lo, MPFR_RNDN);
  const double out = std::fabs(mpfr_get_d(v, MPFR_RNDU)) / std::fabs(e.value.hi);
  mpfr_clears(a, b, v, static_cast<mpfr_ptr>(nullptr));
  return out;
}

enum class Term { kCubeOfV, kSquareOfS, kZ, kConstant };

template <bool kFma>
Evaluation quick(double x, double y, Term term) {
  double cube, square;
  const DoubleDouble l = logOf<kFma>(x, cube);
  const DoubleDouble z = timesLog<kFma>(y, l);
  Evaluation e;
  e.value = expOf<kFma>(z, e.exponent, square);
  e.bound = quickPowError(y, cube, z.hi, square);
  const double terms[] = {std::fabs(y) * cube * 0x1p-49, square * 0x1p-49,
                          std::fabs(z.hi) * 0x1p-84, 0x1p-100};
  e.term = terms[static_cast<int>(term)];
  return e;
}

#if ORBISK_MATH_FMA_AT_RUN_TIME
[[gnu::target("fma")]] Evaluation quickWithFma(double x, double y, Term term) {
  return quick<true>(x, y, term);
}
#endif

Evaluation accurate(double x, double y, Term term) {
  const DoubleDouble z = timesLog<false>(y, accurateLogOf(x));
  Evaluation e;
  e.value = accurateExpOf(z, e.exponent);
  e.bound = accuratePowError(z.hi);
  e.term = term == Term::kZ ? std::fabs(z.hi) * 0x1p-84 : e.bound;
  return e;
}

// A region of arguments where one term of a bound is the largest.
struct Region {
  const char* name;
  Term term;
  double minShare;  // the least the largest error must reach of the term
  std::function<void(std::mt19937_64&, double&, double&)> draw;
};

double uniform(std::mt19937_64& rng, double lo, double hi) {
  return lo + (hi - lo) * (static_cast<double>(rng() >> 11) * 0x1p-53);
}

// A base at either edge of the log interval around 1 (|v| largest with log x = log1p(v)).
double edgeBase(std::mt19937_64& rng) {
  const uint64_t width = uint64_t{1} << (52 - tables::kLogIntervalBits);
  const uint64_t first = tables::kLogOffset + (bitsOf(1.0) - tables::kLogOffset) / width * width;
  const uint64_t inward = rng() % 1000;
  return fromBits(rng() & 1 ? first + inward : first + width - 1 - inward);
}

// A base whose v is tiny: a table centre (1/r) nudged by a few ulps, times a power of two.
double centreBase(std::mt19937_64& rng) {
  const auto& entry = tables::kLog[rng() % tables::kLogIntervals];
  const double c = std::ldexp(1 / entry.reciprocal, static_cast<int>(rng() % 40) - 20);
  return std::nextafter(c, rng() & 1 ? 4.0 : 0.0);
}

const std::vector<Region> kQuickRegions = {
    // y v^3 largest: |v| near its maximum with |y log x| near the largest finite results
    {"y v^3", Term::kCubeOfV, 1.0 / 32,
     [](std::mt19937_64& rng, double& x, double& y) {
       x = edgeBase(rng);
       y = uniform(rng, 600, 705) / std::log(x) * (rng() & 1 ? 1 : -1);
       if (y * std::log(x) < -700) y = -y;
     }},
    // s^2 largest: z half a step from a multiple of log(2)/128, v tiny
    {"s^2", Term::kSquareOfS, 1.0 / 16,
     [](std::mt19937_64& rng, double& x, double& y) {
       x = centreBase(rng);
       const double steps = static_cast<double>(rng() % 2000) - 1000 + 0.5;
       y = steps * 0x1.62e42fefa39efp-8 / std::log(x);
     }},
    // |z| largest: results next to overflow and the subnormal range, v and s tiny
    {"|z|", Term::kZ, 1.0 / 32,
     [](std::mt19937_64& rng, double& x, double& y) {
       x = centreBase(rng);
       const double steps = std::round(uniform(rng, 110000, 130500)) * (rng() & 1 ? 1 : -1);
       y = steps * 0x1.62e42fefa39efp-8 / std::log(x);
     }},
    // everything small: |z| below 2^-40, v tiny
    {"constant", Term::kConstant, 1.0 / 256,
     [](std::mt19937_64& rng, double& x, double& y) {
       x = std::nextafter(1.0, rng() & 1 ? 2.0 : 0.0);
       y = uniform(rng, -1, 1) * 0x1p12;
     }},
};

// Checks every region: the error below the bound everywhere, and the largest error over the
// region's term at least its minShare (so that the term is tight and truly exercised).
void expectWithinBound(const char* evaluation, const std::vector<Region>& regions,
                       const std::function<Evaluation(double, double, Term)>& evaluate) {
  std::mt19937_64 rng(31);
  for (const Region& region : regions) {
    double worst = 0;
    for (int i = 0; i < 4000; ++i) {
      double x, y;
      region.draw(rng, x, y);
      const double z = y * std::log(x);
      if (!(z > -707 && z < 709)) continue;
      const Evaluation e = evaluate(x, y, region.term);
      const double err = relativeError(x, y, e);
      ASSERT_LE(err, e.bound) << evaluation << " " << region.name << ": pow(" << std::hexfloat << x
                              << ", " << y << ")";
      worst = std::max(worst, err / e.term);
    }
    std::printf("%s, %s: largest error %.3g of the term\n", evaluation, region.name, worst);
    EXPECT_GE(worst, region.minShare) << evaluation << " " << region.name;
  }
}

TEST(PowKernel, QuickErrorStaysBelowItsBound) {
  expectWithinBound("quick", kQuickRegions, quick<false>);
}

#if ORBISK_MATH_FMA_AT_RUN_TIME
TEST(PowKernel, QuickWithAFusedMultiplyAddStaysBelowItsBound) {
  if (!dd::kProcessorHasFma) GTEST_SKIP() << "this processor has no fused multiply-add";
  expectWithinBound("quick with fma", kQuickRegions, quickWithFma);
}
#endif

// The accurate evaluation's bound has two terms: |z|, tested where it is largest, and a constant;
// elsewhere (the quick regions of y v^3 and s^2 and the smallest z) the whole bound.
TEST(PowKernel, AccurateErrorStaysBelowItsBound) {
  std::vector<Region> regions = kQuickRegions;
  for (Region& r : regions) {
    if (r.term != Term::kZ) r.term = Term::kConstant;
    if (r.term == Term::kConstant) r.minShare = 0;
  }
  expectWithinBound("accurate", regions, accurate);
}

}  // namespace
}  // namespace orbisk::math
