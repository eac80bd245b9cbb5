#include "ui/main/RunRecorder.h"

#include <algorithm>

#include "model/FrameSize.h"

namespace orbisk {

namespace {

// The values a column reads from the record (Length only moves the progress bar, and the values
// read once per run are fixed at the start).
bool sameColumnInputs(const PictureParams& a, const PictureParams& b) {
  return a.detailstep == b.detailstep && a.widthfac == b.widthfac && a.eff == b.eff &&
         a.func1 == b.func1 && a.func2 == b.func2 && a.t1 == b.t1 && a.w == b.w &&
         a.worldw == b.worldw && a.sols == b.sols && a.cit == b.cit && a.v4 == b.v4 &&
         a.xraykleur == b.xraykleur && a.kl1ad == b.kl1ad && a.kl2ad == b.kl2ad &&
         a.kl3ad == b.kl3ad && a.driedkeuze == b.driedkeuze && a.glij == b.glij &&
         a.hoogte == b.hoogte && a.hsbhorizon == b.hsbhorizon && a.hsbvertical == b.hsbvertical &&
         a.size == b.size;
}

bool isBlank(const RasterCanvas& canvas) {
  const uint32_t stored = 0xff000000u | ((canvas.backgroundColour() & 0xffu) << 16) |
                          (canvas.backgroundColour() & 0xff00u) |
                          ((canvas.backgroundColour() >> 16) & 0xffu);
  const uint32_t* pixels = canvas.bits();
  const auto count = static_cast<std::size_t>(canvas.width()) * canvas.height();
  return std::all_of(pixels, pixels + count, [stored](uint32_t p) { return p == stored; });
}

// True when shown is drawn with the filters applied to it; never for a null drawn picture.
bool isFiltered(const QImage& shown, const QImage& drawn, const ComposedMask& filters) {
  if (drawn.isNull() || shown.size() != drawn.size()) return false;
  // The masks hold red in the low byte; a 32-bit image pixel holds red in the third byte.
  const auto toPixelOrder = [](uint32_t m) {
    return ((m & 0xffu) << 16) | (m & 0xff00u) | ((m >> 16) & 0xffu);
  };
  const uint32_t keep = toPixelOrder(filters.andMask) | 0xff000000u;
  const uint32_t set = toPixelOrder(filters.orMask);
  const QImage a32 = shown.convertToFormat(QImage::Format_RGB32);
  const QImage b32 = drawn.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < a32.height(); ++y) {
    const auto* a = reinterpret_cast<const uint32_t*>(a32.constScanLine(y));
    const auto* b = reinterpret_cast<const uint32_t*>(b32.constScanLine(y));
    for (int x = 0; x < a32.width(); ++x) {
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
  canvasEdits_ = canvas.edits();
  canvasWidth_ = canvas.width();
  canvasHeight_ = canvas.height();
  penWidth_ = canvas.penWidth();
  penMode_ = canvas.penMode();

  const CanvasSize frame = frameCanvasSize(params.framesize);
  const bool detailKnown = params.detailstep == 1 || params.detailstep == 4;
  runExact_ = detailKnown && penWidth_ == (params.detailstep == 4 ? 4 : 1) &&
              penMode_ == (params.inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy) &&
              canvasWidth_ == frame.width && canvasHeight_ == frame.height && isBlank(canvas);
}

void RunRecorder::columnDone(const PictureParams& params, const RasterCanvas& canvas) {
  if (!runExact_) return;
  runExact_ = sameColumnInputs(params, start_.params) && canvas.edits() == canvasEdits_ &&
              canvas.width() == canvasWidth_ && canvas.height() == canvasHeight_ &&
              canvas.penWidth() == penWidth_ && canvas.penMode() == penMode_;
}

void RunRecorder::runEnded(bool complete, const QImage& picture) {
  if (!complete) {
    stoppedPicture_ = picture.copy();
    return;
  }
  stoppedPicture_ = QImage();
  lastRun_ = start_;
  exactPicture_ = runExact_ ? picture.copy() : QImage();
}

bool RunRecorder::showsExactRun(const QImage& picture) const {
  return lastRun_ && !exactPicture_.isNull() && picture.size() == exactPicture_.size() &&
         picture.convertToFormat(exactPicture_.format()) == exactPicture_;
}

bool RunRecorder::showsExactRunFiltered(const QImage& picture, const ComposedMask& filters) const {
  return lastRun_ && isFiltered(picture, exactPicture_, filters);
}

bool RunRecorder::showsStoppedRun(const QImage& picture, const ComposedMask& filters) const {
  return isFiltered(picture, stoppedPicture_, filters);
}

}  // namespace orbisk
