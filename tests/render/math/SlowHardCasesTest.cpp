// The multiprecision path on the hardest inputs known: results that lie closest to a rounding
// boundary (the tables of the fast-path tests, and pow's families whose results come within
// 2^-50 ulp of a midpoint), arguments next to multiples of pi/2 up to the largest doubles, and
// pow next to overflow and underflow. Each must come out correctly rounded at the first step of
// Ziv's loop (SlowZiv.h argues why no double input needs the last). DISABLED_LongestCall times
// them, DISABLED_FindPowHardCases searches pow's families with MPFR.
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "render/math/SlowPaths.h"
#include "render/math/SlowZiv.h"
#include "tests/render/math/AtanPowTesting.h"
#include "tests/render/math/SlowTestSupport.h"

namespace orbisk::math::testing {
namespace {

struct TrigCase {
  int function;  // 0 sin, 1 cos, 2 tan
  double x;
};
const TrigCase kTrigHardCases[] = {
#include "tests/render/math/TrigHardCases.inc"
    // next to multiples of pi/2, up to the largest doubles
    {0, 0x1.6ac5b262ca1ffp+849},  {1, 0x1.6ac5b262ca1ffp+849},   {2, 0x1.6ac5b262ca1ffp+849},
    {2, 0x1.921fb54442d18p+0},    {1, 0x1.921fb54442d18p+0},     {2, 0x1.921fb54442d18p+1},
    {0, 0x1.fffffffffffffp+1023}, {2, -0x1.fffffffffffffp+1023},
};
const double kAtanHardCases[] = {
#include "tests/render/math/AtanHardCases.inc"
};
const double kPowHardCases[][2] = {
#include "tests/render/math/PowHardCases.inc"
#include "tests/render/math/SlowPowHardCases.inc"
};

// One call of the multiprecision path, with its MPFR reference.
struct Call {
  std::string name;
  std::function<double()> slow;
  std::function<double()> reference;
};

std::vector<Call> hardCalls() {
  std::vector<Call> calls;
  double (*const trig[])(double) = {slow::sin, slow::cos, slow::tan};
  double (*const trigReference[])(double) = {mpfrSin, mpfrCos, mpfrTan};
  const char* trigName[] = {"sin", "cos", "tan"};
  for (const TrigCase& c : kTrigHardCases)
    calls.push_back({std::string(trigName[c.function]) + "(" + hex(c.x) + ")",
                     [f = trig[c.function], x = c.x] { return f(x); },
                     [f = trigReference[c.function], x = c.x] { return f(x); }});
  for (const double x : kAtanHardCases)
    calls.push_back(
        {"atan(" + hex(x) + ")", [x] { return slow::atan(x); }, [x] { return mpfrAtan(x); }});
  for (const auto& c : kPowHardCases)
    calls.push_back({"pow(" + hex(c[0]) + ", " + hex(c[1]) + ")",
                     [x = c[0], y = c[1]] { return slow::pow(x, y); },
                     [x = c[0], y = c[1]] { return mpfrPow(x, y); }});
  return calls;
}

TEST(SlowHardCases, RoundedCorrectlyAtTheFirstStep) {
  for (const Call& c : hardCalls()) {
    const double r = c.slow();
    EXPECT_TRUE(agrees(r, c.reference(), c.name));
    // The exact results on a rounding boundary are rounded before Ziv's loop, which then
    // leaves lastLimbs as the previous call left it: start from 0.
    slow::lastLimbs = 0;
    c.slow();
    EXPECT_LE(slow::lastLimbs, slow::kFirstLimbs) << c.name;
  }
}

// Forcing the last step must give the same results: its bound holds at every precision.
TEST(SlowHardCases, EveryStepOfZivsLoopAgrees) {
  for (const int limbs : {2 * slow::kFirstLimbs, slow::kLastLimbs}) {
    slow::decideFromLimbs = limbs;
    for (const Call& c : hardCalls()) EXPECT_TRUE(agrees(c.slow(), c.reference(), c.name));
    slow::decideFromLimbs = 0;
  }
}

// The longest single call among the hard cases, as they are and with Ziv's loop forced through
// all its steps (the longest any call can take).
TEST(SlowHardCases, DISABLED_LongestCall) {
  using Clock = std::chrono::steady_clock;
  for (const int limbs : {0, slow::kLastLimbs}) {
    slow::decideFromLimbs = limbs;
    double longest = 0;
    std::string which;
    for (const Call& c : hardCalls()) {
      double best = 1e300;
      for (int i = 0; i < 5; ++i) {
        const auto t0 = Clock::now();
        c.slow();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
      }
      if (best > longest) {
        longest = best;
        which = c.name;
      }
    }
    std::printf("%s: longest call %.1f us, %s\n", limbs ? "every step forced" : "as they come",
                1e6 * longest, which.c_str());
    slow::decideFromLimbs = 0;
  }
}

// pow's families with results next to a midpoint: bases next to 1 to half-integer powers
// ((1 + k 2^-52)^(n/2) = 1 + nk 2^-53 + ...), with huge exponents carrying them next to
// overflow and underflow, and random results next to overflow. Prints the closest for
// SlowPowHardCases.inc.
TEST(SlowHardCases, DISABLED_FindPowHardCases) {
  std::vector<std::pair<double, std::pair<double, double>>> found;  // distance, (x, y)
  const auto consider = [&found](double x, double y) {
    const double exact = mpfrPow(x, y);
    if (!std::isfinite(exact) || std::fabs(exact) < 0x1p-1022) return;
    const double d = midpointDistance([x, y](mpfr_ptr v) {
      mpfr_t a, b;
      mpfr_inits2(53, a, b, static_cast<mpfr_ptr>(nullptr));
      mpfr_set_d(a, x, MPFR_RNDN);
      mpfr_set_d(b, y, MPFR_RNDN);
      mpfr_pow(v, a, b, MPFR_RNDN);
      mpfr_clears(a, b, static_cast<mpfr_ptr>(nullptr));
    });
    if (d > 0) found.push_back({d, {x, y}});
  };
  for (int k = 1; k <= 64; ++k)
    for (int n = -63; n <= 63; n += 2) {
      consider(1 + k * 0x1p-52, n / 2.0);
      consider(1 - k * 0x1p-53, n / 2.0);
    }
  Arguments args(31);
  for (int i = 0; i < runLength(20000); ++i) {
    const double x = 1 + static_cast<double>(args.integer(1, 1 << 20)) * 0x1p-52;
    consider(x, (709.78 - args.unit() * 0x1p-30) / std::log(x));
    const double b = args.logUniform(0x1p-20, 0x1p20);
    consider(b, 709.7827 / std::log(b) * (1 - args.unit() * 0x1p-40));
  }
  std::sort(found.begin(), found.end());
  found.resize(std::min<size_t>(found.size(), 16));
  for (const auto& [d, c] : found)
    std::printf("    {%s, %s},  // %.3g ulp\n", hex(c.first).c_str(), hex(c.second).c_str(), d);
}

}  // namespace
}  // namespace orbisk::math::testing
