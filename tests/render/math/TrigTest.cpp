// sin, cos and tan against MPFR: whenever the fast evaluation decides, its result must be the
// correctly rounded one; it must decide nearly always; special inputs have their fixed results;
// and on the hardest cases found (results nearest a midpoint between two doubles) it must
// decline or be right. ORBISK_MATH_LONG=1 runs millions of inputs instead of tens of thousands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "tests/render/math/MpfrReference.h"

namespace orbisk::math {
namespace {

using testing::sameResult;

struct TrigFunction {
  const char* name;
  bool (*fast)(double, double&);
  double (*reference)(double);
  int (*mpfr)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
};

const TrigFunction kFunctions[] = {
    {"sin", fast::sin, testing::mpfrSin, mpfr_sin},
    {"cos", fast::cos, testing::mpfrCos, mpfr_cos},
    {"tan", fast::tan, testing::mpfrTan, mpfr_tan},
    {"sin without fma", fast::withoutFma::sin, testing::mpfrSin, mpfr_sin},
    {"cos without fma", fast::withoutFma::cos, testing::mpfrCos, mpfr_cos},
    {"tan without fma", fast::withoutFma::tan, testing::mpfrTan, mpfr_tan},
};

bool longRun() {
  const char* v = std::getenv("ORBISK_MATH_LONG");
  return v && std::strcmp(v, "1") == 0;
}

double fromBits(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// A double with a random sign and mantissa and a biased exponent in [lowest, highest].
double withExponent(std::mt19937_64& rng, unsigned lowest, unsigned highest) {
  const uint64_t exponent = std::uniform_int_distribution<unsigned>(lowest, highest)(rng);
  return fromBits((rng() & 0x800fffffffffffffu) | exponent << 52);
}

// Near k quarter turns of pi/2 (so multiples of pi/4), a few doubles either way.
double nearQuarterPi(std::mt19937_64& rng) {
  const int bits = std::uniform_int_distribution<int>(0, 40)(rng);
  const double k = static_cast<double>(rng() >> (63 - bits)) + 1;
  double x = k * 0x1.921fb54442d18p-1;  // k pi/4, within an ulp or so
  for (int steps = std::uniform_int_distribution<int>(-3, 3)(rng); steps != 0;)
    x = steps < 0 ? (++steps, std::nextafter(x, 0.0)) : (--steps, std::nextafter(x, INFINITY));
  return rng() & 1 ? -x : x;
}

struct InputFamily {
  const char* name;
  double (*draw)(std::mt19937_64&);
  double maxDeclined;  // the fraction of inputs the fast path may leave to the slow one
};

const InputFamily kFamilies[] = {
    {"uniform in [-2^12, 2^12]",
     [](std::mt19937_64& rng) { return std::uniform_real_distribution<double>(-4096, 4096)(rng); },
     0.01},
    {"log-uniform, every exponent", [](std::mt19937_64& rng) { return withExponent(rng, 0, 2046); },
     0.01},
    {"near multiples of pi/4", nearQuarterPi, 0.05},
    {"tiny and subnormal", [](std::mt19937_64& rng) { return withExponent(rng, 0, 1023 - 20); },
     0.01},
};

TEST(Trig, FastPathIsCorrectlyRoundedWheneverItDecides) {
  const int perFamily = longRun() ? 1000000 : 10000;
  for (const TrigFunction& f : kFunctions) {
    for (const InputFamily& family : kFamilies) {
      std::mt19937_64 rng(20261208);
      int declined = 0, wrong = 0;
      for (int n = 0; n < perFamily; ++n) {
        const double x = family.draw(rng);
        double r;
        if (!f.fast(x, r)) {
          ++declined;
          continue;
        }
        const double want = f.reference(x);
        if (!sameResult(r, want) && ++wrong <= 5)
          ADD_FAILURE() << f.name << "(" << std::hexfloat << x << ") = " << r << ", not " << want;
      }
      const double fraction = static_cast<double>(declined) / perFamily;
      std::printf("%s, %s: %d of %d declined (%.4f %%)\n", f.name, family.name, declined, perFamily,
                  100 * fraction);
      EXPECT_EQ(wrong, 0) << f.name << ", " << family.name;
      EXPECT_LT(fraction, family.maxDeclined) << f.name << ", " << family.name;
    }
  }
}

TEST(Trig, SpecialInputsHaveTheirFixedResults) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double tiny = 0x1p-1074;
  struct Case {
    double x, sin, cos, tan;
  };
  const Case cases[] = {
      {0.0, 0.0, 1, 0.0},
      {-0.0, -0.0, 1, -0.0},
      {inf, nan, nan, nan},
      {-inf, nan, nan, nan},
      {nan, nan, nan, nan},
      {tiny, tiny, 1, tiny},
      {-tiny, -tiny, 1, -tiny},
      {DBL_MIN, DBL_MIN, 1, DBL_MIN},
      {-0x1.fffffffffffffp-27, -0x1.fffffffffffffp-27, 0x1.fffffffffffffp-1, -0x1p-26},
  };
  for (const Case& c : cases) {
    const double want[] = {c.sin, c.cos, c.tan};
    for (int n = 0; n < static_cast<int>(std::size(kFunctions)); ++n) {
      double r;
      ASSERT_TRUE(kFunctions[n].fast(c.x, r)) << kFunctions[n].name << "(" << c.x << ")";
      EXPECT_TRUE(sameResult(r, want[n % 3])) << kFunctions[n].name << "(" << c.x << ") = " << r;
      EXPECT_TRUE(sameResult(r, kFunctions[n].reference(c.x))) << kFunctions[n].name;
    }
  }
}

// Inputs around the thresholds below which a result is x or 1, around the change from the
// quick reduction to the precise one, and the largest doubles: right whenever decided.
TEST(Trig, BoundariesOfEveryPath) {
  const double edges[] = {0x1p-27,
                          0x1p-26,
                          0x1p-25,
                          0x1.921fb54442d18p-10,
                          0x1p16,
                          0x1.921fb54442d18p+0,
                          0x1.921fb54442d18p+1,
                          1e22,
                          DBL_MAX};
  for (const double edge : edges) {
    double below = edge, above = edge;
    for (int steps = 0; steps < 8; ++steps) {
      for (const double y : {below, -below, above, -above}) {
        for (const TrigFunction& f : kFunctions) {
          double r;
          if (f.fast(y, r)) {
            EXPECT_TRUE(sameResult(r, f.reference(y)))
                << f.name << "(" << std::hexfloat << y << ") = " << r;
          }
        }
      }
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, INFINITY);
    }
  }
}

// The distance, in units in the last place, between f(x) and the nearest midpoint of two
// consecutive doubles (0 for a result exactly on one): the smaller, the harder to round.
double distanceToMidpoint(const TrigFunction& f, double x) {
  mpfr_t a, v;
  mpfr_init2(a, 53);
  mpfr_init2(v, 256);
  mpfr_set_d(a, x, MPFR_RNDN);
  f.mpfr(v, a, MPFR_RNDN);
  mpfr_abs(v, v, MPFR_RNDN);
  mpfr_mul_2si(v, v, 53 - mpfr_get_exp(v), MPFR_RNDN);  // one ulp is now 1
  mpfr_frac(v, v, MPFR_RNDN);
  mpfr_sub_d(v, v, 0.5, MPFR_RNDN);
  const double out = std::fabs(mpfr_get_d(v, MPFR_RNDN));
  mpfr_clear(a);
  mpfr_clear(v);
  return out;
}

struct HardCase {
  int function;  // index in kFunctions, among the first three
  double x;
};

// The hardest of four million random inputs per function (half uniform in [-2^12, 2^12], half
// with exponents from -20 to 40), found by DISABLED_FindHardCases with ORBISK_MATH_LONG=1. They
// lie within 2^-21 ulp of a midpoint, far inside the fast path's error bound, so it should decline
// them all.
const HardCase kHardCases[] = {
#include "tests/render/math/TrigHardCases.inc"
};

TEST(Trig, HardestCasesDeclineOrAreRight) {
  int declined = 0;
  for (const HardCase& c : kHardCases) {
    for (const int variant : {0, 3}) {  // with and without fused multiply-adds
      const TrigFunction& f = kFunctions[c.function + variant];
      double r;
      if (!f.fast(c.x, r)) {
        ++declined;
        continue;
      }
      EXPECT_TRUE(sameResult(r, f.reference(c.x))) << f.name << "(" << std::hexfloat << c.x << ")";
    }
  }
  std::printf("%d of %zu hardest cases declined\n", declined, 2 * std::size(kHardCases));
}

TEST(Trig, DISABLED_FindHardCases) {
  constexpr int kKeep = 20;
  const int perFunction = longRun() ? 4000000 : 100000;
  for (int n = 0; n < 3; ++n) {
    std::mt19937_64 rng(7 + n);
    std::vector<std::pair<double, double>> hardest;  // distance, x
    for (int i = 0; i < perFunction; ++i) {
      const double x = i % 2 ? kFamilies[0].draw(rng) : withExponent(rng, 1023 - 20, 1023 + 40);
      const double d = distanceToMidpoint(kFunctions[n], x);
      if (hardest.size() < kKeep || d < hardest.back().first) {
        hardest.emplace_back(d, x);
        std::sort(hardest.begin(), hardest.end());
        if (hardest.size() > kKeep) hardest.pop_back();
      }
    }
    for (const auto& [d, x] : hardest) std::printf("    {%d, %a},  // %.3g ulp\n", n, x, d);
  }
}

}  // namespace
}  // namespace orbisk::math
