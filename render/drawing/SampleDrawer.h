// The hand-off of an escaped sample to the colour stage and the shape stage.
#pragma once

#include <cstdint>

#include "render/drawing/ColourSystems.h"
#include "render/run/RenderState.h"
#include "render/drawing/Shapes.h"
#include "render/surfaces/Surface.h"

namespace orbisk {

// The colour system and the shape with their settings as they stand at a column's start: the
// user changes them only between columns.
struct DrawChoice {
  int16_t xraykleur;          // colour system
  ColourAdditions additions;  // the colour system's three additions
  ShapeInput shape;           // shape and its settings; the colour is set for every sample
};

// Draws the samples of one column. The stages are chosen, and the canvas measured, once when the
// column starts; nothing can change them before the column ends.
class SampleDrawer {
 public:
  SampleDrawer(const DrawChoice& choice, Surface& surface);

  // Colours the escaping orbit in state and draws it with the shape stage.
  void draw(RenderState& state);

 private:
  ColourFunction colour_;      // the colour system's stage
  ColourAdditions additions_;  // its additions
  ShapeFunction drawShape_;    // the shape's stage
  ShapeInput shape_;           // the shape's settings; the colour changes from sample to sample
  Surface& surface_;           // the canvas
  double width_;               // the canvas size, measured at the column's start
  double height_;
};

}  // namespace orbisk
