#include "ui/editors/ClickablePicture.h"

#include <QMouseEvent>

namespace orbisk {

ClickablePicture::ClickablePicture(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event) {
  // A release outside the picture means the user dragged away: no click.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace orbisk
