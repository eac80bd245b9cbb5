// The recorder of what drew the canvas, asked about a picture the window holds as a QImage.
#pragma once

#include <QImage>

#include "session/RunRecorder.h"

namespace orbisk {

class ImageRecorder {
 public:
  explicit ImageRecorder(const RunRecorder& recorder) : recorder_(recorder) {}

  bool showsExactRunFiltered(const QImage& picture, const ComposedMask& filters) const {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    return recorder_.showsExactRunFiltered(view(rgb), filters);
  }
  bool showsStoppedRun(const QImage& picture, const ComposedMask& filters) const {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    return recorder_.showsStoppedRun(view(rgb), filters);
  }

 private:
  // 0xffRRGGBB rows: the layout of Format_RGB32.
  static PixelView view(const QImage& rgb) {
    return {reinterpret_cast<const uint32_t*>(rgb.constBits()), rgb.width(), rgb.height(),
            static_cast<int>(rgb.bytesPerLine() / 4)};
  }

  const RunRecorder& recorder_;
};

}  // namespace orbisk
