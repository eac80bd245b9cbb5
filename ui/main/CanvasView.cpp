#include "ui/main/CanvasView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScrollBar>
#include <cmath>

namespace orbisk {

CanvasWidget::CanvasWidget(RasterCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas) {
  setObjectName("Pct1");
  // Every pixel is painted from the buffer, so Qt need not clear the widget first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(canvas.width(), canvas.height());
}

QImage CanvasWidget::image() const {
  // The buffer holds 0xffRRGGBB rows, exactly the layout of Format_RGB32.
  return QImage(reinterpret_cast<const uchar*>(canvas_.bits()), canvas_.width(), canvas_.height(),
                canvas_.width() * 4, QImage::Format_RGB32);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), image(), event->rect());
}

int progressBarUnits(float columns) {
  if (!std::isfinite(columns) || columns < 0 || columns > 1e7f) return -1;
  return static_cast<int>(std::lround(static_cast<double>(columns) * 100.0));
}

CanvasView::CanvasView(RasterCanvas& canvas, QWidget* parent)
    : QWidget(parent),
      canvas_(canvas),
      pct1_(new CanvasWidget(canvas, this)),
      hscroll1_(new QScrollBar(Qt::Horizontal, this)),
      vscroll1_(new QScrollBar(Qt::Vertical, this)),
      pb_(new QProgressBar(this)) {
  setFixedSize(kViewWidth, kViewHeight);
  pct1_->move(0, 0);

  // The bars lie over the view's right and bottom edges; the progress bar takes the start of the
  // bottom strip, the horizontal bar the rest of it.
  hscroll1_->setObjectName("HScroll1");
  hscroll1_->setGeometry(kProgressWidth, kViewHeight - kBarThickness,
                         kViewWidth - kProgressWidth - kBarThickness, kBarThickness);
  // Every part of the Maximum canvas can be seen; the bars start at its centre.
  hscroll1_->setRange(0, kMaximumCanvas.width - kRegularCanvas.width);
  hscroll1_->setValue(hscroll1_->maximum() / 2);
  vscroll1_->setObjectName("VScroll1");
  vscroll1_->setGeometry(kViewWidth - kBarThickness, 0, kBarThickness, kViewHeight - kBarThickness);
  vscroll1_->setRange(0, kMaximumCanvas.height - kRegularCanvas.height);
  vscroll1_->setValue(vscroll1_->maximum() / 2);
  for (QScrollBar* bar : {hscroll1_, vscroll1_}) {
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setTracking(false);  // the canvas follows when a dragged thumb is released
    bar->hide();
  }
  connect(hscroll1_, &QScrollBar::valueChanged, this,
          [this](int value) { pct1_->move(-value, pct1_->y()); });
  connect(vscroll1_, &QScrollBar::valueChanged, this,
          [this](int value) { pct1_->move(pct1_->x(), -value); });

  pb_->setObjectName("PB");
  pb_->setGeometry(0, kViewHeight - kBarThickness, kProgressWidth, kBarThickness);
  pb_->setTextVisible(false);
  pb_->setRange(0, 100);
  pb_->setValue(0);
  pb_->hide();
}

void CanvasView::setCanvasGeometry(int left, int top, int width, int height) {
  canvas_.resize(width, height);
  pct1_->setGeometry(left, top, width, height);
  pct1_->update();
}

void CanvasView::showFrame(CanvasSize size, bool maximum, FrameChange change) {
  if (change == FrameChange::Command) setProgressBarWidth(kProgressWidth);
  if (!maximum) {
    setScrollBarsVisible(false);
    setCanvasGeometry(0, 0, size.width, size.height);
  } else if (change == FrameChange::Command) {
    setCanvasGeometry(pct1_->x(), pct1_->y(), size.width, size.height);
    setScrollBarsVisible(true);
    vscroll1_->setValue(vscroll1_->maximum() / 2);  // the centre of the Maximum canvas
    hscroll1_->setValue(hscroll1_->maximum() / 2);
    // Placed explicitly too: a bar already at its centre reports no change.
    pct1_->move(-hscroll1_->value(), -vscroll1_->value());
  } else {
    setScrollBarsVisible(true);
    const bool keep = change == FrameChange::Loaded;
    setCanvasGeometry(keep ? -hscroll1_->value() : 0, keep ? -vscroll1_->value() : 0, size.width,
                      size.height);
  }
}

void CanvasView::setScrollBarsVisible(bool visible) {
  hscroll1_->setVisible(visible);
  vscroll1_->setVisible(visible);
}

void CanvasView::showProgress(const RenderProgress& progress) {
  const int maximum = progressBarUnits(progress.maximum);
  const int value = progressBarUnits(progress.value);
  if (maximum > 0) pb_->setMaximum(maximum);
  // A value beyond the maximum is ignored, as the progress bar itself would refuse it.
  if (value >= 0 && value <= pb_->maximum()) pb_->setValue(value);
}

void CanvasView::resetProgress() {
  pb_->setValue(0);
}

void CanvasView::setProgressBarWidth(int width) {
  pb_->resize(width, pb_->height());
}

void CanvasView::setBackgroundPicture(const QImage& picture) {
  background_ = picture;
  update();
}

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) {
    painter.fillRect(rect(), palette().window());
  } else {
    painter.drawImage(0, 0, background_);
  }
}

}  // namespace orbisk
