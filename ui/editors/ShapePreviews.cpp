#include "ui/editors/ShapePreviews.h"

#include <array>

#include "model/PictureParams.h"
#include "render/surfaces/RasterCanvas.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"

namespace orbisk {

namespace {

constexpr int kPreviewWidth = 117;  // the Thumbnail canvas size
constexpr int kPreviewHeight = 90;
constexpr int16_t kPreviewSize = 40;  // small enough that the figure fits the thumbnail

}  // namespace

QImage renderShapePreview(int shape) {
  if (shape < 1 || shape > kShapeCount) return {};
  PictureParams params;  // the start-up parameter set
  params.driedkeuze = static_cast<int16_t>(shape);
  params.size = kPreviewSize;
  RenderState state;  // a fresh orbit, so a preview never depends on what was drawn before
  RasterCanvas canvas(kPreviewWidth, kPreviewHeight, 0);
  RenderJob job(state, params, canvas);
  job.start();
  while (job.hasColumns()) job.stepColumn();
  // The canvas stores 0xffRRGGBB rows, the layout of Format_RGB32; copy out of its buffer.
  return QImage(reinterpret_cast<const uchar*>(canvas.bits()), kPreviewWidth, kPreviewHeight,
                kPreviewWidth * static_cast<int>(sizeof(uint32_t)), QImage::Format_RGB32)
      .copy();
}

QImage shapePreview(int shape) {
  static std::array<QImage, kShapeCount> cache;
  if (shape < 1 || shape > kShapeCount) return {};
  QImage& preview = cache[static_cast<size_t>(shape - 1)];
  if (preview.isNull()) preview = renderShapePreview(shape);
  return preview;
}

}  // namespace orbisk
