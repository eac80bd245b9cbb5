// Draws a picture again from what drew it: its record, its detail, its background and the
// working values its run started from.
#pragma once

#include <atomic>
#include <functional>

#include "io/DrawnPicture.h"
#include "render/surfaces/RasterCanvas.h"
#include "render/run/RenderJob.h"
#include "render/run/RenderState.h"
#include "render/surfaces/Surface.h"

namespace orbisk {

// The blank canvas the picture's run started on: the frame's size, the background colour, the
// pen of the detail (1 or 4 pixels) and the pen mode of the record.
RasterCanvas blankCanvasFor(const DrawnPicture& picture);

// Runs the picture's record from its start state through every column on surface (a canvas made
// by blankCanvasFor, or a surface drawing onto one). state ends as the run leaves it. afterColumn,
// when given, hears every column's progress. Returns false when cancel was seen set between two
// columns.
bool redrawPicture(const DrawnPicture& picture, RenderState& state, Surface& surface,
                   const std::atomic<bool>* cancel = nullptr,
                   const std::function<void(const RenderJob&)>& afterColumn = {});

}  // namespace orbisk
