#include "ui/explore/GalleryCell.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "io/DrawnPart.h"

namespace orbisk {

namespace {

constexpr int kProgressHeight = 4;  // the bar along a rendering cell's bottom edge

}  // namespace

GalleryCell::GalleryCell(QWidget* parent) : QWidget(parent) {
  setFixedSize(kWidth, kHeight);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void GalleryCell::reset() {
  picture_ = QImage();
  shown_ = QImage();
  done_ = 0;
  total_ = 0;
  update();
}

void GalleryCell::setProgress(int done, int total) {
  done_ = done;
  total_ = total;
  update();
}

void GalleryCell::setDrawnSoFar(const QImage& partial, const PictureContent& content) {
  if (isFinished()) return;
  shown_ = drawnPart(partial, content, QSize(kWidth - 4, kHeight - 4));
  update();
}

void GalleryCell::setPicture(const QImage& picture, const PictureContent& content) {
  picture_ = picture;
  shown_ = drawnPart(picture, content, QSize(kWidth - 4, kHeight - 4));
  update();
}

QString GalleryCell::caption() const {
  if (isFinished()) return {};
  if (total_ <= 0) return QStringLiteral("drawing...");
  return QStringLiteral("drawing... %1%").arg(static_cast<qint64>(done_) * 100 / total_);
}

void GalleryCell::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (shown_.isNull()) {
    painter.fillRect(rect().adjusted(2, 2, -2, -2), Qt::black);
  } else {
    const QPoint at((width() - shown_.width()) / 2, (height() - shown_.height()) / 2);
    painter.drawImage(at, shown_);
  }
  if (!isFinished()) {
    if (total_ > 0) {
      const int length = (width() - 4) * done_ / total_;
      painter.fillRect(2, height() - 2 - kProgressHeight, length, kProgressHeight,
                       palette().highlight());
    }
    // On a dark band, so it reads on a light picture drawn so far too.
    const QString text = caption();
    const QRect band = painter.fontMetrics().boundingRect(text).adjusted(-4, -2, 4, 2);
    painter.fillRect(band.translated(rect().center() - band.center()), QColor(0, 0, 0, 160));
    painter.setPen(Qt::lightGray);
    painter.drawText(rect(), Qt::AlignCenter, text);
  }
  if (hasFocus()) {
    painter.setPen(QPen(palette().highlight(), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
  }
}

void GalleryCell::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    setFocus(Qt::MouseFocusReason);
    emit picked();
  }
}

void GalleryCell::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit picked();
      return;
    case Qt::Key_Left:
      emit moveRequested(-1, 0);
      return;
    case Qt::Key_Right:
      emit moveRequested(1, 0);
      return;
    case Qt::Key_Up:
      emit moveRequested(0, -1);
      return;
    case Qt::Key_Down:
      emit moveRequested(0, 1);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

}  // namespace orbisk
