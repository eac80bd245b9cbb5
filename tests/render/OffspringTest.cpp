// Variations and children: what a try changes, that the same seed makes the same pictures, and
// that the pictures offered are worth a look and new.
#include <gtest/gtest.h>

#include <set>

#include "model/RecordFields.h"
#include "render/random/Breeding.h"
#include "render/random/RandomCandidates.h"
#include "render/random/Variations.h"

namespace orbisk {
namespace {

// The fields where two records differ.
std::vector<Field> differences(const PictureParams& a, const PictureParams& b) {
  std::vector<Field> fields;
  for (const FieldEntry& entry : recordFields())
    if (a.*entry.member != b.*entry.member) fields.push_back(entry.field);
  return fields;
}

TEST(Variations, EachStepMovesItsNumberOfFieldsWithinTheirRanges) {
  const PictureParams parent;
  const struct {
    VariationStep step;
    std::size_t most;  // fields a try moves at most
  } cases[] = {{VariationStep::Little, 1}, {VariationStep::More, 2}, {VariationStep::Lot, 3}};
  for (const auto& c : cases) {
    for (uint64_t seed = 0; seed < 300; ++seed) {
      const Derived made = varyRecord(parent, seed, c.step);
      const std::vector<Field> moved = differences(parent, made.params);
      ASSERT_GE(moved.size(), 1u) << variationStepName(c.step) << " " << seed;
      EXPECT_LE(moved.size(), c.most) << variationStepName(c.step) << " " << seed;
      for (const Field f : moved) {
        const FieldEntry& entry = fieldEntry(f);
        EXPECT_TRUE(entry.accepts(made.params.*entry.member)) << entry.name << " " << seed;
        EXPECT_NE(made.change.find(entry.name), std::string::npos) << made.change;
      }
    }
  }
  // The same on every machine and in the page: integer draws only, pinned here.
  EXPECT_EQ(varyRecord(parent, 1, VariationStep::Little).change, "v2 40 to 41");
  EXPECT_EQ(varyRecord(parent, 1, VariationStep::Lot).change,
            "v2 40 to 76, eff 1 to 5, v3 40 to -98");
  EXPECT_EQ(varyRecord(parent, 2, VariationStep::Lot).change, "xraykleur 2 to 8");
  PictureParams other;
  other.v2 = 120;
  EXPECT_EQ(breedRecords(parent, other, 3).change, "variables from the second; w 11 to 10");
}

TEST(Breeding, EachGroupComesWholeFromOneParentAndTheRenderSettingsFromTheFirst) {
  PictureParams a, b;
  b.ali = 9, b.sols = 12, b.w = 30;   // origin
  b.func1 = 7, b.func2 = 8;           // functions
  b.v2 = -100, b.size = 400;          // variables
  b.xraykleur = 5, b.kl1ad = 90;      // colours
  b.driedkeuze = 12, b.glij = -20;    // shape
  b.framesize = 2, b.detailstep = 4;  // render settings
  const std::vector<std::vector<Field>> groups = {{Field::ali, Field::sols, Field::w},
                                                  {Field::func1, Field::func2},
                                                  {Field::v2, Field::size},
                                                  {Field::xraykleur, Field::kl1ad},
                                                  {Field::driedkeuze, Field::glij}};
  std::set<std::string> splits;
  for (uint64_t seed = 0; seed < 200; ++seed) {
    const Derived child = breedRecords(a, b, seed);
    if (child.change.find(';') != std::string::npos) continue;  // also moved a field
    std::string split;
    for (const auto& group : groups) {
      const bool fromB =
          child.params.*fieldEntry(group[0]).member == b.*fieldEntry(group[0]).member;
      for (const Field f : group)
        EXPECT_EQ(child.params.*fieldEntry(f).member, (fromB ? b : a).*fieldEntry(f).member)
            << fieldEntry(f).name << " " << seed;
      split += fromB ? 'B' : 'A';
    }
    EXPECT_NE(split, "AAAAA") << seed;
    EXPECT_NE(split, "BBBBB") << seed;
    EXPECT_EQ(child.params.framesize, a.framesize);
    EXPECT_EQ(child.params.detailstep, a.detailstep);
    splits.insert(split);
  }
  EXPECT_EQ(splits.size(), 30u);  // every split but all from one parent occurs
}

TEST(Offspring, TwelveWorthALookNewAndTheSameForTheSameSeed) {
  PictureOrder parent;
  PictureParams other;
  other.ali = 2, other.func1 = 9, other.xraykleur = 7, other.driedkeuze = 5, other.v2 = 120;
  const struct {
    const char* what;
    std::function<std::vector<Offspring>()> make;
    std::vector<PictureParams> parents;
  } cases[] = {
      {"variations a little",
       [&] { return chooseVariations(parent, 5, VariationStep::Little, 12); },
       {parent.params}},
      {"variations a lot",
       [&] { return chooseVariations(parent, 5, VariationStep::Lot, 12); },
       {parent.params}},
      {"children", [&] { return chooseChildren(parent, other, 5, 12); }, {parent.params, other}},
  };
  for (const auto& c : cases) {
    const std::vector<Offspring> made = c.make();
    ASSERT_EQ(made.size(), 12u) << c.what;
    std::vector<PictureParams> seen = c.parents;
    int worth = 0;
    for (const Offspring& o : made) {
      EXPECT_EQ(std::count(seen.begin(), seen.end(), o.order.params), 0) << c.what << o.change;
      seen.push_back(o.order.params);
      worth += worthShowing(o.quick) ? 1 : 0;
      // The quick look stands for the picture the record draws.
      RasterCanvas scratch(0, 0);
      PictureContent again;
      ASSERT_TRUE(quickLook(o.order, scratch, again));
      EXPECT_EQ(again.richness(), o.quick.richness()) << c.what;
    }
    EXPECT_EQ(worth, 12) << c.what;
    const std::vector<Offspring> twice = c.make();
    ASSERT_EQ(twice.size(), made.size());
    for (std::size_t i = 0; i < made.size(); ++i) {
      EXPECT_EQ(twice[i].order.params, made[i].order.params) << c.what;
      EXPECT_EQ(twice[i].change, made[i].change) << c.what;
    }
  }
}

TEST(Offspring, AParentOnWhichNothingShowsStillEnds) {
  PictureOrder parent;
  parent.params.hsbhorizon = 750;  // every mark far off the canvas
  parent.params.hsbvertical = 750;
  std::atomic<bool> cancel{false};
  // Nothing differs visibly from an empty parent, so the tries run out and nothing is offered.
  EXPECT_LE(chooseVariations(parent, 1, VariationStep::Little, 3, &cancel).size(), 3u);
  cancel = true;
  EXPECT_TRUE(chooseVariations(PictureOrder{}, 1, VariationStep::Little, 3, &cancel).empty());
}

}  // namespace
}  // namespace orbisk
