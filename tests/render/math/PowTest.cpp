// pow's fast path against MPFR: whenever it answers, it must answer the correctly rounded value;
// C99's special cases must all be answered.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "render/math/AtanPowPortable.h"
#include "render/math/FastPaths.h"
#include "tests/render/math/AtanPowTesting.h"

namespace orbisk::math::testing {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string text(double x, double y) {
  return Tally::hexText(x) + ", " + Tally::hexText(y);
}

void check(Tally& tally, double x, double y) {
  double out, portableOut;
  const bool answered = fast::pow(x, y, out);
  tally.record(answered, out, mpfrPow(x, y), text(x, y));
  const bool portableAnswered = portable::pow(x, y, portableOut);
  tally.recordVariants(answered, out, portableAnswered, portableOut, text(x, y));
}

// C99 Annex F, the cases a negative base brings, overflow and underflow: each must be answered
// at once, with exactly this result.
TEST(PowFast, SpecialCasesAnsweredExactly) {
  struct Case {
    double x, y, expected;
  };
  const Case cases[] = {
      {kNaN, 0.0, 1},
      {kNaN, -0.0, 1},
      {-kInf, 0.0, 1},
      {0.0, 0.0, 1},
      {1.0, kNaN, 1},
      {1.0, -kInf, 1},
      {1.0, 12.5, 1},
      {-1.0, kInf, 1},
      {-1.0, -kInf, 1},
      {kNaN, 1.5, kNaN},
      {2.0, kNaN, kNaN},
      {-1.0, kNaN, kNaN},
      {0.0, -3.0, kInf},
      {-0.0, -3.0, -kInf},
      {-0.0, -4.0, kInf},
      {-0.0, -0.5, kInf},
      {-0.0, -kInf, kInf},
      {0.0, 3.0, 0.0},
      {-0.0, 3.0, -0.0},
      {-0.0, 4.0, 0.0},
      {-0.0, 0.5, 0.0},
      {-0.0, kInf, 0.0},
      {0.5, kInf, 0.0},
      {-0.5, -kInf, kInf},
      {2.0, kInf, kInf},
      {-2.0, -kInf, 0.0},
      {kInf, 0.5, kInf},
      {kInf, -0.5, 0.0},
      {-kInf, 3.0, -kInf},
      {-kInf, 4.0, kInf},
      {-kInf, 0.5, kInf},
      {-kInf, -3.0, -0.0},
      {-kInf, -4.0, 0.0},
      {-kInf, -0.5, 0.0},
      {-2.0, 0.5, kNaN},
      {-8.0, 1.0 / 3, kNaN},
      {-0x1p-1074, 1e-300, kNaN},
      {-2.0, 3.0, -8.0},
      {-2.0, -3.0, -0.125},
      {-3.0, 4.0, 81.0},
      {-1.0, 0x1p53, 1.0},
      {-1.0, 0x1.fffffffffffffp52, -1.0},
      {-1.5, 1e300, kInf},
      {-1.5, 0x1p60 + 1e3, kInf},
      {-0.5, 1e300, 0.0},
      {10.0, 300.0, 1e300},
      {10.0, 309.0, kInf},
      {2.0, 1100.0, kInf},
      {-2.0, 1101.0, -kInf},
      {2.0, -1076.0, 0.0},
      {-2.0, -1077.0, -0.0},
      {0x1p-1074, 2.0, 0.0},
      {1e200, 2.0, kInf},
      {3.0, 2.0, 9.0},
      {17.0, 13.0, 9904578032905936.0},
      {3.0, 34.0, 16677181699666568.0},
      {0x1p-1074, -1.0, kInf},
      {-0.0, -1.0, -kInf},
      {kNaN, 2.0, kNaN},
      {kNaN, 1.0, kNaN},
      {1.0 + 0x1p-52, 1e-300, 1},
  };
  for (const Case& c : cases) {
    double out;
    ASSERT_TRUE(fast::pow(c.x, c.y, out)) << text(c.x, c.y);
    EXPECT_TRUE(sameResult(out, c.expected))
        << "pow(" << text(c.x, c.y) << ") = " << Tally::hexText(out);
    EXPECT_TRUE(sameResult(out, mpfrPow(c.x, c.y))) << text(c.x, c.y);
  }
}

// The ranges the renderer meets (u = b^b among them) and the whole range; the fast path must
// rarely decline.
TEST(PowFast, RandomArgumentsMatchMpfr) {
  const int n = runLength(10000);
  struct Range {
    const char* name;
    void (*draw)(Arguments&, double&, double&);
    double maxDeclined;
  };
  const Range ranges[] = {
      {"pow log-uniform base, exponent in [-50, 50]",
       [](Arguments& a, double& x, double& y) {
         x = a.logUniform(0x1p-20, 0x1p20);
         y = a.uniform(-50, 50);
       },
       0.01},
      {"pow base in (0, 100], exponent in [-50, 50]",
       [](Arguments& a, double& x, double& y) {
         x = 100 - a.uniform(0, 100);
         y = a.uniform(-50, 50);
       },
       0.01},
      {"pow integer exponent",
       [](Arguments& a, double& x, double& y) {
         x = a.logUniform(0x1p-20, 0x1p20);
         y = static_cast<double>(a.integer(-60, 60));
       },
       0.01},
      {"pow negative base",
       [](Arguments& a, double& x, double& y) {
         x = -a.logUniform(0x1p-10, 0x1p10);
         y = a.coin() ? static_cast<double>(a.integer(-60, 60)) : a.uniform(-50, 50);
       },
       0.01},
      {"pow b^b",
       [](Arguments& a, double& x, double& y) {
         x = y = a.coin() ? a.uniform(-100, 100) : static_cast<double>(a.integer(-100, 100));
       },
       0.01},
      {"pow small integers",
       [](Arguments& a, double& x, double& y) {
         x = static_cast<double>(a.integer(-20, 20));
         y = static_cast<double>(a.integer(-20, 20));
       },
       1.0},  // exact midpoints are left to the slow path
      {"pow any finite",
       [](Arguments& a, double& x, double& y) {
         x = a.anyFinite();
         y = a.coin() ? a.anyFinite() : a.uniform(-2000, 2000) / std::fabs(std::log(std::fabs(x)));
       },
       1.0},  // many results lie near overflow or below the normal range
  };
  uint64_t seed = 100;
  for (const Range& range : ranges) {
    Arguments args(seed++);
    Tally tally(range.name);
    for (int i = 0; i < n; ++i) {
      double x, y;
      range.draw(args, x, y);
      check(tally, x, y);
    }
    EXPECT_LE(tally.declined(), range.maxDeclined) << range.name;
  }
}

// Arguments whose exact power lies on or within about 2^-25 ulp of a midpoint (found by the
// DISABLED test below): declining is fine, a wrong answer not.
const double kHardCases[][2] = {
#include "tests/render/math/PowHardCases.inc"
};

TEST(PowFast, HardToRoundCasesDeclinedOrRight) {
  Tally tally("pow hard cases");
  for (const auto& c : kHardCases) check(tally, c[0], c[1]);
  EXPECT_EQ(tally.wrong(), 0);
}

// Prints the hardest cases among random arguments, and among integer powers of small odd
// integers (exact results of 54 to 106 bits), for PowHardCases.inc: the closest dozen that are
// not exactly halfway, and eight that are.
TEST(PowFast, DISABLED_FindHardCases) {
  const int n = runLength(20000);
  Arguments args(7);
  using Case = std::pair<double, std::pair<double, double>>;  // (distance, (x, y))
  std::vector<Case> inexact, halfway;
  for (int i = 0; i < n; ++i) {
    double x, y;
    switch (i % 3) {
      case 0:
        x = args.logUniform(0x1p-20, 0x1p20);
        y = args.uniform(-50, 50);
        break;
      case 1:
        x = static_cast<double>(2 * args.integer(1, 1 << 19) + 1);
        y = static_cast<double>(args.integer(3, std::max(3, static_cast<int>(100 / std::log2(x)))));
        break;
      default:
        x = y = args.uniform(0, 100);
    }
    const double exact = mpfrPow(x, y);
    if (!std::isfinite(exact) || std::fabs(exact) < 0x1p-1022) continue;
    const double d = midpointDistance([x, y](mpfr_ptr v) {
      mpfr_t a, b;
      mpfr_init2(a, 53);
      mpfr_init2(b, 53);
      mpfr_set_d(a, x, MPFR_RNDN);
      mpfr_set_d(b, y, MPFR_RNDN);
      mpfr_pow(v, a, b, MPFR_RNDN);
      mpfr_clear(a);
      mpfr_clear(b);
    });
    std::vector<Case>& list = d == 0 ? halfway : inexact;
    if (d == 0 && list.size() >= 8) continue;
    list.push_back({d, {x, y}});
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    if (list.size() > 12) list.resize(12);
  }
  for (const auto* list : {&inexact, &halfway})
    for (auto [d, c] : *list)
      std::printf("    {%s},  // %.3g ulp\n", text(c.first, c.second).c_str(), d);
}

}  // namespace
}  // namespace orbisk::math::testing
