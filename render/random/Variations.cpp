#include "render/random/Variations.h"

#include <algorithm>
#include <array>

#include "model/DataFile.h"
#include "model/RecordFields.h"
#include "render/random/RandomCandidates.h"

namespace orbisk {

namespace {

// A field a variation moves, and the largest move of each step (a move is 1 to that much, up
// or down, within the field's range).
struct Nudge {
  Field field;
  std::array<int, 3> largest;  // a little, more, a lot
};

constexpr Nudge kNudges[] = {
    {Field::v2, {15, 50, 200}},    {Field::v3, {15, 50, 200}},    {Field::v4, {15, 50, 200}},
    {Field::size, {15, 50, 200}},  {Field::kl1ad, {30, 70, 150}}, {Field::kl2ad, {30, 70, 150}},
    {Field::kl3ad, {30, 70, 150}}, {Field::w, {1, 3, 8}},         {Field::eff, {1, 2, 6}},
    {Field::glij, {5, 15, 35}},    {Field::hoogte, {5, 15, 35}},  {Field::sols, {1, 2, 5}},
    {Field::cit, {1, 2, 5}},       {Field::worldw, {1, 2, 4}},    {Field::ali, {1, 2, 4}},
    {Field::t1, {1, 2, 3}},        {Field::cat, {1, 2, 3}},
};

// Choices a variation swaps for another of their values.
constexpr Field kSwaps[] = {Field::func1, Field::func2, Field::xraykleur, Field::driedkeuze};

// Percent of variations that swap a choice rather than move fields, per step.
constexpr std::array<int, 3> kSwapPercent = {15, 25, 40};

std::string moved(const FieldEntry& entry, int from, int to) {
  return std::string(entry.name) + " " + std::to_string(from) + " to " + std::to_string(to);
}

// Moves one field by 1..largest up or down, within its range; the other way where one way is
// closed.
std::string nudge(PictureParams& params, const Nudge& n, int largest, DrawStream& draws) {
  const FieldEntry& entry = fieldEntry(n.field);
  const int from = params.*entry.member;
  const int by = 1 + draws.below(largest);
  int to = draws.below(2) == 0 ? from - by : from + by;
  if (!entry.accepts(to)) to = from - (to - from);
  to = std::clamp(to, static_cast<int>(entry.min), static_cast<int>(entry.max));
  params.*entry.member = static_cast<int16_t>(to);
  return moved(entry, from, to);
}

}  // namespace

std::optional<VariationStep> variationStepNamed(std::string_view name) {
  if (name == "little") return VariationStep::Little;
  if (name == "more") return VariationStep::More;
  if (name == "lot") return VariationStep::Lot;
  return std::nullopt;
}

const char* variationStepName(VariationStep step) {
  switch (step) {
    case VariationStep::Little:
      return "little";
    case VariationStep::More:
      return "more";
    case VariationStep::Lot:
      return "lot";
  }
  return "more";
}

std::string variationOrigin(const PictureParams& parent, VariationStep step,
                            const std::string& change) {
  return std::string("variation (") + variationStepName(step) + ") of " + recordText(parent) +
         ": " + change;
}

Derived varyRecord(const PictureParams& parent, uint64_t seed, VariationStep step) {
  const auto s = static_cast<std::size_t>(step);
  DrawStream draws(seed);
  Derived made{parent, {}};
  if (draws.below(100) < kSwapPercent[s]) {
    const FieldEntry& entry = fieldEntry(kSwaps[draws.below(std::size(kSwaps))]);
    const int from = parent.*entry.member;
    // Any other value of the control's range, each as likely.
    int to = entry.min + draws.below(entry.max - entry.min);
    if (to >= from) ++to;
    made.params.*entry.member = static_cast<int16_t>(to);
    made.change = moved(entry, from, to);
    return made;
  }
  // A little moves one field; more one or two; a lot two or three.
  const int fields = step == VariationStep::Little ? 1
                     : step == VariationStep::More ? 1 + draws.below(2)
                                                   : 2 + draws.below(2);
  std::array<std::size_t, 3> picked{};
  for (int i = 0; i < fields; ++i) {
    std::size_t which;
    do which = static_cast<std::size_t>(draws.below(std::size(kNudges)));
    while (std::find(picked.begin(), picked.begin() + i, which) != picked.begin() + i);
    picked[static_cast<std::size_t>(i)] = which;
    const std::string change = nudge(made.params, kNudges[which], kNudges[which].largest[s], draws);
    made.change += (made.change.empty() ? "" : ", ") + change;
  }
  return made;
}

std::vector<Offspring> chooseVariations(const PictureOrder& parent, uint64_t seed,
                                        VariationStep step, int wanted,
                                        const std::atomic<bool>* cancel) {
  return chooseOffspring(
      parent, {parent.params}, wanted,
      [&](uint64_t index) { return varyRecord(parent.params, candidateSeed(seed, index), step); },
      cancel);
}

}  // namespace orbisk
