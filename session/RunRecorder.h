// Keeps what drew the canvas's picture: the record and working values of the last complete run,
// and whether the canvas still shows exactly that run and nothing else.
#pragma once

#include <cstdint>
#include <optional>

#include "model/PictureParams.h"
#include "render/run/RenderState.h"
#include "render/surfaces/ComposedMask.h"
#include "render/surfaces/RasterCanvas.h"
#include "session/CanvasCopy.h"
#include "session/DrawnPicture.h"

namespace orbisk {

class RunRecorder {
 public:
  // Right before a traversal begins, after the canvas was cleared (or not). The run can be
  // drawn again exactly only from a blank canvas whose size, pen and pen mode follow from the
  // record and the detail.
  void runStarted(const PictureParams& params, const RenderState& state,
                  const RasterCanvas& canvas);
  // Where the record of the next run to start came from (see DrawnPicture::origin); that run
  // takes it, and any later run starts without one.
  void setNextOrigin(std::string origin) { nextOrigin_ = std::move(origin); }
  // After every column: anything a column reads (see the field table) that differs from the
  // start, or any change to the canvas but drawing, means the picture is no longer that of its
  // record.
  void columnDone(const PictureParams& params, const RasterCanvas& canvas);
  // When the traversal is over; complete is false for a stopped run. picture is the canvas as
  // the run left it.
  void runEnded(bool complete, const CanvasCopy& picture);

  // The record and start values of the last complete run.
  const std::optional<DrawnPicture>& lastRun() const { return lastRun_; }
  // True when the last complete run was drawn exactly from its record and picture is still
  // pixel for pixel what it drew.
  bool showsExactRun(const PixelView& picture) const;
  // True when picture is what the last complete run drew exactly from its record, with filters
  // applied to it afterwards: such a picture can be drawn again, at any size.
  bool showsExactRunFiltered(const PixelView& picture, const ComposedMask& filters) const;
  // True when picture is what the last run left when it was stopped, filtered at most, and no
  // run has ended complete since: the canvas shows an incomplete picture.
  bool showsStoppedRun(const PixelView& picture, const ComposedMask& filters) const;

 private:
  DrawnPicture start_;        // the running traversal's record and start values
  std::string nextOrigin_;    // the origin the next traversal started takes
  bool runExact_ = false;     // the running traversal has kept to its record so far
  uint64_t canvasEdits_ = 0;  // the canvas's edit count when the traversal started
  int canvasWidth_ = 0;       // the canvas's size, pen and pen mode at the start
  int canvasHeight_ = 0;
  int penWidth_ = 1;
  PenMode penMode_ = PenMode::Copy;
  std::optional<DrawnPicture> lastRun_;
  // What the last complete run drew, when it kept to its record.
  std::optional<CanvasCopy> exactPicture_;
  // What the last run left when it was stopped; none after a complete one.
  std::optional<CanvasCopy> stoppedPicture_;
};

}  // namespace orbisk
