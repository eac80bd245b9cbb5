// pow of the multiprecision path: C99's special cases, the exact results that are rounding
// boundaries, and random inputs, against MPFR.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "render/math/SlowPaths.h"
#include "tests/render/math/SlowTestSupport.h"

namespace orbisk::math::testing {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void expectAllAgree(const std::vector<std::pair<double, double>>& inputs) {
  int failures = 0;
  for (const auto& [x, y] : inputs)
    if (!agrees(slow::pow(x, y), mpfrPow(x, y), "pow(" + hex(x) + ", " + hex(y) + ")") &&
        ++failures == 10)
      return;
}

TEST(SlowPow, SpecialCases) {
  struct Row {
    double x, y, expected;
  };
  const Row rows[] = {
      // y = +-0 and x = 1 give 1 whatever the other is, NaN included.
      {kNaN, 0.0, 1.0},
      {kNaN, -0.0, 1.0},
      {-kInf, 0.0, 1.0},
      {1.0, kNaN, 1.0},
      {1.0, -kInf, 1.0},
      {-1.0, kInf, 1.0},
      {-1.0, -kInf, 1.0},
      // Otherwise NaN propagates.
      {kNaN, 1.0, kNaN},
      {2.0, kNaN, kNaN},
      {-1.0, kNaN, kNaN},
      // Zero bases: odd integer exponents keep the zero's sign.
      {0.0, -3.0, kInf},
      {-0.0, -3.0, -kInf},
      {-0.0, -2.0, kInf},
      {-0.0, -0.5, kInf},
      {-0.0, -kInf, kInf},
      {0.0, 3.0, 0.0},
      {-0.0, 3.0, -0.0},
      {-0.0, 2.0, 0.0},
      {-0.0, 0.5, 0.0},
      {-0.0, kInf, 0.0},
      {-0.0, 0x1p60, 0.0},
      // Infinite exponents compare |x| with 1.
      {0.5, -kInf, kInf},
      {-0.5, -kInf, kInf},
      {2.0, -kInf, 0.0},
      {0.5, kInf, 0.0},
      {-2.0, kInf, kInf},
      {-0.5, kInf, 0.0},
      // Infinite bases.
      {-kInf, -3.0, -0.0},
      {-kInf, -2.0, 0.0},
      {-kInf, 3.0, -kInf},
      {-kInf, 2.0, kInf},
      {-kInf, 0.5, kInf},
      {-kInf, -0.5, 0.0},
      {kInf, -1.0, 0.0},
      {kInf, 0x1p-1074, kInf},
      // Negative finite bases: NaN unless y is an integer, whose parity gives the sign.
      {-2.0, 0.5, kNaN},
      {-2.0, 3.0, -8.0},
      {-2.0, 2.0, 4.0},
      {-2.0, 0x1p60, kInf},
      {-2.0, -1075.0, -0.0},
      {-2.0, -1074.0, 0x1p-1074},
      {-2.0, -1073.0, -0x1p-1073},
      {-0x1p-1074, 0x1p53 + 2, 0.0},
      {-1.5, 0x1p53 + 2, kInf},
      {-1.5, 0x1p52 + 1, -kInf},
  };
  for (const Row& row : rows)
    EXPECT_TRUE(sameResult(slow::pow(row.x, row.y), row.expected))
        << "pow(" << hex(row.x) << ", " << hex(row.y) << ") gives " << hex(slow::pow(row.x, row.y));
  std::vector<std::pair<double, double>> all;
  for (const Row& row : rows) all.emplace_back(row.x, row.y);
  expectAllAgree(all);
}

// Results that are exactly a midpoint between two doubles, or a multiple of 2^-1075 in the
// subnormal range, where only exact arithmetic can round; and exact results next to them.
TEST(SlowPow, ExactResultsOnRoundingBoundaries) {
  const double c27 = 0x1p27 - 1, c18 = 0x1p18 - 1;  // squares and cubes with 54 bits
  expectAllAgree({
      {c27, 2},           {-c27, 2},          {c27 * 0x1p-600, 2},
      {c27 * 0x1p500, 2}, {c27, -2},          {c18, 3},
      {-c18, 3},          {c18 * c18, 1.5},   {c18 * c18 * 0x1p-100, 1.5},
      {c18 * c18, -1.5},  {0x1p26 + 1, 2},    {0x1p27 + 1, 2},  // 53 and 55 bits
      {9.0, 0.5},         {0x1.2p-1070, 0.5}, {81.0 * 0x1p-1000, 0.25},
      {6561.0, 0.125},    {6561.0, 0.375},    {2.0, -1075},
      {2.0, -1074},       {2.0, -1076},       {4.0, -537.5},
      {0.5, 1075},        {0x1p-1074, 1.0},   {0x1p-1074, 0.5},
      {0x1p-1074, -0.5},  {0x1p-215, 5},      {3 * 0x1p-215, 5},
      {3 * 0x1p-43, 25},  {5 * 0x1p-5, 215},  {2.0, 1023},
      {2.0, 1024},        {0x1p-512, -2},     {2.0, 0.5},
      {3.0, 2.5},
  });
}

TEST(SlowPow, RandomInputs) {
  Inputs inputs(7);
  std::vector<std::pair<double, double>> xy;
  const int count = randomInputs(1000);
  for (int i = 0; i < count; ++i) {
    xy.emplace_back(inputs.any(), inputs.any());
    // The renderer's bases and exponents, and negative bases with integer exponents.
    xy.emplace_back(inputs.uniform(0x1p-52, 100), inputs.uniform(-50, 50));
    xy.emplace_back(-inputs.uniform(0, 100), std::round(inputs.uniform(-50, 50)));
    // Bases next to 1 with exponents that carry them to the ends of the range.
    xy.emplace_back(1 + inputs.uniform(-0x1p-40, 0x1p-40),
                    std::ldexp(inputs.uniform(-1, 1), static_cast<int>(inputs.raw() % 60)));
  }
  expectAllAgree(xy);
}

}  // namespace
}  // namespace orbisk::math::testing
