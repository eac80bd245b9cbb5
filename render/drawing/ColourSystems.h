// The colour stage: the three channels of an escaping sample from its colour system.
#pragma once

#include <cstdint>

#include "render/run/RenderState.h"

namespace orbisk {

// The colour-system editor's three additions, 0..250 each.
struct ColourAdditions {
  int16_t kl1ad;  // red addition
  int16_t kl2ad;  // green addition
  int16_t kl3ad;  // blue addition
};

// Sets state.red, green and blue from the escaping orbit (orbp, orbq, orbr, iter, itersq) and
// limits them to 0..255. Returns the drawing colour, red in the low byte.
using ColourFunction = uint32_t (*)(const ColourAdditions& additions, RenderState& state);

// The colour stage of system xraykleur; any value outside 1..14 gives the stage that keeps the
// last colour. A render chooses it once per column.
ColourFunction colourFunctionFor(int16_t xraykleur);

// The same in one call, for a single sample.
uint32_t colourSample(int16_t xraykleur, int16_t kl1ad, int16_t kl2ad, int16_t kl3ad,
                      RenderState& state);

}  // namespace orbisk
