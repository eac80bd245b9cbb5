#include "io/RedrawPicture.h"

#include "model/FrameSize.h"

namespace orbisk {

RasterCanvas blankCanvasFor(const DrawnPicture& picture) {
  const CanvasSize size = frameCanvasSize(picture.params.framesize);
  RasterCanvas canvas(size.width, size.height, picture.background & 0xffffffu);
  canvas.setPenWidth(picture.detailstep == 4 ? 4 : 1);
  canvas.setPenMode(picture.params.inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy);
  return canvas;
}

bool redrawPicture(const DrawnPicture& picture, RenderState& state, Surface& surface,
                   const std::atomic<bool>* cancel,
                   const std::function<void(const RenderJob&)>& afterColumn) {
  PictureParams params = picture.params;
  params.detailstep = picture.detailstep;
  state = picture.startState;
  RenderJob job(state, params, surface);
  job.start();
  while (job.hasColumns()) {
    if (cancel && cancel->load(std::memory_order_relaxed)) return false;
    job.stepColumn();
    if (afterColumn) afterColumn(job);
  }
  return true;
}

}  // namespace orbisk
