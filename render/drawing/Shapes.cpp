#include "render/drawing/Shapes.h"

#include "render/drawing/ShapeContext.h"
#include "render/drawing/ShapeFamilies.h"

namespace orbisk {

namespace {

// Any other number draws nothing and leaves the anchor and the stroke end alone.
void drawNothing(const ShapeInput&, RenderState&, Surface&, double, double) {}

}  // namespace

ShapeFunction shapeFunctionFor(int16_t shape) {
  if (shape < 1 || shape > 38) return &drawNothing;
  if (isPointShape(shape)) return pointShapeFunction(shape);
  if (isBarShape(shape)) return barShapeFunction(shape);
  if (isStrokeShape(shape)) return strokeShapeFunction(shape);
  return &drawTiledShape;  // 32, the only number left
}

void drawShape(const ShapeInput& in, RenderState& state, Surface& surface) {
  shapeFunctionFor(in.shape)(in, state, surface, surface.width(), surface.height());
}

}  // namespace orbisk
