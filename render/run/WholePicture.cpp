#include "render/run/WholePicture.h"

#include <algorithm>

#include "model/FrameSize.h"

namespace orbisk {

namespace {

// The canvas as setup asks for it; a canvas of the right size already is only wiped, so a
// worker that renders many pictures reuses its memory.
RasterCanvas& setUp(RasterCanvas& canvas, const CanvasSetup& setup) {
  const int width = setup.width * setup.scale, height = setup.height * setup.scale;
  if (canvas.width() != width || canvas.height() != height) {
    // Made apart first: where its memory cannot be had, the old canvas stays as it was.
    canvas = RasterCanvas(width, height, setup.background);
  } else {
    canvas.setBackgroundColour(setup.background);
  }
  canvas.setPenWidth(scaledPenWidth(setup.penWidth, setup.scale));
  canvas.setPenMode(setup.penMode);
  return canvas;
}

// The scale within 1..8 and the sides within what a canvas holds, so that no product of them
// leaves the range of int.
PictureOrder withinBounds(PictureOrder order) {
  order.canvas.scale = clampScale(order.canvas.scale);
  order.canvas.width = std::clamp(order.canvas.width, 0, RasterCanvas::kMaxSide);
  order.canvas.height = std::clamp(order.canvas.height, 0, RasterCanvas::kMaxSide);
  return order;
}

}  // namespace

int penWidthFor(int16_t detailstep) {
  return detailstep == 4 ? 4 : 1;
}

PenMode penModeFor(int16_t inverse) {
  return inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy;
}

CanvasSetup canvasFor(const PictureParams& params, uint32_t background, int scale) {
  const CanvasSize size = frameCanvasSize(params.framesize);
  return {size.width,
          size.height,
          background & 0xffffffu,
          penWidthFor(params.detailstep),
          penModeFor(params.inverse),
          scale};
}

WholePicture::WholePicture(const PictureOrder& order, RasterCanvas& canvas)
    : order_(withinBounds(order)),
      state_(order.state),
      canvas_(setUp(canvas, order_.canvas)),
      scaled_(canvas_, order_.canvas.scale, order_.canvas.width, order_.canvas.height) {}

RenderJob& WholePicture::started() {
  if (!job_) {
    job_.emplace(state_, order_.params, through_ ? *through_ : target());
    job_->start();
  }
  return *job_;
}

const RenderJob& WholePicture::job() {
  return started();
}

bool WholePicture::step(int columns) {
  RenderJob& job = started();
  for (int i = 0; i < columns && job.hasColumns(); ++i) {
    job.stepColumn();
    ++columns_;
  }
  if (!job.hasColumns() && !finished_) {
    order_.filters.applyTo(canvas_);
    finished_ = true;
  }
  return !finished_;
}

bool WholePicture::run(const std::atomic<bool>* cancel,
                       const std::function<void(const RenderJob&)>& afterColumn) {
  RenderJob& job = started();
  while (job.hasColumns()) {
    if (cancel && cancel->load(std::memory_order_relaxed)) return false;
    step(1);
    if (afterColumn) afterColumn(job);
  }
  step(0);  // a run without columns is finished too
  return true;
}

bool renderWholePicture(const PictureOrder& order, RasterCanvas& canvas,
                        const std::atomic<bool>* cancel,
                        const std::function<void(const RenderJob&)>& afterColumn,
                        RenderState* state) {
  WholePicture picture(order, canvas);
  const bool complete = picture.run(cancel, afterColumn);
  if (state) *state = picture.state();
  return complete;
}

}  // namespace orbisk
