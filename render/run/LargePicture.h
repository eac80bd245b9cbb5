// A whole picture drawn K times larger than its canvas, for the headless renderer and the
// program's "Save large picture...".
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "model/PictureParams.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"
#include "render/surfaces/RasterCanvas.h"

namespace orbisk {

// How the large canvas is set up: everything but the record and the working state.
struct LargePictureSize {
  int scale = 1;  // 1..8: the large canvas is scale x width by scale x height
  int width = 0;  // the unscaled canvas the picture was drawn on
  int height = 0;
  int penWidth = 1;                 // the unscaled pen: 1 for Detail High, 4 for Detail Low
  PenMode penMode = PenMode::Copy;  // copy or inverted copy, as on the unscaled canvas
  uint32_t background = 0;          // background colour, red in the low byte
};

// The large canvas with its scaled pen, or nullptr where its memory cannot be had (an 8 times
// Maximum canvas is 7584 x 5208 pixels, about 158 MB).
std::unique_ptr<RasterCanvas> makeLargeCanvas(const LargePictureSize& sizing);

// Draws one whole run of params, starting from state, on canvas (made by makeLargeCanvas for
// sizing). cancel, when given, is checked before every column; afterColumn, when given, is called
// after every column. Returns false when the run was cancelled; the canvas then holds the columns
// drawn so far.
bool drawLargePicture(const PictureParams& params, RenderState& state, RasterCanvas& canvas,
                      const LargePictureSize& sizing, const std::atomic<bool>* cancel = nullptr,
                      const std::function<void(const RenderProgress&)>& afterColumn = {});

}  // namespace orbisk
