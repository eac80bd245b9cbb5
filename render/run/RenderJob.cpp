#include "render/run/RenderJob.h"

#include <algorithm>

#include "render/orbit/Arith.h"
#include "render/orbit/ColumnLoop.h"
#include "render/orbit/OriginFormulas.h"
#include "render/drawing/SampleDrawer.h"

namespace orbisk {

namespace {

// The step is 1 or 4 from the Detail menu; never let a zero or negative step stall a loop.
double stepOf(int16_t detailstep) {
  return std::max<int16_t>(detailstep, 1);
}

}  // namespace

RenderJob::RenderJob(RenderState& state, const PictureParams& params, Surface& surface)
    : state_(state), params_(params), surface_(surface) {}

void RenderJob::start() {
  const RunChoice run{params_.cat, params_.ali, params_.v2, params_.v3, params_.size};
  setCategoryAndGalaxy(run, state_);
  state_.halfwidth = toSingle(surface_.width() / 2.0);
  state_.halfheight = toSingle(surface_.height() / 2.0);
  setMapConstants(run, state_);

  // The column range; a 16-bit overflow of borderlen x N1 leaves the old range, and any other
  // direction than Inward or Outward leaves it too.
  const auto span = mul16(params_.borderlen, state_.N1);
  if (params_.direction == 1) {
    if (span && *span != INT16_MIN) state_.colstart = static_cast<int16_t>(-*span);
    state_.colend = 0;
  } else if (params_.direction == 2) {
    state_.colstart = 0;
    if (span) state_.colend = *span;
  }
  runBorderlen_ = params_.borderlen;
  colEnd_ = state_.colend;
  colStep_ = stepOf(params_.detailstep);
  state_.col = state_.colstart;
  v1a_ = 0;
  v1b_ = 0;
  started_ = true;
}

bool RenderJob::hasColumns() const {
  return started_ && state_.col <= colEnd_;
}

bool RenderJob::stepColumn() {
  if (!hasColumns()) return false;
  RenderState& s = state_;
  const PictureParams& p = params_;

  // Progress: a Length, Detail or Width change shows from the next column on.
  progress_.minimum = 0;
  if (auto span = mul16(p.borderlen, s.N1)) s.progspan = *span;
  const float maximum = toSingle((s.progspan + 1.0) / stepOf(p.detailstep));
  if (maximum > progress_.minimum) progress_.maximum = maximum;
  if (progress_.value + 1 <= progress_.maximum) progress_.value += 1;

  // What the user may have changed since the last column.
  const FormulaChoice formulas{p.eff, p.func1, p.func2, p.t1, p.w, p.worldw, p.sols, p.cit, p.v4};
  const DrawChoice draw{
      p.xraykleur,
      {p.kl1ad, p.kl2ad, p.kl3ad},
      {p.driedkeuze, runBorderlen_, p.glij, p.hoogte, p.hsbhorizon, p.hsbvertical, p.size, 0}};

  // Rows: a 16-bit overflow of N2 x widthfac leaves this column without rows.
  if (const auto rows = mul16(s.N2, p.widthfac)) {
    const double rowEnd = *rows;
    FunctionValues functions{v1a_, v1b_};
    SampleDrawer drawer(draw, surface_);
    ColumnRun run{s, functions, formulas, -rowEnd, rowEnd, stepOf(p.detailstep), drawer};
    selectColumnLoop(formulas)(run);
    samples_ += run.samples;
    marks_ += run.marks;
    v1a_ = functions.v1a;
    v1b_ = functions.v1b;
  }
  s.col += colStep_;
  return hasColumns();
}

}  // namespace orbisk
