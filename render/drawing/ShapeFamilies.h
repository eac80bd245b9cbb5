// The four families of shapes. Each gives the stage of one shape number of its family, which
// must belong to it.
#pragma once

#include "render/drawing/ShapeContext.h"
#include "render/drawing/Shapes.h"

namespace orbisk {

// Mirrored points around the anchor (W/2 + HX, H/2 + VY): 1, 16, 17, 21..28, 30, 31, 33, 36..38.
bool isPointShape(int shape);
ShapeFunction pointShapeFunction(int shape);

// A short bar standing on a slanted plane: 2..15, 34, 35.
bool isBarShape(int shape);
ShapeFunction barShapeFunction(int shape);

// One short stroke (two for shape 29): 18, 19, 20, 29.
bool isStrokeShape(int shape);
ShapeFunction strokeShapeFunction(int shape);

// Shape 32: shape 1's point pair repeated around 30 fixed tile anchors.
constexpr int kTiledShape = 32;
void drawTiledShape(const ShapeInput& in, RenderState& state, Surface& surface, double width,
                    double height);

// The stage of one shape number: its context and its family's formulas with the number fixed,
// so that the family's choice between its shapes folds away. DRAW must be always inlined.
template <void (*DRAW)(int, ShapeContext&), int SHAPE>
void drawShapeNumber(const ShapeInput& in, RenderState& state, Surface& surface, double width,
                     double height) {
  ShapeContext g(in, state, surface, width, height);
  DRAW(SHAPE, g);
}

}  // namespace orbisk
