// The ten draws of the Random command.
#pragma once

#include <array>
#include <cstdint>

#include "model/PictureParams.h"
#include "model/RecordFields.h"

namespace orbisk {

// Values as the origin editor's controls hold them (func1 and func2 are list position + 1), in
// the order of randomFields().
struct RandomCombination {
  std::array<int16_t, kRandomDraws> values{};

  // The drawn value of one of Random's fields; 0 for a field Random keeps.
  int16_t of(Field field) const;
};

// Draws the ten values in the order of randomFields() (category, galaxy, effect, v1a, v1b, type,
// level, world, solar system, lab); each is Int(r x N) + 1 for a fresh r uniform in [0, 1), N
// the number of values the field's control offers. The caller chooses the seed: the same seed
// gives the same draws everywhere.
RandomCombination drawRandomCombination(uint64_t seed);

// The record as Random leaves it: the ten drawn values in place, everything else kept.
void applyCombination(PictureParams& params, const RandomCombination& draw);

}  // namespace orbisk
