// The ten draws of the Random command.
#pragma once

#include <cstdint>

#include "model/PictureParams.h"

namespace orbisk {

// Values as the origin editor's controls hold them; func1 and func2 are list position + 1.
struct RandomCombination {
  int16_t cat;     // category, 1..10
  int16_t ali;     // galaxy, 1..14
  int16_t eff;     // effect, 1..20
  int16_t func1;   // function v1a, 1..11
  int16_t func2;   // function v1b, 1..11
  int16_t t1;      // type, 1..8
  int16_t w;       // level, 1..35
  int16_t worldw;  // world, 1..10
  int16_t sols;    // solar system, 1..20
  int16_t cit;     // lab, 1..24
};

// Draws the ten values in the fixed order category, galaxy, effect, v1a, v1b, type, level,
// world, solar system, lab; each is Int(r x N) + 1 for a fresh r uniform in [0, 1).
RandomCombination drawRandomCombination(uint64_t seed);
// The same, seeded from the clock.
RandomCombination drawRandomCombination();

// The record as Random leaves it: the ten drawn values in place, everything else kept.
void applyCombination(PictureParams& params, const RandomCombination& draw);

}  // namespace orbisk
