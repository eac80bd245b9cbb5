// atan's accurate evaluation against MPFR at 300 bits: its error must stay below the bound its
// rounding test uses, in every branch and where t is largest (half a step from a table value).
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "render/math/AtanAccurate.h"

namespace orbisk::math {
namespace {

double relativeError(double x, DoubleDouble r) {
  mpfr_t v;
  mpfr_init2(v, 300);
  mpfr_set_d(v, x, MPFR_RNDN);
  mpfr_atan(v, v, MPFR_RNDN);
  mpfr_sub_d(v, v, r.hi, MPFR_RNDN);
  mpfr_sub_d(v, v, r.lo, MPFR_RNDN);
  const double out = std::fabs(mpfr_get_d(v, MPFR_RNDU)) / std::fabs(r.hi);
  mpfr_clear(v);
  return out;
}

TEST(AtanAccurate, ErrorStaysBelowItsBound) {
  std::mt19937_64 rng(31);
  const auto unit = [&rng] { return static_cast<double>(rng() >> 11) * 0x1p-53; };
  struct Region {
    const char* name;
    double (*draw)(double u, uint64_t bits);
  };
  const Region regions[] = {
      {"series alone, [2^-27, 1/128)", [](double u, uint64_t) { return std::exp2(-27 + 20 * u); }},
      {"half a step from a table value, [1/128, 1]",
       [](double u, uint64_t bits) {
         return (static_cast<double>(1 + bits % 64) + (u < 0.5 ? -0.5 : 0.5) * (1 - u * 1e-6)) / 64;
       }},
      {"[1/128, 1]", [](double u, uint64_t) { return 1.0 / 128 + u * (1 - 1.0 / 128); }},
      {"(1, 128)", [](double u, uint64_t) { return std::exp2(7 * u); }},
      {"[128, 2^53)", [](double u, uint64_t) { return std::exp2(7 + 46 * u); }},
  };
  for (const Region& region : regions) {
    double worst = 0;
    for (int i = 0; i < 20000; ++i) {
      const double x = region.draw(unit(), rng());
      if (!(x >= 0x1p-27 && x < 0x1p53)) continue;
      const double err = relativeError(x, accurateAtanOf(x));
      ASSERT_LE(err, kAtanAccurateError) << region.name << ": atan(" << std::hexfloat << x << ")";
      worst = std::max(worst, err);
    }
    std::printf("%s: largest error %.3g of the bound\n", region.name, worst / kAtanAccurateError);
  }
}

}  // namespace
}  // namespace orbisk::math
