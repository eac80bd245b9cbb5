// The candidate sequence the gallery and orbisk-render --random share: which candidates are
// chosen, that any piece of the sequence gives the same candidates, and that a start on which
// nothing shows still ends.
#include "render/random/RandomCandidates.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(RandomCandidates, TheFirstWorthShowingInSequenceOrderAndAPieceGivesTheSame) {
  const PictureOrder start;  // the start-up values
  for (const uint64_t seed : {uint64_t{7}, uint64_t{123456789}}) {
    uint64_t looked = 0;
    const std::vector<ChosenCandidate> chosen = chooseCandidates(start, seed, 0, 6, looked);
    ASSERT_EQ(chosen.size(), 6u);
    // Every candidate looked at is either chosen or not worth showing, in sequence order.
    RasterCanvas scratch(0, 0);
    std::size_t next = 0;
    for (uint64_t index = 0; index < looked; ++index) {
      const Candidate candidate = makeCandidate(start, seed, index);
      PictureContent quick;
      ASSERT_TRUE(quickLook(candidate, scratch, quick));
      if (next < chosen.size() && chosen[next].candidate.index == index) {
        EXPECT_TRUE(worthShowing(quick)) << seed << " " << index;
        EXPECT_EQ(chosen[next].candidate.seed, candidateSeed(seed, index));
        EXPECT_EQ(chosen[next].candidate.order.params, candidate.order.params);
        EXPECT_EQ(chosen[next].quick.richness(), quick.richness());
        ++next;
      } else {
        EXPECT_FALSE(worthShowing(quick)) << seed << " " << index;
      }
    }
    EXPECT_EQ(next, chosen.size());
    EXPECT_EQ(chosen.back().candidate.index + 1, looked);

    // Two pieces from where the first stopped give the same as one long run.
    uint64_t firstLooked = 0, secondLooked = 0, wholeLooked = 0;
    const auto first = chooseCandidates(start, seed, 0, 3, firstLooked);
    const auto second = chooseCandidates(start, seed, firstLooked, 3, secondLooked);
    const auto whole = chooseCandidates(start, seed, 0, 6, wholeLooked);
    EXPECT_EQ(firstLooked + secondLooked, wholeLooked);
    for (std::size_t i = 0; i < 6; ++i)
      EXPECT_EQ((i < 3 ? first[i] : second[i - 3]).candidate.index, whole[i].candidate.index);
  }
}

TEST(RandomCandidates, AStartOnWhichNothingShowsStillGivesTheWantedNumber) {
  PictureOrder start;
  start.params.hsbhorizon = 750;  // every mark far off the canvas
  start.params.hsbvertical = 750;
  uint64_t looked = 0;
  EXPECT_EQ(chooseCandidates(start, 1, 0, 3, looked).size(), 3u);
  EXPECT_EQ(looked, 30u);  // ten looks per wanted candidate, no more
}

TEST(RandomCandidates, ACandidateIsDrawnAgainFromItsOwnSeedUntilWorthShowingWithinTheBound) {
  const PictureOrder start;
  RasterCanvas scratch(0, 0);
  int redrawn = 0;
  for (uint64_t index = 0; index < 40; ++index) {
    ChosenCandidate chosen;
    ASSERT_TRUE(worthyCandidate(start, 3, index, scratch, chosen));
    EXPECT_TRUE(worthShowing(chosen.quick)) << index;
    EXPECT_EQ(chosen.candidate.index, index);
    const uint64_t own = candidateSeed(3, index);
    EXPECT_EQ(chosen.candidate.seed,
              chosen.candidate.redraws == 0 ? own : redrawSeed(own, chosen.candidate.redraws));
    PictureContent again;
    ASSERT_TRUE(quickLook(chosen.candidate, scratch, again));
    EXPECT_EQ(again.richness(), chosen.quick.richness());
    redrawn += chosen.candidate.redraws > 0 ? 1 : 0;
  }
  EXPECT_GT(redrawn, 0);  // some first draws are flat at the start-up values

  // Where nothing shows, the bound ends it: the first of the equally empty draws.
  PictureOrder empty;
  empty.params.hsbhorizon = 750;
  empty.params.hsbvertical = 750;
  ChosenCandidate chosen;
  ASSERT_TRUE(worthyCandidate(empty, 3, 0, scratch, chosen));
  EXPECT_EQ(chosen.candidate.redraws, 0);
  EXPECT_FALSE(worthShowing(chosen.quick));
}

}  // namespace
}  // namespace orbisk
