// One render run over the sample grid, stepped one column at a time so that a caller (the
// window's event loop or the headless renderer) decides what happens between columns.
#pragma once

#include <cstdint>

#include "model/PictureParams.h"
#include "render/run/RenderState.h"
#include "render/surfaces/Surface.h"

namespace orbisk {

struct RenderProgress {
  float minimum = 0;    // always 0
  float maximum = 100;  // (borderlen x N1 + 1) / detailstep, as of the last column start
  float value = 0;      // columns counted so far; never set beyond the maximum
};

class RenderJob {
 public:
  // The job reads params at its start and again at every column start (the user may change
  // them between columns); it keeps its working values in state, which outlives the job.
  RenderJob(RenderState& state, const PictureParams& params, Surface& surface);

  // Run constants, half sizes and the traversal limits.
  void start();
  // True while at least one column is left to compute.
  bool hasColumns() const;
  // Advances the progress and computes every row of the next column. Returns hasColumns().
  bool stepColumn();

  const RenderProgress& progress() const { return progress_; }
  uint64_t samples() const { return samples_; }  // samples computed so far
  uint64_t marks() const { return marks_; }      // samples handed to the shape stage so far

 private:
  RenderState& state_;
  const PictureParams& params_;
  Surface& surface_;
  RenderProgress progress_;
  // Taken once when the run starts.
  double colEnd_ = 0;
  double colStep_ = 1;
  int16_t runBorderlen_ = 1;  // L for the shapes and the column range
  double v1a_ = 0;            // value of function v1a, 0 at each run's start
  double v1b_ = 0;            // value of function v1b, 0 at each run's start
  bool started_ = false;
  uint64_t samples_ = 0;
  uint64_t marks_ = 0;
};

}  // namespace orbisk
