// The preview pictures of the shape editor, one per shape, drawn by the program's own renderer.
#pragma once

#include <QImage>

namespace orbisk {

constexpr int kShapeCount = 38;  // shapes are numbered 1..kShapeCount

// The start-up picture at a small size, drawn through the given shape on a black 117 x 90
// canvas. Each preview is rendered the first time it is asked for and kept afterwards, so the
// program starts without waiting for all of them. A shape outside 1..kShapeCount has none: the
// result is a null image.
QImage shapePreview(int shape);

// The same picture rendered afresh, without the cache.
QImage renderShapePreview(int shape);

}  // namespace orbisk
