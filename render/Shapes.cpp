#include "render/Shapes.h"

#include "render/ShapeContext.h"
#include "render/ShapeFamilies.h"

namespace orbisk {

void drawShape(const ShapeInput& in, RenderState& state, Surface& surface) {
  const int shape = in.shape;
  // Any other number draws nothing and leaves the anchor and the stroke end alone.
  if (shape < 1 || shape > 38) return;

  ShapeContext g(in, state, surface);
  if (isPointShape(shape)) {
    drawPointShape(shape, g);
  } else if (isBarShape(shape)) {
    drawBarShape(shape, g);
  } else if (isStrokeShape(shape)) {
    drawStrokeShape(shape, g);
  } else {
    drawTiledShape(g);  // 32, the only number left
  }
}

}  // namespace orbisk
