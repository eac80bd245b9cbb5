// The colour stage: the three channels of an escaping sample from its colour system.
#pragma once

#include <cstdint>

#include "render/RenderState.h"

namespace orbisk {

// Sets state.red, green and blue from the escaping orbit (orbp, orbq, orbr, iter, itersq) with
// colour system xraykleur and the three additions, and limits them to 0..255. Returns the
// drawing colour, red in the low byte.
uint32_t colourSample(int16_t xraykleur, int16_t kl1ad, int16_t kl2ad, int16_t kl3ad,
                      RenderState& state);

}  // namespace orbisk
