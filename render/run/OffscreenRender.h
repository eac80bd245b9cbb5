// A whole render run on a canvas of its own, away from the window's canvas: what a worker thread
// renders. It shares nothing with any other run; every value it reads is its caller's copy.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "model/PictureParams.h"
#include "render/surfaces/RasterCanvas.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"

namespace orbisk {

// The canvas as the window would hand it to a run.
struct CanvasSetup {
  int width = 632;                  // canvas width in pixels
  int height = 434;                 // canvas height in pixels
  uint32_t background = 0;          // colour the canvas is cleared to, red in the low byte
  int penWidth = 1;                 // 1 for Detail High, 4 for Detail Low
  PenMode penMode = PenMode::Copy;  // InvertedCopy under Colours "Inverse"
};

// One picture to render away from the window.
struct OffscreenOrder {
  PictureParams params;  // the record the run reads, the same at every column
  RenderState state;     // the working values the run starts from (R carried over, and more)
  CanvasSetup canvas;    // the canvas it draws on
};

// Sets canvas up as setup says (size, cleared to the background colour, pen width and mode),
// then runs every column of params, keeping the working values in state. cancel, when given, is
// checked before every column; afterColumn, when given, hears of every finished one. Returns
// false when the run was cancelled before its last column.
bool renderOffscreen(const PictureParams& params, RenderState& state, const CanvasSetup& setup,
                     RasterCanvas& canvas, const std::atomic<bool>* cancel = nullptr,
                     const std::function<void(const RenderProgress&)>& afterColumn = {});

}  // namespace orbisk
