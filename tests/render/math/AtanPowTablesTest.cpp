// The committed tables against MPFR, entry by entry, and the bound the log series relies on.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

#include "render/math/AtanPowTables.h"
#include "tests/render/math/AtanPowTableMaker.h"
#include "tests/render/math/MpfrReference.h"

namespace orbisk::math::testing {
namespace {

void expectSame(DoubleDouble committed, DoubleDouble derived, const char* what, int i) {
  EXPECT_TRUE(sameResult(committed.hi, derived.hi) && sameResult(committed.lo, derived.lo))
      << what << "[" << i << "]";
}

TEST(AtanPowTables, MatchMultiprecision) {
  for (int i = 0; i <= tables::kAtanSteps; ++i) {
    expectSame(tables::kAtanOfStep[i], atanOfStep(i), "atan", i);
    expectSame(tables::kHalfPiMinusAtanOfStep[i], halfPiMinusAtanOfStep(i), "pi/2 - atan", i);
  }
  for (int i = 0; i < tables::kLogIntervals; ++i) {
    const tables::LogEntry e = logEntry(i);
    EXPECT_EQ(tables::kLog[i].reciprocal, e.reciprocal) << "log[" << i << "]";
    expectSame(tables::kLog[i].minusLogOf, e.minusLogOf, "log", i);
  }
  for (int j = 0; j < tables::kExpSteps; ++j)
    expectSame(tables::kExp2OfStep[j], exp2OfStep(j), "exp2", j);
  const std::vector<double> l = ln2Split(), m = ln2OverStepsSplit();
  EXPECT_EQ(tables::kLn2Hi, l[0]);
  EXPECT_EQ(tables::kLn2Lo, l[1]);
  EXPECT_EQ(tables::kLn2OverStepsHi, m[0]);
  EXPECT_EQ(tables::kLn2OverStepsMid, m[1]);
  EXPECT_EQ(tables::kLn2OverStepsLo, m[2]);
  EXPECT_EQ(tables::kStepsOverLn2, stepsOverLn2());
  expectSame(tables::kThird, third(), "1/3", 0);
}

// atan's series is accurate for |1/|x| - c| <= 3/256, and its numerator c|x| - 1 is exact only
// for c|x| in [1/2, 2]: check both ends of every interval (1/|x| is monotonic).
TEST(AtanPowTables, ReciprocalStepsStayNearTheReciprocal) {
  for (int j = 0; j < tables::kReciprocalStepIntervals; ++j) {
    EXPECT_EQ(tables::kReciprocalStep[j], reciprocalStep(j)) << "step[" << j << "]";
    const double c = tables::kReciprocalStep[j] / double(tables::kAtanSteps);
    const auto [first, last] = reciprocalStepInterval(j);
    for (double x : {first, last}) {
      EXPECT_LE(std::fabs(1 / x - c), 3.0 / 256) << "interval " << j;
      EXPECT_TRUE(c == 0 || (c * x >= 0.5 && c * x <= 2)) << "interval " << j;
    }
  }
}

// The log series is accurate for |m r - 1| < 2^-7.8 and exact at 1: check both ends of every
// interval (m r - 1 is monotonic in m), and that the interval around 1 needs no table value.
TEST(AtanPowTables, LogIntervalsStayNearTheirCentres) {
  const int shift = 52 - tables::kLogIntervalBits;
  for (int i = 0; i < tables::kLogIntervals; ++i) {
    const uint64_t first = tables::kLogOffset + (uint64_t(i) << shift);
    const double ends[] = {std::bit_cast<double>(first),
                           std::bit_cast<double>(first + (uint64_t{1} << shift) - 1)};
    for (double m : ends)
      EXPECT_LE(std::fabs(m * tables::kLog[i].reciprocal - 1), 0x1p-8 + 0x1p-12)
          << "interval " << i;
  }
  const int aroundOne =
      static_cast<int>((std::bit_cast<uint64_t>(1.0) - tables::kLogOffset) >> shift);
  EXPECT_EQ(tables::kLog[aroundOne].reciprocal, 1.0);
}

// Regenerates render/math/AtanPowTables.cpp: run orbisk_math_tests with
// --gtest_also_run_disabled_tests --gtest_filter=AtanPowTables.DISABLED_PrintSource, and keep
// the lines from the first comment to the closing namespace.
TEST(AtanPowTables, DISABLED_PrintSource) {
  std::cout << tablesSource();
}

}  // namespace
}  // namespace orbisk::math::testing
