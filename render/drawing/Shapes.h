// The shape stage: turns one escaping sample into marks on the surface.
#pragma once

#include <cstdint>

#include "render/run/RenderState.h"
#include "render/surfaces/Surface.h"

namespace orbisk {

// What one call of the shape stage reads besides the working state.
struct ShapeInput {
  int16_t shape;        // driedkeuze, 1..38; any other value draws nothing
  int16_t borderlen;    // L, length multiplier
  int16_t glij;         // S, slide
  int16_t hoogte;       // T, bar height
  int16_t hsbhorizon;   // HX, horizontal shift of the anchor
  int16_t hsbvertical;  // VY, vertical shift of the anchor
  int16_t size;         // Z, the origin editor's current size (shape 5)
  uint32_t colour;      // 24-bit colour, red in the low byte
};

// Draws the sample state.col, state.row with the escaping orbit (orbp, orbq, orbr, iter, itersq)
// and N1, N2, spanx, spany of the state. Updates halfwidth, halfheight, endx and endy.
void drawShape(const ShapeInput& in, RenderState& state, Surface& surface);

// drawShape for one shape number, with the surface's width and height measured by the caller.
using ShapeFunction = void (*)(const ShapeInput& in, RenderState& state, Surface& surface,
                               double width, double height);

// The shape stage of shape number `shape`, chosen once for many samples (a render chooses it
// once per column); any number outside 1..38 gives the stage that draws and changes nothing.
ShapeFunction shapeFunctionFor(int16_t shape);

}  // namespace orbisk
