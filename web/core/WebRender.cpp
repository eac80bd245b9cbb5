#include "web/core/WebRender.h"

#include <algorithm>
#include <optional>

#include "io/RedrawPicture.h"
#include "model/RecordFields.h"
#include "session/PictureRecordText.h"

namespace orbisk::web {

std::string WebRender::begin(std::string_view picture) {
  picture_.reset();
  std::string reason;
  std::optional<DrawnPicture> drawn = parsePictureRecord(picture, &reason);
  if (!drawn) return "The picture's record is damaged: " + reason + ".";
  drawn_ = *drawn;
  drawn_.scale = 1;
  canvas_ = std::make_unique<RasterCanvas>(0, 0);
  picture_ = std::make_unique<WholePicture>(orderToRedraw(drawn_), *canvas_);
  exact_ = true;
  return {};
}

void WebRender::takeValues(std::string_view picture) {
  if (!running()) return;
  const std::optional<DrawnPicture> changed = parsePictureRecord(picture, nullptr);
  if (!changed) return;
  PictureParams& params = picture_->params();
  for (const FieldEntry& entry : recordFields()) {
    if (!entry.columnReads) continue;
    const int16_t value = changed->params.*entry.member;
    if (value != drawn_.params.*entry.member) exact_ = false;
    params.*entry.member = value;
  }
  // The pen follows Inverse (0 or 1; other values leave it) and the detail at once.
  if (changed->params.inverse == 0 || changed->params.inverse == 1) {
    const PenMode mode = penModeFor(changed->params.inverse);
    if (mode != penModeFor(drawn_.params.inverse)) exact_ = false;
    canvas_->setPenMode(mode);
  }
  const int pen = penWidthFor(changed->detailstep);
  if (pen != penWidthFor(drawn_.detailstep)) exact_ = false;
  canvas_->setPenWidth(pen);
}

bool WebRender::step(int columns) {
  if (!running()) return false;
  return picture_->step(columns);
}

double WebRender::progress() const {
  if (!picture_) return 0;
  if (picture_->finished()) return 1;
  const RenderProgress& p = picture_->job().progress();
  return p.maximum > 0 ? std::clamp(double(p.value) / p.maximum, 0.0, 1.0) : 0.0;
}

const uint8_t* WebRender::rgba() {
  if (!canvas_) return nullptr;
  const std::size_t count = std::size_t(canvas_->width()) * std::size_t(canvas_->height());
  rgba_.resize(count * 4);
  const uint32_t* bits = canvas_->bits();
  for (std::size_t i = 0; i < count; ++i) {
    const uint32_t p = bits[i];  // 0xffRRGGBB
    rgba_[4 * i] = static_cast<uint8_t>(p >> 16);
    rgba_[4 * i + 1] = static_cast<uint8_t>(p >> 8);
    rgba_[4 * i + 2] = static_cast<uint8_t>(p);
    rgba_[4 * i + 3] = 0xff;
  }
  return rgba_.data();
}

std::string WebRender::following() const {
  DrawnPicture next = drawn_;
  if (picture_) next.startState = picture_->state();
  return formatPictureRecord(next);
}

PictureContent WebRender::content() const {
  if (!canvas_) return {};
  return measurePicture(canvas_->bits(), canvas_->width(), canvas_->height(), canvas_->width(),
                        drawn_.background);
}

}  // namespace orbisk::web
