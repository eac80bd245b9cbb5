#include "render/run/LargePicture.h"

#include <new>

#include "render/surfaces/ScaledSurface.h"

namespace orbisk {

std::unique_ptr<RasterCanvas> makeLargeCanvas(const LargePictureSize& sizing) {
  const int scale = clampScale(sizing.scale);
  try {
    auto canvas = std::make_unique<RasterCanvas>(sizing.width * scale, sizing.height * scale,
                                                 sizing.background);
    canvas->setPenWidth(scaledPenWidth(sizing.penWidth, scale));
    canvas->setPenMode(sizing.penMode);
    return canvas;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

bool drawLargePicture(const PictureParams& params, RenderState& state, RasterCanvas& canvas,
                      const LargePictureSize& sizing, const std::atomic<bool>* cancel,
                      const std::function<void(const RenderProgress&)>& afterColumn) {
  ScaledSurface surface(canvas, sizing.scale, sizing.width, sizing.height);
  RenderJob job(state, params, surface);
  job.start();
  while (job.hasColumns()) {
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return false;
    job.stepColumn();
    if (afterColumn) afterColumn(job.progress());
  }
  return true;
}

}  // namespace orbisk
