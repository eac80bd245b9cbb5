// C99's special cases (Annex F) on every path: the functions the renderer calls, their fast
// evaluations (with and without fused multiply-adds) and the multiprecision ones must all give
// exactly these results, signs of zeros included.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "render/math/AtanPowPortable.h"
#include "render/math/ExactMath.h"
#include "render/math/FastPaths.h"
#include "render/math/SlowPaths.h"
#include "tests/render/math/SlowTestSupport.h"

namespace orbisk::math::testing {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();
constexpr double kHalfPi = 0x1.921fb54442d18p+0;  // pi/2 rounded to nearest
constexpr double kOddBelow2To53 = 0x1.fffffffffffffp52;

// One way of evaluating a function: a fast path may decline (false), the others always answer.
template <class... Args>
using Path = bool (*)(Args..., double&);

template <class... Args>
struct NamedPath {
  const char* name;
  Path<Args...> path;
};

struct UnaryCase {
  double x, expected;
};

// Checks every path of one function on a table; whole and slow always answer, the fast ones
// must answer with the same result whenever they answer.
void checkUnary(const char* function, double (*whole)(double), double (*slow)(double),
                const std::vector<NamedPath<double>>& fast, const std::vector<UnaryCase>& cases) {
  for (const UnaryCase& c : cases) {
    const std::string call = std::string(function) + "(" + hex(c.x) + ")";
    EXPECT_TRUE(sameResult(whole(c.x), c.expected)) << call << " gives " << hex(whole(c.x));
    EXPECT_TRUE(sameResult(slow(c.x), c.expected)) << call << " slow gives " << hex(slow(c.x));
    for (const auto& [name, path] : fast) {
      double out;
      if (path(c.x, out)) {
        EXPECT_TRUE(sameResult(out, c.expected)) << call << " " << name;
      }
    }
  }
}

// Zeros keep their sign, infinities give NaN, NaN propagates; the smallest arguments are their
// own sine and tangent.
TEST(AnnexF, SinCosTan) {
  checkUnary("sin", math::sin, slow::sin,
             {{"fast", fast::sin}, {"without fma", fast::withoutFma::sin}},
             {{0.0, 0.0},
              {-0.0, -0.0},
              {kInf, kNaN},
              {-kInf, kNaN},
              {kNaN, kNaN},
              {kTiny, kTiny},
              {-kTiny, -kTiny},
              {0x1p-1022, 0x1p-1022}});
  checkUnary("cos", math::cos, slow::cos,
             {{"fast", fast::cos}, {"without fma", fast::withoutFma::cos}},
             {{0.0, 1.0}, {-0.0, 1.0}, {kInf, kNaN}, {-kInf, kNaN}, {kNaN, kNaN}, {kTiny, 1.0}});
  checkUnary("tan", math::tan, slow::tan,
             {{"fast", fast::tan}, {"without fma", fast::withoutFma::tan}},
             {{0.0, 0.0},
              {-0.0, -0.0},
              {kInf, kNaN},
              {-kInf, kNaN},
              {kNaN, kNaN},
              {kTiny, kTiny},
              {-kTiny, -kTiny}});
}

// atan: zeros keep their sign, infinities give pi/2 rounded with their sign.
TEST(AnnexF, Atan) {
  checkUnary("atan", math::atan, slow::atan, {{"fast", fast::atan}, {"portable", portable::atan}},
             {{0.0, 0.0},
              {-0.0, -0.0},
              {kInf, kHalfPi},
              {-kInf, -kHalfPi},
              {kNaN, kNaN},
              {kTiny, kTiny},
              {-kTiny, -kTiny},
              {kMax, kHalfPi},
              {-kMax, -kHalfPi}});
}

struct PowCase {
  double x, y, expected;
};

// Every item of F.9.4.4 (F.10.4.4 in C11), each with a few representatives, and the cases of a
// base of -1 with exponents beyond any exact evaluation.
const PowCase kPowCases[] = {
    // pow(+-0, y) is +-inf for an odd integer y < 0
    {0.0, -1.0, kInf},
    {-0.0, -1.0, -kInf},
    {-0.0, -3.0, -kInf},
    {-0.0, -kOddBelow2To53, -kInf},
    // +inf for a finite y < 0 that is no odd integer, and for y = -inf
    {-0.0, -2.0, kInf},
    {-0.0, -0.5, kInf},
    {0.0, -kMax, kInf},
    {-0.0, -0x1p53, kInf},
    {-0.0, -kTiny, kInf},
    {-0.0, -kInf, kInf},
    // +-0 for an odd integer y > 0
    {-0.0, 1.0, -0.0},
    {-0.0, 3.0, -0.0},
    {0.0, 3.0, 0.0},
    {-0.0, kOddBelow2To53, -0.0},
    // +0 for y > 0 that is no odd integer, and for y = +inf
    {-0.0, 2.0, 0.0},
    {-0.0, 0.5, 0.0},
    {-0.0, kTiny, 0.0},
    {-0.0, kMax, 0.0},
    {-0.0, kInf, 0.0},
    // pow(-1, +-inf) is 1
    {-1.0, kInf, 1.0},
    {-1.0, -kInf, 1.0},
    // pow(+1, y) is 1 for any y, even a NaN
    {1.0, kNaN, 1.0},
    {1.0, kInf, 1.0},
    {1.0, -kMax, 1.0},
    {1.0, kTiny, 1.0},
    // pow(x, +-0) is 1 for any x, even a NaN
    {kNaN, 0.0, 1.0},
    {kNaN, -0.0, 1.0},
    {-kInf, 0.0, 1.0},
    {-0.0, -0.0, 1.0},
    {-3.5, 0.0, 1.0},
    // a NaN for a finite x < 0 and a finite y that is no integer
    {-1.0, 0.5, kNaN},
    {-1.0, kTiny, kNaN},
    {-2.0, 1.5, kNaN},
    {-kMax, -0.5, kNaN},
    {-kTiny, 0x1.8p0, kNaN},
    // y = -inf: +inf for |x| < 1, +0 for |x| > 1
    {0.5, -kInf, kInf},
    {-kTiny, -kInf, kInf},
    {-1.0 + 0x1p-53, -kInf, kInf},
    {1.0 + 0x1p-52, -kInf, 0.0},
    {-kMax, -kInf, 0.0},
    // y = +inf: +0 for |x| < 1, +inf for |x| > 1
    {0.5, kInf, 0.0},
    {-1.0 + 0x1p-53, kInf, 0.0},
    {-1.0 - 0x1p-52, kInf, kInf},
    {kMax, kInf, kInf},
    // x = -inf: -0 for an odd integer y < 0, +0 for other y < 0, -inf for an odd integer y > 0,
    // +inf for other y > 0
    {-kInf, -1.0, -0.0},
    {-kInf, -kOddBelow2To53, -0.0},
    {-kInf, -2.0, 0.0},
    {-kInf, -kTiny, 0.0},
    {-kInf, 1.0, -kInf},
    {-kInf, 5.0, -kInf},
    {-kInf, 2.0, kInf},
    {-kInf, 0.5, kInf},
    {-kInf, kMax, kInf},
    // x = +inf: +0 for y < 0, +inf for y > 0
    {kInf, -kTiny, 0.0},
    {kInf, -1.0, 0.0},
    {kInf, kTiny, kInf},
    {kInf, 3.0, kInf},
    // otherwise a NaN argument gives a NaN
    {kNaN, 1.0, kNaN},
    {kNaN, kInf, kNaN},
    {-1.0, kNaN, kNaN},
    {0.0, kNaN, kNaN},
    // pow(-1, y) for any integer y is +-1, however large |y|
    {-1.0, 4097.0, -1.0},
    {-1.0, -4097.0, -1.0},
    {-1.0, 4098.0, 1.0},
    {-1.0, -4098.0, 1.0},
    {-1.0, 1e6 + 1, -1.0},
    {-1.0, kOddBelow2To53, -1.0},
    {-1.0, -kOddBelow2To53, -1.0},
    {-1.0, 0x1p53, 1.0},
    {-1.0, kMax, 1.0},
    {-1.0, -kMax, 1.0},
};

void checkPow(const char* name, double (*f)(double, double)) {
  for (const PowCase& c : kPowCases)
    EXPECT_TRUE(sameResult(f(c.x, c.y), c.expected))
        << name << " pow(" << hex(c.x) << ", " << hex(c.y) << ") gives " << hex(f(c.x, c.y));
}

TEST(AnnexF, PowOnEveryPath) {
  checkPow("whole", math::pow);
  checkPow("slow", slow::pow);
  for (const auto& [name, path] : {NamedPath<double, double>{"fast", fast::pow},
                                   NamedPath<double, double>{"portable", portable::pow}}) {
    for (const PowCase& c : kPowCases) {
      double out;
      // The fast paths answer every special case at once.
      ASSERT_TRUE(path(c.x, c.y, out)) << name << " pow(" << hex(c.x) << ", " << hex(c.y) << ")";
      EXPECT_TRUE(sameResult(out, c.expected))
          << name << " pow(" << hex(c.x) << ", " << hex(c.y) << ") gives " << hex(out);
    }
  }
}

// MPFR's pow, the reference of every other pow test, follows the same table.
TEST(AnnexF, ReferenceAgrees) {
  checkPow("mpfr", mpfrPow);
}

}  // namespace
}  // namespace orbisk::math::testing
