#include "render/random/RandomCombination.h"

#include <gtest/gtest.h>

#include <set>

namespace orbisk {
namespace {

TEST(RandomCombination, EveryValueOfEveryControlOccursAndNothingElse) {
  std::set<int> seen[10];
  const int limits[10] = {10, 14, 20, 11, 11, 8, 35, 10, 20, 24};
  for (uint64_t seed = 0; seed < 5000; ++seed) {
    const RandomCombination c = drawRandomCombination(seed);
    const int values[10] = {c.of(Field::cat),   c.of(Field::ali),    c.of(Field::eff),
                            c.of(Field::func1), c.of(Field::func2),  c.of(Field::t1),
                            c.of(Field::w),     c.of(Field::worldw), c.of(Field::sols),
                            c.of(Field::cit)};
    for (int i = 0; i < 10; ++i) {
      ASSERT_GE(values[i], 1) << "draw " << i;
      ASSERT_LE(values[i], limits[i]) << "draw " << i;
      seen[i].insert(values[i]);
    }
  }
  for (int i = 0; i < 10; ++i) EXPECT_EQ(seen[i].size(), size_t(limits[i])) << "draw " << i;
}

TEST(RandomCombination, TheSeedDecidesTheDraws) {
  const RandomCombination a = drawRandomCombination(42), b = drawRandomCombination(42);
  EXPECT_EQ(a.of(Field::cat), b.of(Field::cat));
  EXPECT_EQ(a.of(Field::cit), b.of(Field::cit));
  EXPECT_EQ(a.of(Field::func2), b.of(Field::func2));
}

}  // namespace
}  // namespace orbisk
