// The four families of shapes. Each function draws one sample with the given shape number, which
// must belong to its family.
#pragma once

#include "render/ShapeContext.h"

namespace orbisk {

// Mirrored points around the anchor (W/2 + HX, H/2 + VY): 1, 16, 17, 21..28, 30, 31, 33, 36..38.
bool isPointShape(int shape);
void drawPointShape(int shape, ShapeContext& g);

// A short bar standing on a slanted plane: 2..15, 34, 35.
bool isBarShape(int shape);
void drawBarShape(int shape, ShapeContext& g);

// One short stroke (two for shape 29): 18, 19, 20, 29.
bool isStrokeShape(int shape);
void drawStrokeShape(int shape, ShapeContext& g);

// Shape 32: shape 1's point pair repeated around 30 fixed tile anchors.
constexpr int kTiledShape = 32;
void drawTiledShape(ShapeContext& g);

}  // namespace orbisk
