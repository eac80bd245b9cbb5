#include "io/DrawnPart.h"

namespace orbisk {

PictureContent measureImage(const QImage& picture, uint32_t background) {
  const QImage rgb32 =
      picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
          ? picture
          : picture.convertToFormat(QImage::Format_RGB32);
  return measurePicture(reinterpret_cast<const uint32_t*>(rgb32.constBits()), rgb32.width(),
                        rgb32.height(), static_cast<int>(rgb32.bytesPerLine() / 4), background);
}

QImage drawnPart(const QImage& picture, const PictureContent& content, QSize room) {
  if (picture.isNull() || room.isEmpty()) return {};
  const QRect drawn(content.left, content.top, content.width, content.height);
  const QImage part = drawn.isEmpty() ? picture : picture.copy(drawn & picture.rect());
  return part.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace orbisk
