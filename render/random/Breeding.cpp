#include "render/random/Breeding.h"

#include <initializer_list>

#include "model/RecordFields.h"
#include "render/random/RandomCandidates.h"
#include "render/random/Variations.h"

namespace orbisk {

namespace {

// Fields a child takes together from one parent, so what makes a parent's look stays whole.
struct Group {
  const char* name;                     // as a change names it
  std::initializer_list<Field> fields;  // the fields it holds
};

const Group kGroups[] = {
    {"origin",
     {Field::ali, Field::sols, Field::worldw, Field::cit, Field::w, Field::eff, Field::cat,
      Field::t1}},
    {"functions", {Field::func1, Field::func2}},
    {"variables", {Field::size, Field::v2, Field::v3, Field::v4}},
    {"colours", {Field::xraykleur, Field::inverse, Field::kl1ad, Field::kl2ad, Field::kl3ad}},
    {"shape",
     {Field::driedkeuze, Field::glij, Field::hoogte, Field::hsbvertical, Field::hsbhorizon}},
};
constexpr int kGroups_ = static_cast<int>(std::size(kGroups));
constexpr int kMixes = (1 << kGroups_) - 2;  // every split but all from one parent
constexpr int kNudgeOneIn = 3;               // children that also move one field a little

}  // namespace

std::string childOrigin(const PictureParams& first, const PictureParams& second,
                        const std::string& change) {
  return "child of " + recordText(first) + " and " + recordText(second) + ": " + change;
}

Derived breedRecords(const PictureParams& first, const PictureParams& second, uint64_t seed) {
  DrawStream draws(seed);
  const int fromSecond = 1 + draws.below(kMixes);  // bit g: group g from the second parent
  Derived made{first, {}};
  for (int g = 0; g < kGroups_; ++g) {
    if ((fromSecond >> g & 1) == 0) continue;
    for (const Field f : kGroups[g].fields)
      made.params.*fieldEntry(f).member = second.*fieldEntry(f).member;
    made.change += (made.change.empty() ? "" : ", ") + std::string(kGroups[g].name);
  }
  made.change += " from the second";
  if (draws.below(kNudgeOneIn) == 0) {
    const Derived nudged = varyRecord(made.params, draws.next(), VariationStep::Little);
    made.params = nudged.params;
    made.change += "; " + nudged.change;
  }
  return made;
}

std::vector<Offspring> chooseChildren(const PictureOrder& first, const PictureParams& second,
                                      uint64_t seed, int wanted, const std::atomic<bool>* cancel) {
  return chooseOffspring(
      first, {first.params, second}, wanted,
      [&](uint64_t index) {
        return breedRecords(first.params, second, candidateSeed(seed, index));
      },
      cancel);
}

}  // namespace orbisk
