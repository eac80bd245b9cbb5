#include "ui/editors/FittedText.h"

#include <QFontMetrics>
#include <QLabel>

namespace orbisk {

namespace {

constexpr double kSmallestPointSize = 6.0;
constexpr int kSmallestPixelSize = 8;

bool fits(const QLabel* label, const QFont& font) {
  const QFontMetrics metrics(font, label);
  const QRect room = label->contentsRect();
  return metrics.horizontalAdvance(label->text()) <= room.width() &&
         metrics.height() <= room.height();
}

}  // namespace

void shrinkFontToFit(QLabel* label) {
  QFont font = label->font();
  if (fits(label, font)) return;
  // A font is given either in points or in pixels; the other size reads as -1.
  if (font.pointSizeF() > 0) {
    while (!fits(label, font) && font.pointSizeF() - 0.5 >= kSmallestPointSize)
      font.setPointSizeF(font.pointSizeF() - 0.5);
  } else {
    while (!fits(label, font) && font.pixelSize() - 1 >= kSmallestPixelSize)
      font.setPixelSize(font.pixelSize() - 1);
  }
  label->setFont(font);
}

}  // namespace orbisk
