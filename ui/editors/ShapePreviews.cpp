#include "ui/editors/ShapePreviews.h"

#include <array>

#include "io/CanvasImage.h"

namespace orbisk {

namespace {

constexpr int kPreviewWidth = 117;  // the Thumbnail canvas size
constexpr int kPreviewHeight = 90;
constexpr int16_t kPreviewSize = 40;  // small enough that the figure fits the thumbnail

}  // namespace

QImage renderShapePreview(int shape) {
  if (shape < 1 || shape > kShapeCount) return {};
  PictureOrder order;  // a fresh orbit, so a preview never depends on what was drawn before
  order.params.driedkeuze = static_cast<int16_t>(shape);
  order.params.size = kPreviewSize;
  order.canvas = canvasFor(order.params);  // black, the pen of Detail High
  order.canvas.width = kPreviewWidth;
  order.canvas.height = kPreviewHeight;
  return renderedImage(order);
}

QImage shapePreview(int shape) {
  static std::array<QImage, kShapeCount> cache;
  if (shape < 1 || shape > kShapeCount) return {};
  QImage& preview = cache[static_cast<size_t>(shape - 1)];
  if (preview.isNull()) preview = renderShapePreview(shape);
  return preview;
}

}  // namespace orbisk
