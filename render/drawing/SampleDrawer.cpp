#include "render/drawing/SampleDrawer.h"

namespace orbisk {

SampleDrawer::SampleDrawer(const DrawChoice& choice, Surface& surface)
    : colour_(colourFunctionFor(choice.xraykleur)),
      additions_(choice.additions),
      drawShape_(shapeFunctionFor(choice.shape.shape)),
      shape_(choice.shape),
      surface_(surface),
      width_(surface.width()),
      height_(surface.height()) {}

void SampleDrawer::draw(RenderState& s) {
  shape_.colour = colour_(additions_, s);
  drawShape_(shape_, s, surface_, width_, height_);
}

}  // namespace orbisk
