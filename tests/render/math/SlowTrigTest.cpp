// sin, cos, tan and atan of the multiprecision path against MPFR.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <thread>
#include <vector>

#include "render/math/SlowPaths.h"
#include "tests/render/math/SlowTestSupport.h"

namespace orbisk::math::testing {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct UnaryFunction {
  const char* name;
  double (*ours)(double);
  double (*reference)(double);
};

const UnaryFunction kFunctions[] = {{"sin", slow::sin, mpfrSin},
                                    {"cos", slow::cos, mpfrCos},
                                    {"tan", slow::tan, mpfrTan},
                                    {"atan", slow::atan, mpfrAtan}};

// Agreement with MPFR for every function at each x; stops after a few failures.
void expectAllAgree(const std::vector<double>& xs) {
  int failures = 0;
  for (double x : xs)
    for (const UnaryFunction& f : kFunctions)
      if (!agrees(f.ours(x), f.reference(x), std::string(f.name) + "(" + hex(x) + ")") &&
          ++failures == 10)
        return;
}

TEST(SlowTrig, SpecialValuesAndSignedZeros) {
  struct Row {
    double x, sin, cos, tan, atan;
  };
  const Row rows[] = {
      {0.0, 0.0, 1.0, 0.0, 0.0},
      {-0.0, -0.0, 1.0, -0.0, -0.0},
      {kInf, kNaN, kNaN, kNaN, 0x1.921fb54442d18p+0},
      {-kInf, kNaN, kNaN, kNaN, -0x1.921fb54442d18p+0},
      {kNaN, kNaN, kNaN, kNaN, kNaN},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(hex(row.x));
    EXPECT_TRUE(sameResult(slow::sin(row.x), row.sin));
    EXPECT_TRUE(sameResult(slow::cos(row.x), row.cos));
    EXPECT_TRUE(sameResult(slow::tan(row.x), row.tan));
    EXPECT_TRUE(sameResult(slow::atan(row.x), row.atan));
  }
  expectAllAgree({0.0, -0.0, kInf, -kInf, kNaN});
}

// Subnormal and tiny arguments, where sin, tan and atan round to x or just below it, and
// arguments on both sides of pi/4, where the reduction starts.
TEST(SlowTrig, TinyAndSmallArguments) {
  expectAllAgree({0x1p-1074,
                  -0x1p-1074,
                  0x1.8p-1073,
                  0x0.fffffffffffffp-1022,
                  0x1p-1022,
                  -0x1p-1022,
                  0x1p-600,
                  0x1.5p-300,
                  0x1p-27,
                  0x1.0000000000001p-26,
                  0x1.6a09e667f3bcdp-26,
                  0x1.fffffffffffffp-27,
                  0x1p-26,
                  0.785,
                  0x1.921fb54442d18p-1,
                  0x1.921fb54442d19p-1,
                  1.0,
                  -1.0,
                  0x1.921fb54442d18p+0,
                  0x1.921fb54442d18p+1,
                  2.0,
                  3.0,
                  22.0,
                  355.0});
}

// x = q 2^e with q/p a convergent of (pi/2) / 2^e: the doubles that come closest to multiples of
// pi/2 for their exponent, where the reduction must cancel more than 100 bits beyond the
// exponent. 6381956970095103 2^797 is the closest of all doubles.
std::vector<double> nearMultiplesOfHalfPi() {
  std::vector<double> xs = {6381956970095103.0 * 0x1p797, -6381956970095103.0 * 0x1p797};
  mpfr_t alpha, floor;
  mpfr_init2(alpha, 1500);
  mpfr_init2(floor, 1500);
  for (int e : {-20, 0, 30, 60, 100, 200, 400, 600, 800, 900, 970}) {
    mpfr_const_pi(alpha, MPFR_RNDN);  // alpha = 2^(e + 1) / pi
    mpfr_ui_div(alpha, 2, alpha, MPFR_RNDN);
    mpfr_mul_2si(alpha, alpha, e, MPFR_RNDN);
    double qPrevious = 0, q = 1;  // denominators of successive convergents
    for (int i = 0; i < 200; ++i) {
      mpfr_floor(floor, alpha);
      mpfr_sub(alpha, alpha, floor, MPFR_RNDN);
      if (mpfr_zero_p(alpha)) break;
      mpfr_ui_div(alpha, 1, alpha, MPFR_RNDN);
      mpfr_floor(floor, alpha);
      const double a = mpfr_get_d(floor, MPFR_RNDZ);
      if (a * q + qPrevious >= 0x1p53) break;
      const double next = a * q + qPrevious;
      qPrevious = q;
      q = next;
    }
    xs.push_back(std::ldexp(q, e));
    xs.push_back(std::ldexp(qPrevious, e));
  }
  mpfr_clear(alpha);
  mpfr_clear(floor);
  return xs;
}

TEST(SlowTrig, HugeArgumentsNearMultiplesOfHalfPi) {
  expectAllAgree(nearMultiplesOfHalfPi());
  expectAllAgree({0x1.fffffffffffffp+1023, -0x1.fffffffffffffp+1023, 0x1p1023, 0x1p52 + 1, 1e22});
}

// The renderer calls from several threads at once; they share only the constants, which the
// first calls compute and later ones extend.
TEST(SlowPaths, ThreadsGetTheSameResults) {
  const std::vector<double> xs = nearMultiplesOfHalfPi();
  const auto evaluate = [&xs] {
    std::vector<double> results;
    for (double x : xs) {
      results.push_back(slow::sin(x));
      results.push_back(slow::atan(x));
      results.push_back(slow::pow(std::fabs(x), -0.75));
    }
    return results;
  };
  std::vector<std::vector<double>> results(4);
  std::vector<std::thread> threads;
  for (auto& result : results) threads.emplace_back([&result, &evaluate] { result = evaluate(); });
  for (std::thread& t : threads) t.join();
  const std::vector<double> expected = evaluate();
  for (const auto& result : results) {
    ASSERT_EQ(result.size(), expected.size());
    for (size_t i = 0; i < result.size(); ++i) EXPECT_TRUE(sameResult(result[i], expected[i]));
  }
}

TEST(SlowTrig, RandomArguments) {
  Inputs inputs(20);
  std::vector<double> xs;
  const int count = randomInputs(1000);
  for (int i = 0; i < count; ++i) {
    xs.push_back(inputs.any());
    xs.push_back(inputs.uniform(-4096, 4096));  // the range the renderer feeds
    xs.push_back(inputs.uniform(-8, 8));
  }
  expectAllAgree(xs);
}

}  // namespace
}  // namespace orbisk::math::testing
