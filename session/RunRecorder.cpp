#include "session/RunRecorder.h"

#include <algorithm>

#include "model/FrameSize.h"
#include "model/RecordFields.h"
#include "render/run/WholePicture.h"

namespace orbisk {

namespace {

// The values a column reads from the record (Length only moves the progress bar, and the values
// read once per run are fixed at the start).
bool sameColumnInputs(const PictureParams& a, const PictureParams& b) {
  for (const FieldEntry& entry : recordFields()) {
    if (entry.columnReads && a.*entry.member != b.*entry.member) return false;
  }
  return true;
}

bool isBlank(const RasterCanvas& canvas) {
  const uint32_t stored = 0xff000000u | ((canvas.backgroundColour() & 0xffu) << 16) |
                          (canvas.backgroundColour() & 0xff00u) |
                          ((canvas.backgroundColour() >> 16) & 0xffu);
  const uint32_t* pixels = canvas.bits();
  const auto count = static_cast<std::size_t>(canvas.width()) * canvas.height();
  return std::all_of(pixels, pixels + count, [stored](uint32_t p) { return p == stored; });
}

// True when shown is drawn with the filters applied to it; never without a drawn picture.
bool isFiltered(const PixelView& shown, const std::optional<CanvasCopy>& drawn,
                const ComposedMask& filters) {
  if (!drawn || shown.width != drawn->width || shown.height != drawn->height) return false;
  // The masks hold red in the low byte; a pixel holds red in the third byte.
  const auto toPixelOrder = [](uint32_t m) {
    return ((m & 0xffu) << 16) | (m & 0xff00u) | ((m >> 16) & 0xffu);
  };
  const uint32_t keep = toPixelOrder(filters.andMask) | 0xff000000u;
  const uint32_t set = toPixelOrder(filters.orMask);
  const PixelView drawnPixels = drawn->view();
  for (int y = 0; y < shown.height; ++y) {
    const uint32_t* a = shown.row(y);
    const uint32_t* b = drawnPixels.row(y);
    for (int x = 0; x < shown.width; ++x) {
      if (a[x] != ((b[x] & keep) | set)) return false;
    }
  }
  return true;
}

}  // namespace

void RunRecorder::runStarted(const PictureParams& params, const RenderState& state,
                             const RasterCanvas& canvas) {
  start_ = DrawnPicture{};
  start_.params = params;
  start_.startState = state;
  start_.background = canvas.backgroundColour();
  start_.detailstep = params.detailstep;
  start_.origin = std::move(nextOrigin_);
  nextOrigin_.clear();
  canvasEdits_ = canvas.edits();
  canvasWidth_ = canvas.width();
  canvasHeight_ = canvas.height();
  penWidth_ = canvas.penWidth();
  penMode_ = canvas.penMode();

  const CanvasSize frame = frameCanvasSize(params.framesize);
  const bool detailKnown = params.detailstep == 1 || params.detailstep == 4;
  runExact_ = detailKnown && penWidth_ == penWidthFor(params.detailstep) &&
              penMode_ == penModeFor(params.inverse) && canvasWidth_ == frame.width &&
              canvasHeight_ == frame.height && isBlank(canvas);
}

void RunRecorder::columnDone(const PictureParams& params, const RasterCanvas& canvas) {
  if (!runExact_) return;
  runExact_ = sameColumnInputs(params, start_.params) && canvas.edits() == canvasEdits_ &&
              canvas.width() == canvasWidth_ && canvas.height() == canvasHeight_ &&
              canvas.penWidth() == penWidth_ && canvas.penMode() == penMode_;
}

void RunRecorder::runEnded(bool complete, const CanvasCopy& picture) {
  if (!complete) {
    stoppedPicture_ = picture;
    return;
  }
  stoppedPicture_.reset();
  lastRun_ = start_;
  exactPicture_.reset();
  if (runExact_) exactPicture_ = picture;
}

bool RunRecorder::showsExactRun(const PixelView& picture) const {
  return lastRun_ && isFiltered(picture, exactPicture_, ComposedMask{});
}

bool RunRecorder::showsExactRunFiltered(const PixelView& picture,
                                        const ComposedMask& filters) const {
  return lastRun_ && isFiltered(picture, exactPicture_, filters);
}

bool RunRecorder::showsStoppedRun(const PixelView& picture, const ComposedMask& filters) const {
  return isFiltered(picture, stoppedPicture_, filters);
}

}  // namespace orbisk
