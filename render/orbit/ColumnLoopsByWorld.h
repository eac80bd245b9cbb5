// The column loops with the world step and the lab step fixed, one table per world.
//
// These two stages are the arithmetic core of every iteration (the world step alone holds three
// choices between formulas), and fixing them removes most of the per-iteration dispatch that is
// not hidden behind a call of sin, cos, tan, atn or a power. Ten worlds times 24 labs make 240
// loops; each world's 24 are instantiated in a file of their own (ColumnLoopsWorldN.cpp) so that
// the compiler works on small pieces and a parallel build spreads them.
#pragma once

#include <cstddef>
#include <utility>

#include "render/orbit/ColumnLoopBody.h"

namespace orbisk {

constexpr int kLabCount = 24;    // labs 1..24
constexpr int kWorldCount = 10;  // worlds 1..10

// The loop for world WORLD and lab cit (1..kLabCount). Defined in ColumnLoopsWorldN.cpp.
template <int WORLD>
ColumnLoop worldLabLoop(int cit);

// The table behind worldLabLoop, for the files that define it.
template <int WORLD, std::size_t... LAB>
ColumnLoop worldLabLoopOf(int cit, std::index_sequence<LAB...>) {
  static constexpr ColumnLoop kLoops[] = {
      &columnLoop<kAnyChoice, kAnyChoice, kAnyChoice, kAnyChoice, WORLD, kAnyChoice,
                  static_cast<int>(LAB) + 1>...};
  return kLoops[cit - 1];
}

#define ORBISK_DEFINE_WORLD_LAB_LOOPS(WORLD)                                  \
  template <>                                                                 \
  ColumnLoop worldLabLoop<WORLD>(int cit) {                                   \
    return worldLabLoopOf<WORLD>(cit, std::make_index_sequence<kLabCount>()); \
  }

}  // namespace orbisk
