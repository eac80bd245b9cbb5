// One whole picture rendered away from the window's canvas: gallery cells, large pictures,
// pictures drawn again from their record, the headless renderer's and the information windows'
// pictures. Every one of them sets its canvas up here and runs its record here.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

#include "model/PictureParams.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"
#include "render/surfaces/ComposedMask.h"
#include "render/surfaces/RasterCanvas.h"
#include "render/surfaces/ScaledSurface.h"

namespace orbisk {

// The pen of a canvas follows the picture's detail and colours: 4 pixels wide at Detail Low (1
// otherwise), an inverted copy under Colours "Inverse" (a plain copy otherwise).
int penWidthFor(int16_t detailstep);
PenMode penModeFor(int16_t inverse);

// The canvas a whole picture is drawn on.
struct CanvasSetup {
  int width = 632;                  // the unscaled canvas in pixels: the frame's, as a rule
  int height = 434;                 // likewise
  uint32_t background = 0;          // colour the canvas is wiped to, red in the low byte
  int penWidth = 1;                 // the unscaled pen: 1 for Detail High, 4 for Detail Low
  PenMode penMode = PenMode::Copy;  // InvertedCopy under Colours "Inverse"
  int scale = 1;                    // 1..8: the canvas and the pen are this many times larger
};

// The canvas of params's frame with the pen of its detail and colours.
CanvasSetup canvasFor(const PictureParams& params, uint32_t background = 0, int scale = 1);

// Everything one whole picture needs; the run works on its own copy.
struct PictureOrder {
  PictureParams params;  // the record the run reads, the same at every column
  RenderState state;     // the working values the run starts from (R carried over, and more)
  CanvasSetup canvas;    // the canvas it draws on
  ComposedMask filters;  // applied to the whole canvas once the last column is drawn
};

// One run of an order on a canvas of the caller's, which it sets up first: scale times the
// unscaled size, wiped to the background colour, the pen scale times wider. The shapes see the
// unscaled canvas; a larger one receives every coordinate times the scale. The run can be
// stepped a few columns at a time (a caller that must return between slices) or run whole.
class WholePicture {
 public:
  // Throws std::bad_alloc where the canvas's memory cannot be had; the canvas is then unchanged.
  WholePicture(const PictureOrder& order, RasterCanvas& canvas);
  WholePicture(const WholePicture&) = delete;
  WholePicture& operator=(const WholePicture&) = delete;

  // What the run draws on: the canvas, or a scaling surface onto it. A surface that passes every
  // call on to it (a trace) may be put in between with drawThrough, before the run starts: the
  // first call of step, run or job starts it.
  Surface& target() { return order_.canvas.scale == 1 ? static_cast<Surface&>(canvas_) : scaled_; }
  void drawThrough(Surface& surface) { through_ = &surface; }

  // Computes up to columns more columns; after the last one the order's filters are applied.
  // Returns true while columns remain.
  bool step(int columns = 1);
  // Computes every column left. cancel, when given, is checked before every column;
  // afterColumn, when given, hears of every finished one. Returns false when the run was
  // cancelled; the canvas then holds the columns drawn so far, unfiltered.
  bool run(const std::atomic<bool>* cancel = nullptr,
           const std::function<void(const RenderJob&)>& afterColumn = {});

  // The record the run reads at every column start: a caller stepping the run may change it
  // between steps, as the desktop's record changes under a run, and the next column follows.
  PictureParams& params() { return order_.params; }

  bool finished() const { return finished_; }
  int columnsDone() const { return columns_; }
  const RenderJob& job();                              // progress, samples and marks so far
  const RenderState& state() const { return state_; }  // the working values as the run leaves them

 private:
  RenderJob& started();

  PictureOrder order_;            // the caller's order, set to the scale the canvas was made for
  RenderState state_;             // the run's working values
  RasterCanvas& canvas_;          // the caller's canvas, set up for order_
  ScaledSurface scaled_;          // the canvas seen at its unscaled size
  Surface* through_ = nullptr;    // a surface in front of target(), when given
  std::optional<RenderJob> job_;  // made at the first column, once through_ is known
  int columns_ = 0;               // columns computed so far
  bool finished_ = false;         // every column computed and the filters applied
};

// Sets the canvas up for order and runs it whole: see WholePicture::run. state, when given,
// receives the working values as the run leaves them.
bool renderWholePicture(const PictureOrder& order, RasterCanvas& canvas,
                        const std::atomic<bool>* cancel = nullptr,
                        const std::function<void(const RenderJob&)>& afterColumn = {},
                        RenderState* state = nullptr);

}  // namespace orbisk
