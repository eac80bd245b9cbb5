#include "ui/editors/ShapeDiagrams.h"

#include <QLinearGradient>
#include <QPainter>

namespace orbisk {

namespace {

void paintBackground(QPainter& painter, const QWidget& widget) {
  QColor bar = widget.palette().color(QPalette::Highlight);
  QLinearGradient gradient(0, 0, 0, widget.height());
  gradient.setColorAt(0, bar);
  gradient.setColorAt(1, bar.darker(180));
  painter.fillRect(widget.rect(), gradient);
}

QPen plainPen(const QWidget& widget) {
  return QPen(widget.palette().color(QPalette::HighlightedText), 1);
}

}  // namespace

SlantFigure slantFigure(int g) {
  const double s = g;
  SlantFigure f;
  f.top = QLineF(50 - s, 25, 100 - s, 25);
  f.bottom = QLineF(50 + s, 75, 100 + s, 75);
  f.left = QLineF(f.top.p1(), f.bottom.p1());
  f.right = QLineF(f.top.p2(), f.bottom.p2());
  f.red = QLineF(75 - s, 25, 75 + s, 75);
  f.fixedRed = QLineF(50, 50, 100, 50);
  return f;
}

std::array<QLineF, 3> heightLines(int h) {
  const double top = 75.0 - h;
  return {QLineF(5, 75, 5, top), QLineF(11, 75, 11, top), QLineF(17, 75, 17, top)};
}

QColor diagramRed() {
  return QColor(192, 0, 0);
}

SlantDiagram::SlantDiagram(QWidget* parent) : QWidget(parent) {
  setObjectName("slantdiagram");
  setFixedSize(152, 100);
}

void SlantDiagram::setSlant(int g) {
  if (g == slant_) return;
  slant_ = g;
  update();
}

void SlantDiagram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintBackground(painter, *this);
  const SlantFigure f = slantFigure(slant_);
  painter.setPen(plainPen(*this));
  painter.drawLine(f.top);
  painter.drawLine(f.bottom);
  painter.drawLine(f.left);
  painter.drawLine(f.right);
  painter.setPen(QPen(diagramRed(), 1));
  painter.drawLine(f.red);
  painter.drawLine(f.fixedRed);
}

HeightDiagram::HeightDiagram(QWidget* parent) : QWidget(parent) {
  setObjectName("heightdiagram");
  setFixedSize(24, 100);
}

void HeightDiagram::setHeightValue(int h) {
  if (h == height_) return;
  height_ = h;
  update();
}

void HeightDiagram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  paintBackground(painter, *this);
  const std::array<QLineF, 3> lines = heightLines(height_);
  painter.setPen(plainPen(*this));
  painter.drawLine(lines[0]);
  painter.drawLine(lines[2]);
  painter.setPen(QPen(diagramRed(), 1));
  painter.drawLine(lines[1]);
}

}  // namespace orbisk
