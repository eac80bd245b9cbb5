#include "render/run/OffscreenRender.h"

namespace orbisk {

bool renderOffscreen(const PictureParams& params, RenderState& state, const CanvasSetup& setup,
                     RasterCanvas& canvas, const std::atomic<bool>* cancel,
                     const std::function<void(const RenderProgress&)>& afterColumn) {
  canvas.resize(setup.width, setup.height);
  canvas.setBackgroundColour(setup.background);  // wipes the whole canvas
  canvas.setPenWidth(setup.penWidth);
  canvas.setPenMode(setup.penMode);

  RenderJob job(state, params, canvas);
  job.start();
  while (job.hasColumns()) {
    if (cancel && cancel->load(std::memory_order_relaxed)) return false;
    job.stepColumn();
    if (afterColumn) afterColumn(job.progress());
  }
  return true;
}

}  // namespace orbisk
