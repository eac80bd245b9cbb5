#include "io/CanvasImage.h"

namespace orbisk {

namespace {

qsizetype rowBytes(const RasterCanvas& canvas) {
  return static_cast<qsizetype>(canvas.width()) * static_cast<qsizetype>(sizeof(uint32_t));
}

}  // namespace

QImage imageOnCanvas(RasterCanvas& canvas) {
  return QImage(reinterpret_cast<uchar*>(canvas.bits()), canvas.width(), canvas.height(),
                rowBytes(canvas), QImage::Format_RGB32);
}

QImage imageOfCanvas(const RasterCanvas& canvas) {
  return QImage(reinterpret_cast<const uchar*>(canvas.bits()), canvas.width(), canvas.height(),
                rowBytes(canvas), QImage::Format_RGB32)
      .copy();
}

QImage renderedImage(const PictureOrder& order) {
  RasterCanvas canvas(0, 0);
  renderWholePicture(order, canvas);
  return imageOfCanvas(canvas);
}

}  // namespace orbisk
